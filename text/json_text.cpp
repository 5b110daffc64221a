#include "text/json_text.h"

#include <exception>
#include <memory>
#include <string>

bool ParseJsonText(std::string_view utf8, Json::Value& root) {
    Json::CharReaderBuilder builder;
    builder["collectComments"] = true;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    try {
        return reader->parse(utf8.data(), utf8.data() + utf8.size(), &root, &errors);
    } catch (const std::exception&) {
        return false;
    }
}

const Json::Value* FindMember(const Json::Value& object, std::string_view key) {
    if (!object.isObject()) {
        return nullptr;
    }
    return object.find(key.data(), key.data() + key.size());
}

bool JsonScalarText(const Json::Value& value, std::string& text) {
    const char* begin = nullptr;
    const char* end = nullptr;
    switch (value.type()) {
        case Json::stringValue:
            // Into the text's own buffer: a caller that reads many reuses one.
            value.getString(&begin, &end);
            text.assign(begin, end);
            return true;
        case Json::intValue:
        case Json::uintValue:
        case Json::realValue:
            text = value.asString();
            return true;
        default:
            return false;
    }
}
