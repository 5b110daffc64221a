#pragma once
// What happens in a max-sim session, in order: message boxes, dialogs opening and ending,
// dialog and menu records, lines the plug-in writes to standard output or the interpreter to
// its listener, finished submissions and steps that could not be applied. Events come from
// every thread. With --json they are printed at the end as one JSON object
// {"events": [...]}; otherwise each is printed as readable lines when it happens.

#include <json/json.h>

#include <mutex>
#include <string>

#include "tools/max-sim/stdout_capture.h"

namespace maxsim {

class EventLog {
public:
    EventLog(bool json, StdoutCapture& capture);

    // Adds an event (an object with "event" and its members); `text` is how it reads without
    // --json. Lines the plug-in wrote before it are added first.
    void Add(Json::Value event, const std::string& text);
    void AddError(const std::string& step, const std::string& text);
    // Takes in what the plug-in wrote since the last event, the unfinished last line included.
    void Flush();
    bool HadError() const;
    // Whether the record is printed as JSON at the end.
    bool PrintsJson() const { return json_; }
    // With --json: prints the whole record.
    void PrintJson();

private:
    void TakeStdout(bool all);
    void Append(Json::Value event, const std::string& text);

    bool json_;
    StdoutCapture& capture_;
    mutable std::recursive_mutex mutex_;
    Json::Value events_{Json::arrayValue};
    bool hadError_ = false;
};

}  // namespace maxsim
