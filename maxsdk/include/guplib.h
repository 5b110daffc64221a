#pragma once
// Stand-in for the host SDK's header of global utility plug-ins.

#include "gup.h"
