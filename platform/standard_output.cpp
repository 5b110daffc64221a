#include "platform/standard_output.h"

#include <atomic>
#include <iostream>

namespace os {
namespace {

std::atomic<OutputLineSink> g_sink{nullptr};

}  // namespace

void SetStandardOutputSink(OutputLineSink sink) {
    g_sink = sink;
}

void WriteStandardOutputLine(std::string_view line) {
    if (OutputLineSink sink = g_sink) {
        sink(line);
        return;
    }
    std::cout << line << std::endl;
}

}  // namespace os
