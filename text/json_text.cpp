#include "text/json_text.h"

#include <exception>
#include <memory>
#include <string>
#include <utility>

bool ParseJsonText(std::string_view utf8, Json::Value& root, std::string* errors) {
    Json::CharReaderBuilder builder;
    builder["collectComments"] = true;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string message;
    bool parsed = false;
    try {
        parsed = reader->parse(utf8.data(), utf8.data() + utf8.size(), &root, &message);
    } catch (const std::exception& failure) {
        message = failure.what();
    }
    if (!parsed && errors != nullptr) {
        *errors = message;
    }
    return parsed;
}

bool MayHoldComments(std::string_view utf8) {
    for (size_t slash = utf8.find('/'); slash != std::string_view::npos;
         slash = utf8.find('/', slash + 1)) {
        if (slash + 1 < utf8.size() && (utf8[slash + 1] == '/' || utf8[slash + 1] == '*')) {
            return true;
        }
    }
    return false;
}

const Json::Value* FindMember(const Json::Value& object, std::string_view key) {
    if (!object.isObject()) {
        return nullptr;
    }
    return object.find(key.data(), key.data() + key.size());
}

const Json::Value* SoleMember(const Json::Value& object, std::string_view key) {
    if (!object.isObject() || object.size() != 1) {
        return nullptr;
    }
    const Json::ValueConstIterator member = object.begin();
    const char* end = nullptr;
    const char* name = member.memberName(&end);
    return std::string_view(name, static_cast<size_t>(end - name)) == key ? &*member : nullptr;
}

Json::Value* SoleMember(Json::Value& object, std::string_view key) {
    // The same member, reached through an object that may be changed.
    return const_cast<Json::Value*>(SoleMember(std::as_const(object), key));
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
