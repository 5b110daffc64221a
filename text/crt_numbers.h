#pragma once
// The C runtime's number readers as the plug-in relies on them: leading white space, an
// optional sign, then the longest number that follows; 0 when there is none. Integers that do
// not fit give INT_MAX or INT_MIN, as the Microsoft runtime returns.

#include <string_view>

int CrtAtoi(std::string_view text);        // atoi
int CrtWtoi(std::u16string_view text);     // _wtoi
double CrtWtof(std::u16string_view text);  // _wtof (decimal forms, "inf" and "nan")
