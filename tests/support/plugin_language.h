#pragma once
// For the programs that carry the plug-in's resources.

#include "resources/string_loader.h"
#include "tests/support/environment.h"

namespace testing_support {

// The plug-in's strings and dialogs in `name` ("en", "zh-CN" or "ids"): the language is chosen,
// then the module set, which is when the plug-in reads the language.
inline void UsePluginLanguage(const char* name) {
    UseResourceLanguage(name);
    SetResourceModule(TestResourceModule());
}

}  // namespace testing_support
