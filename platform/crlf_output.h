#pragma once
// Text as a Windows text-mode stream writes it: every LF goes out as CR LF. The text passes
// through a buffer of 64 KiB on its way to `write`, never copied whole.

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <string_view>

namespace os {

// `write(data, length)` writes all bytes and returns false when it cannot. The pieces go out one
// after the other, as one text.
template <typename Write>
bool WriteWithCrLf(std::initializer_list<std::string_view> pieces, Write write) {
    char buffer[64 * 1024];
    size_t used = 0;
    for (const std::string_view text : pieces) {
        for (size_t start = 0; start < text.size();) {
            const size_t lineEnd = text.find('\n', start);
            const bool ended = lineEnd != std::string_view::npos;
            const size_t length = (ended ? lineEnd : text.size()) - start;
            const size_t needed = length + (ended ? 2 : 0);
            if (used + needed > sizeof buffer) {
                if (!write(buffer, used)) {
                    return false;
                }
                used = 0;
            }
            if (needed > sizeof buffer) {  // a line longer than the buffer goes out as it is
                if (!write(text.data() + start, length) || (ended && !write("\r\n", 2))) {
                    return false;
                }
            } else {
                std::memcpy(buffer + used, text.data() + start, length);
                used += length;
                if (ended) {
                    buffer[used++] = '\r';
                    buffer[used++] = '\n';
                }
            }
            start = ended ? lineEnd + 1 : text.size();
        }
    }
    return write(buffer, used);
}

}  // namespace os
