#pragma once
// Requests from the submission to the progress window, which polls them every 30 ms.

// Asks the progress window to close, when it runs.
void CloseProgress();
// Asks it to hide (true) or to show itself again (false), when it runs.
void HideProgress(bool hide);
// Whether the progress window runs now.
bool ProgressRuns();
