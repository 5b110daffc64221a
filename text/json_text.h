#pragma once
// Reading the JSON texts the plug-in receives (the analysis result, the client's reply) without
// letting jsoncpp throw.

#include <json/json.h>

#include <string>
#include <string_view>

// Parses UTF-8 JSON with its comments collected, so a styled writer puts them back. False when
// the text does not parse, including past the reader's nesting limit (where jsoncpp throws);
// `errors`, when given, then holds jsoncpp's message.
bool ParseJsonText(std::string_view utf8, Json::Value& root, std::string* errors = nullptr);

// False when no value parsed from the text can carry a comment: the text holds neither "//" nor
// "/*" anywhere. Lets a walk over a large document skip its comment checks.
bool MayHoldComments(std::string_view utf8);

// The member `key` of `object`, or null when `object` is not an object or has no such member.
// Unlike operator[], it never adds the member.
const Json::Value* FindMember(const Json::Value& object, std::string_view key);

// The value of the one member of `object` when that member is named `key` (the usual shape of a
// list entry, such as { "path" : ... }), or null. Found without a lookup by name.
const Json::Value* SoleMember(const Json::Value& object, std::string_view key);
Json::Value* SoleMember(Json::Value& object, std::string_view key);

// The text of a value the analysis writes as a string. A JSON number gives its decimal text as
// jsoncpp's asString writes it ("360.0" for 360.0); any other type has no text, and the result
// is false.
bool JsonScalarText(const Json::Value& value, std::string& text);
