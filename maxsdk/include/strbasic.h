#pragma once
// Stand-in for the host SDK's basic text type. The host's characters are wchar_t, 16-bit UTF-16
// units on Windows; on Linux, where wchar_t has 32 bits, a 16-bit type takes its place so that
// the units are the same. _M("…") makes a literal of the host's text type.

#ifdef _WIN32
#define MCHAR wchar_t
#define _M(text) L##text
#else
#define MCHAR char16_t
#define _M(text) u##text
#endif
