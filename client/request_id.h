#pragma once

#include <string>

// A fresh GUID text in the form 8-4-4-4-12 of upper-case hexadecimal digits, without braces; it
// names an analysis result file or a job description file. Empty, with an ERROR line in the
// pmx_http log, when no GUID could be made.
std::u16string NewRequestId();
