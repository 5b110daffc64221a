#pragma once
// The text side of private profile files, free of system calls: reading a file's bytes into
// lines, finding a value, changing one, and writing the lines back. A line that a write does not
// touch keeps its bytes exactly, whatever its encoding faults or line end.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace os {

enum class ProfileEncoding {
    Ansi,     // no UTF-16 byte-order mark: the ANSI code page; also what a new file gets
    Utf16Le,  // FF FE first
};

struct ProfileLine {
    std::u16string text;  // the line without its line end
    std::string bytes;    // the line as the file holds it, line end included
};

struct ProfileFile {
    ProfileEncoding encoding = ProfileEncoding::Ansi;
    std::vector<ProfileLine> lines;
};

// Splits a file's bytes into lines; LF and CR LF both end a line. A byte the ANSI code page
// does not map reads as "?" in `text` but stays as it was in `bytes`.
ProfileFile DecodeProfile(std::string_view bytes);
// The file's bytes: its byte-order mark, if any, then every line's bytes.
std::string EncodeProfile(const ProfileFile& file);

// The value of `key` in the first section named `section`: blanks around it dropped, then one
// pair of matching quotes. Empty when the section or the key is missing.
std::optional<std::u16string> FindProfileValue(const ProfileFile& file, std::u16string_view section,
                                               std::u16string_view key);

// Writes "key=value" over the key's line, or after the last non-blank line of the section, or
// in a new section at the end; an empty `value` removes the key's line. New lines end in CR LF.
// Returns true when the file changed.
bool SetProfileValue(ProfileFile& file, std::u16string_view section, std::u16string_view key,
                     const std::optional<std::u16string>& value);

}  // namespace os
