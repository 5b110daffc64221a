#pragma once
// How zep-submit prints its results: one JSON object, indented, UTF-8.

#include <json/json.h>

#include <iosfwd>
#include <string>
#include <vector>

Json::Value JsonText(const std::u16string& text);
Json::Value TextArray(const std::vector<std::u16string>& texts);
void PrintJson(std::ostream& out, const Json::Value& value);
