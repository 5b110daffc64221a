#pragma once
// Private profile (INI) files as GetPrivateProfileStringW and WritePrivateProfileStringW see
// them: section and key names match without regard to case, blanks around keys and values are
// dropped on reading, one pair of surrounding quotes is stripped, and a value is cut to fit the
// reader's buffer. Files in UTF-8 and in UTF-16LE with a byte-order mark are read; a write keeps
// a UTF-16LE file in UTF-16LE and writes every other file in UTF-8.

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
