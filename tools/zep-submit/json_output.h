#pragma once
// How zep-submit prints its results: one JSON object, indented, UTF-8.

#include <json/json.h>

#include <iosfwd>
#include <string>

Json::Value JsonText(const std::u16string& text);
void PrintJson(std::ostream& out, const Json::Value& value);
