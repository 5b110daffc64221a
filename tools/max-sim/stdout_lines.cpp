// Lines of the captured output, the same whichever system captured it.
#include "tools/max-sim/stdout_capture.h"

namespace maxsim {

std::vector<std::string> StdoutCapture::TakeLines(bool all) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = pending_.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(pending_.substr(start, end - start));
    }
    pending_.erase(0, start);
    if (all && !pending_.empty()) {
        lines.push_back(pending_);
        pending_.clear();
    }
    for (std::string& line : lines) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
    }
    return lines;
}

}  // namespace maxsim
