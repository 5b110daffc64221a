#pragma once
// The events of a max-sim session, each as its JSON object and its readable text.

#include <string>

#include "host/simulated_host.h"
#include "platform/headless/events.h"
#include "platform/headless/state_dump.h"
#include "tools/max-sim/event_log.h"

namespace maxsim {

// A message box, or a dialog that opened or ended.
void RecordWindowEvent(EventLog& log, const win::headless::WindowEvent& event);
// The main menu bar of the host.
void RecordMenu(EventLog& log);
// A dialog as the user sees it.
void RecordDialog(EventLog& log, const win::headless::DialogState& state);
// A line the interpreter wrote to its listener.
void RecordListener(EventLog& log, const std::string& line);
// A call the plug-in made into the host, and whether it came on the host's UI thread.
void RecordHostCall(EventLog& log, const HostCall& call);
// A finished submission, as the module reports it (a JSON object).
void RecordSubmission(EventLog& log, const char* json);
// A step of a submission as it begins: {"event": "step", "step"}.
void RecordSubmissionStep(EventLog& log, const char* step);
// A dialog max-sim closes because the steps ran out.
void RecordClosing(EventLog& log, int dialogId);

}  // namespace maxsim
