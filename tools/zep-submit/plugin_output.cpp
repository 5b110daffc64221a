#include "tools/zep-submit/plugin_output.h"

#include <iostream>
#include <mutex>
#include <string>
#include <vector>

#include "platform/standard_output.h"

namespace {

std::mutex g_mutex;
std::vector<std::string> g_lines;

void ToStandardError(std::string_view line) {
    std::cerr << line << std::endl;
}

void Keep(std::string_view line) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_lines.emplace_back(line);
}

}  // namespace

void SendPluginOutputToStandardError() {
    os::SetStandardOutputSink(&ToStandardError);
}

void KeepPluginOutput() {
    os::SetStandardOutputSink(&Keep);
}

Json::Value PluginOutputJson() {
    std::lock_guard<std::mutex> lock(g_mutex);
    Json::Value lines(Json::arrayValue);
    for (const std::string& line : g_lines) {
        lines.append(line);
    }
    return lines;
}
