#pragma once

#include <string>

// The analysis result file's UTF-8 bytes as the analysis text: decoded to UTF-16, and a
// byte-order mark at the very start (U+FEFF once decoded) removed.
std::u16string AnalysisTextFromBytes(const std::string& utf8);
