#pragma once
// Stand-in for the host SDK's umbrella header.

#include "maxapi.h"
#include "maxheap.h"
#include "maxtypes.h"
#include "notify.h"
#include "strclass.h"
