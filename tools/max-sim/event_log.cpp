#include "tools/max-sim/event_log.h"

#include <cstdio>

namespace maxsim {

EventLog::EventLog(bool json, StdoutCapture& capture) : json_(json), capture_(capture) {}

void EventLog::Add(Json::Value event, const std::string& text) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    TakeStdout(false);
    Append(std::move(event), text);
}

void EventLog::AddError(const std::string& step, const std::string& text) {
    Json::Value event(Json::objectValue);
    event["event"] = "error";
    event["step"] = step;
    event["text"] = text;
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    hadError_ = true;
    TakeStdout(false);
    Append(event, "error in step \"" + step + "\": " + text);
}

void EventLog::Flush() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    TakeStdout(true);
}

bool EventLog::HadError() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return hadError_;
}

void EventLog::PrintJson() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (!json_) {
        return;
    }
    Json::Value record(Json::objectValue);
    record["events"] = events_;
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "  ";
    writer["emitUTF8"] = true;
    std::string text = Json::writeString(writer, record) + "\n";
    std::fwrite(text.data(), 1, text.size(), capture_.Output());
    std::fflush(capture_.Output());
}

void EventLog::TakeStdout(bool all) {
    for (const std::string& line : capture_.Drain(all)) {
        Json::Value event(Json::objectValue);
        event["event"] = "stdout";
        event["text"] = line;
        Append(event, "stdout: " + line);
    }
}

void EventLog::Append(Json::Value event, const std::string& text) {
    if (json_) {
        events_.append(std::move(event));
        return;
    }
    std::string line = text + "\n";
    std::fwrite(line.data(), 1, line.size(), capture_.Output());
    std::fflush(capture_.Output());
}

}  // namespace maxsim
