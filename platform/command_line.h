#pragma once
// Windows command lines as text: how CommandLineToArgvW splits them and how CreateProcessW finds
// the program of an unquoted path that holds blanks.

#include <functional>
#include <string>
#include <vector>

namespace os {

// Splits a command line by the CommandLineToArgvW rules: the first argument is the program,
// taken up to the next blank or tab, or between quotes with no escapes; the others honour
// quotes, doubled quotes and back-slashes before quotes.
std::vector<std::u16string> SplitCommandLine(const std::u16string& commandLine);

// Splits the arguments that follow the program (every argument by the rules of the second and
// later ones).
std::vector<std::u16string> SplitArguments(const std::u16string& arguments);

struct ProgramAndArguments {
    std::u16string program;
    std::u16string arguments;  // the rest of the command line after the program
};

// Finds the program of a command line the way CreateProcessW does without an application name:
// a quoted first token is the program; otherwise each blank-separated prefix is tried in turn,
// shortest first, as itself and, when its last part has no extension, with ".exe" appended,
// until `isProgram` accepts one. False when none is accepted.
bool FindProgram(const std::u16string& commandLine,
                 const std::function<bool(const std::u16string&)>& isProgram,
                 ProgramAndArguments& found);

}  // namespace os
