#include "text/text_mode.h"

#include <algorithm>
#include <cstring>

std::string TextModeBytes(std::string_view text) {
    std::string bytes(text.size() + static_cast<size_t>(std::count(text.begin(), text.end(), '\n')),
                      '\0');
    char* out = bytes.data();
    for (size_t start = 0; start < text.size();) {
        size_t lineEnd = text.find('\n', start);
        const size_t length = (lineEnd == std::string_view::npos ? text.size() : lineEnd) - start;
        std::memcpy(out, text.data() + start, length);
        out += length;
        if (lineEnd == std::string_view::npos) {
            break;
        }
        *out++ = '\r';
        *out++ = '\n';
        start = lineEnd + 1;
    }
    return bytes;
}
