#pragma once
// Stand-in for the host's descriptor of classes with parameter blocks; the plug-in's class has
// none, and keeps every answer of ClassDesc it does not give itself.

#include "plugapi.h"

class ClassDesc2 : public ClassDesc {
public:
    virtual int NumParamBlockDescs() { return 0; }
};
