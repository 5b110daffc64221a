#include "platform/profile_text.h"

#include <cstdint>

#include "platform/code_page.h"

namespace os {
namespace {

constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

std::string EncodeText(std::u16string_view text, ProfileEncoding encoding) {
    if (encoding != ProfileEncoding::Utf16Le) {
        return WideToMultiByte(kCodePageAnsi, text);
    }
    std::string out;
    out.reserve(text.size() * 2);
    for (char16_t unit : text) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    }
    return out;
}

ProfileLine MakeLine(std::u16string text, ProfileEncoding encoding) {
    ProfileLine line;
    line.bytes = EncodeText(text + u"\r\n", encoding);
    line.text = std::move(text);
    return line;
}

// The text of a line without its line end: a CR before the LF, or a lone CR closing the file,
// is not part of it.
std::u16string_view WithoutCr(std::u16string_view text) {
    if (!text.empty() && text.back() == u'\r') {
        text.remove_suffix(1);
    }
    return text;
}

void SplitAnsi(std::string_view bytes, ProfileFile& file) {
    while (!bytes.empty()) {
        const size_t end = bytes.find('\n');
        const size_t length = end == std::string_view::npos ? bytes.size() : end + 1;
        std::string_view lineBytes = bytes.substr(0, length);
        std::u16string text =
            MultiByteToWide(kCodePageAnsi, lineBytes.substr(0, end == std::string_view::npos
                                                                   ? lineBytes.size()
                                                                   : lineBytes.size() - 1));
        file.lines.push_back({std::u16string(WithoutCr(text)), std::string(lineBytes)});
        bytes.remove_prefix(length);
    }
}

// A half unit left over at the end of a UTF-16 file means nothing and is dropped.
void SplitUtf16Le(std::string_view bytes, ProfileFile& file) {
    const size_t units = bytes.size() / 2;
    size_t start = 0;
    std::u16string text;
    for (size_t i = 0; i < units; ++i) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                                static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
        const bool last = i + 1 == units;
        if (unit != u'\n') {
            text += unit;
        }
        if (unit == u'\n' || last) {
            file.lines.push_back({std::u16string(WithoutCr(text)),
                                  std::string(bytes.substr(start, 2 * (i + 1) - start))});
            text.clear();
            start = 2 * (i + 1);
        }
    }
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string_view Trim(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Simple case folding for ASCII, Latin-1, Greek and Cyrillic capitals.
char16_t FoldCase(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c >= 0x400 && c <= 0x40F) {
        return static_cast<char16_t>(c + 0x50);
    }
    return c;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) {
            return false;
        }
    }
    return true;
}

enum class LineKind { Blank, Comment, Section, Key, Other };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::u16string_view name;   // the section or key name, without blanks around it
    std::u16string_view value;  // a key's value as written after '='
};

ParsedLine Parse(std::u16string_view text) {
    ParsedLine parsed;
    text = Trim(text);
    if (text.empty()) {
        parsed.kind = LineKind::Blank;
    } else if (text.front() == u';') {
        parsed.kind = LineKind::Comment;
    } else if (text.front() == u'[') {
        const size_t close = text.find(u']');
        if (close != std::u16string_view::npos) {
            parsed.kind = LineKind::Section;
            parsed.name = Trim(text.substr(1, close - 1));
        }
    } else if (const size_t equals = text.find(u'='); equals != std::u16string_view::npos) {
        parsed.kind = LineKind::Key;
        parsed.name = Trim(text.substr(0, equals));
        parsed.value = text.substr(equals + 1);
    }
    return parsed;
}

struct SectionRange {
    size_t header = 0;
    size_t end = 0;  // the next section's header, or the number of lines
};

std::optional<SectionRange> FindSection(const ProfileFile& file, std::u16string_view section) {
    section = Trim(section);
    for (size_t i = 0; i < file.lines.size(); ++i) {
        const ParsedLine parsed = Parse(file.lines[i].text);
        if (parsed.kind != LineKind::Section || !SameName(parsed.name, section)) {
            continue;
        }
        SectionRange range{i, file.lines.size()};
        for (size_t j = i + 1; j < file.lines.size(); ++j) {
            if (Parse(file.lines[j].text).kind == LineKind::Section) {
                range.end = j;
                break;
            }
        }
        return range;
    }
    return std::nullopt;
}

std::optional<size_t> FindKey(const ProfileFile& file, const SectionRange& range,
                              std::u16string_view key) {
    key = Trim(key);
    for (size_t i = range.header + 1; i < range.end; ++i) {
        const ParsedLine parsed = Parse(file.lines[i].text);
        if (parsed.kind == LineKind::Key && SameName(parsed.name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

bool EndsWith(std::string_view bytes, std::string_view tail) {
    return bytes.size() >= tail.size() && bytes.substr(bytes.size() - tail.size()) == tail;
}

// Before a line is added after the file's last line, that line gets the line end it lacks.
void EndLine(ProfileLine& line, ProfileEncoding encoding) {
    const std::string lf = EncodeText(u"\n", encoding);
    if (EndsWith(line.bytes, lf)) {
        return;
    }
    const std::string cr = EncodeText(u"\r", encoding);
    line.bytes += EndsWith(line.bytes, cr) ? lf : cr + lf;
}

}  // namespace

ProfileFile DecodeProfile(std::string_view bytes) {
    ProfileFile file;
    if (bytes.starts_with(kUtf16LeBom)) {
        file.encoding = ProfileEncoding::Utf16Le;
        SplitUtf16Le(bytes.substr(kUtf16LeBom.size()), file);
    } else {
        SplitAnsi(bytes, file);
    }
    return file;
}

std::string EncodeProfile(const ProfileFile& file) {
    std::string bytes;
    if (file.encoding == ProfileEncoding::Utf16Le) {
        bytes = kUtf16LeBom;
    }
    for (const ProfileLine& line : file.lines) {
        bytes += line.bytes;
    }
    return bytes;
}

std::optional<std::u16string> FindProfileValue(const ProfileFile& file, std::u16string_view section,
                                               std::u16string_view key) {
    const std::optional<SectionRange> range = FindSection(file, section);
    if (!range) {
        return std::nullopt;
    }
    const std::optional<size_t> line = FindKey(file, *range, key);
    if (!line) {
        return std::nullopt;
    }
    std::u16string_view value = Trim(Parse(file.lines[*line].text).value);
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::u16string(value);
}

bool SetProfileValue(ProfileFile& file, std::u16string_view section, std::u16string_view key,
                     const std::optional<std::u16string>& value) {
    const std::optional<SectionRange> range = FindSection(file, section);
    std::optional<size_t> existing;
    if (range) {
        existing = FindKey(file, *range, key);
    }
    if (!value) {
        if (!existing) {
            return false;
        }
        file.lines.erase(file.lines.begin() + static_cast<std::ptrdiff_t>(*existing));
        return true;
    }

    ProfileLine keyLine = MakeLine(std::u16string(key) + u'=' + *value, file.encoding);
    if (existing) {
        ProfileLine& line = file.lines[*existing];
        if (line.bytes == keyLine.bytes) {
            return false;
        }
        line = std::move(keyLine);
        return true;
    }
    if (range) {
        size_t last = range->header;
        for (size_t i = range->header + 1; i < range->end; ++i) {
            if (Parse(file.lines[i].text).kind != LineKind::Blank) {
                last = i;
            }
        }
        EndLine(file.lines[last], file.encoding);
        file.lines.insert(file.lines.begin() + static_cast<std::ptrdiff_t>(last + 1),
                          std::move(keyLine));
        return true;
    }
    if (!file.lines.empty()) {
        EndLine(file.lines.back(), file.encoding);
    }
    std::u16string header(u"[");
    header.append(section).push_back(u']');
    file.lines.push_back(MakeLine(header, file.encoding));
    file.lines.push_back(std::move(keyLine));
    return true;
}

}  // namespace os
