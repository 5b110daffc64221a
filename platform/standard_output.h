#pragma once
// The process's standard output as the plug-in writes to it: one line at a time, through a
// destination that a tool printing a document of its own there can take over.

#include <string_view>

namespace os {

// Receives each line, without its line end.
using OutputLineSink = void (*)(std::string_view line);

// Where the lines go from now on; nullptr (the start) sends them to std::cout.
void SetStandardOutputSink(OutputLineSink sink);

// Writes `line` and a line end to standard output (flushed), or hands it to the sink.
void WriteStandardOutputLine(std::string_view line);

}  // namespace os
