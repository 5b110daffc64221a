#pragma once
// The job's camera list, written straight as text. Jobs with thousands of cameras are common, and
// building them as JSON values only for the styled writer to turn them into text took most of
// the job writer's own time.

#include <string>

#include "scene/plugin_state.h"

// True when at least one camera is selected: only then does the job carry a camera list.
bool HasSelectedCamera(const CameraMap& cameras);

// The selected cameras, in the map's order, exactly as jsoncpp's StyledWriter writes them as the
// value of a member of the root object: from "[" to the "]" that closes the list, each camera an
// object with its members in key order.
std::string StyledCameraList(const CameraMap& cameras);
