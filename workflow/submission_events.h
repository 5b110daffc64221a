#pragma once
// What the host (or a tool standing in for it) may learn of submissions: each finished one, and
// whether any is still under way.

#include <functional>

#include "workflow/submit_scene.h"

struct SubmissionOutcome {
    int32_t result = 0;  // the client link's result, 0 when the submission stopped before it
    SubmissionReport report;
};

// Called on the worker's thread when a submission has finished; null removes the handler.
void SetSubmissionFinishedHandler(std::function<void(const SubmissionOutcome&)> handler);
void ReportSubmissionFinished(const SubmissionOutcome& outcome);

// Called on the worker's thread as each step of a submission begins; null removes the handler.
void SetSubmissionStepHandler(std::function<void(const char* step)> handler);
void ReportSubmissionStep(const char* step);

// True when no submission worker and no progress window runs (they have finished, their
// threads have done their last step, or none was ever started).
bool SubmissionSettled();

// Counts the worker threads between their first and last step.
void WorkerStarted();
void WorkerEnded();
