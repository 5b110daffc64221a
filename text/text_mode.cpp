#include "text/text_mode.h"

std::string TextModeBytes(std::string_view text) {
    // One pass, line by line, with room for a CR every sixteen bytes; more line ends only make
    // it grow.
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16 + 2);
    for (size_t start = 0; start < text.size();) {
        const size_t lineEnd = text.find('\n', start);
        if (lineEnd == std::string_view::npos) {
            bytes.append(text.substr(start));
            break;
        }
        bytes.append(text.data() + start, lineEnd - start);
        bytes.append("\r\n", 2);
        start = lineEnd + 1;
    }
    return bytes;
}
