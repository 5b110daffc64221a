#pragma once
// Private profile (INI) files as GetPrivateProfileStringW and WritePrivateProfileStringW see
// them: section and key names match without regard to case, blanks around keys and values are
// dropped on reading, one pair of surrounding quotes is stripped, and a value is cut to fit the
// reader's buffer. A file that starts with the UTF-16LE byte-order mark is UTF-16LE; every other
// file, a new one included, is in the ANSI code page (on Linux that of code_page.h), and a
// UTF-8 byte-order mark is no mark but part of the first line.

#include <cstddef>
#include <optional>
#include <string>

namespace os {

// The value of `key` in `section`, or `defaultValue` when the file, the section or the key is
// missing. At most bufferSize - 1 units are returned (the buffer keeps its terminating zero);
// a bufferSize of 0 returns the empty text.
std::u16string GetPrivateProfileString(const std::u16string& section, const std::u16string& key,
                                       const std::u16string& defaultValue, size_t bufferSize,
                                       const std::u16string& file);

// Sets `key` in `section` to `value`, creating the file and the section when missing; an empty
// optional value removes the key. Other lines are kept. False when the file cannot be written.
bool WritePrivateProfileString(const std::u16string& section, const std::u16string& key,
                               const std::optional<std::u16string>& value,
                               const std::u16string& file);

}  // namespace os
