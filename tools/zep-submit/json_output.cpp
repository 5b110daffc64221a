#include "tools/zep-submit/json_output.h"

#include <memory>
#include <ostream>

#include "text/conversions.h"

Json::Value JsonText(const std::u16string& text) {
    return Json::Value(ToUtf8(text));
}

Json::Value TextArray(const std::vector<std::u16string>& texts) {
    Json::Value array(Json::arrayValue);
    for (const std::u16string& text : texts) {
        array.append(JsonText(text));
    }
    return array;
}

void PrintJson(std::ostream& out, const Json::Value& value) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "  ";
    builder["emitUTF8"] = true;
    std::unique_ptr<Json::StreamWriter> writer(builder.newStreamWriter());
    writer->write(value, &out);
    out << '\n';
}
