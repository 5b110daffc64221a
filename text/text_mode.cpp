#include "text/text_mode.h"

#include <algorithm>

std::string TextModeBytes(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size() + static_cast<size_t>(std::count(text.begin(), text.end(), '\n')));
    for (size_t start = 0; start < text.size();) {
        size_t lineEnd = text.find('\n', start);
        if (lineEnd == std::string_view::npos) {
            bytes.append(text.substr(start));
            break;
        }
        bytes.append(text.substr(start, lineEnd - start));
        bytes.append("\r\n");
        start = lineEnd + 1;
    }
    return bytes;
}
