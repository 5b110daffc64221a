#pragma once
// The module's string table. Two loaders, each returning a pointer into its own static buffer
// of 256 UTF-16 units (LoadStringW), so a text must be copied before the same loader is used
// again. Before the module handle is set, and for a string the table lacks, they return null.
// The buffers are kept per thread, so a worker thread's texts never overwrite the dialog's.

#include <string>

#include "resources/resource.h"

// The module whose language resources hold the strings (the plug-in's HINSTANCE). On Linux any
// non-null value makes the built-in tables available; the language comes from ZEP_LANGUAGE
// (en, zh-CN or ids) when the handle is set.
void SetResourceModule(void* module);
void* ResourceModule();

const char16_t* LoadResourceString(int id);
const char16_t* LoadResourceString2(int id);

// A copy of string `id` through the first loader; empty when it is missing.
std::u16string ResourceText(int id);
