#pragma once
// zep-submit's way into the plug-in: the main dialog, opened headless over a minimal host (the
// open scene is a file on disk, the analysis script's result is the given analysis file, saving
// copies the file, the cleaning scripts run and change nothing), with every choice flag turned
// into the user's action on its control. The dialog's rules thus hold for the tool too.

#include <json/json.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tools/zep-submit/choice_flags.h"
#include "workflow/submission_events.h"

struct DialogSession {
    std::string analysisPath;  // UTF-8
    std::string scenePath;     // UTF-8
    ChoiceFlags choices;
    std::optional<std::string> sceneName;  // typed into the scene name field
    bool cleanScene = false;               // box 1000
    // What the user finally does in the open dialog, after the choices (submit, or write the
    // job description). The dialog is closed afterwards if it is still open.
    std::function<void(HWND dialog)> finish;
    // Told of each step of a submission as it begins (null: nothing).
    std::function<void(const char* step)> stepBegins;
};

struct DialogSessionOutcome {
    bool opened = false;                       // the dialog came up ready for the user
    std::string stoppedAt;                     // where it stopped when no submission ran to its end
    std::vector<std::u16string> refusedNames;  // the camera names, when it stopped at them
    std::vector<std::string> errors;           // flags the dialog would not take, as sentences
    std::optional<SubmissionOutcome> submission;
};

// Runs the dialog on the calling thread and returns when it has closed.
DialogSessionOutcome RunDialogSession(const DialogSession& session);

// The members a JSON summary adds for where the dialog stopped before it was ready:
// "stoppedAt", and "refusedNames" when it stopped at the camera names.
void AddStopJson(const DialogSessionOutcome& outcome, Json::Value& output);

// The finish of `zep-submit submit`: the submit button, then waiting until the submission has
// run its course.
void SubmitAndWait(HWND dialog);
