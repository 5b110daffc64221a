#pragma once
// The MAXScript the simulated host understands: the statements the plug-in sends, one a line.
//   fileIn "<path>"                   runs a script file
//   gMax.analysis "<result>" "<opt>"  writes the open scene's analysis (after the analysis
//                                     script has been run)
// Names are matched without regard to case, as MAXScript does; the texts between the double
// quotes are taken as they stand.

#include <string>
#include <vector>

namespace maxsim {

struct Statement {
    enum class Kind { FileIn, Analysis };
    Kind kind = Kind::FileIn;
    std::u16string path;     // the script file, or the analysis result file
    std::u16string options;  // gMax.analysis's second argument
};

// False, with a sentence in `error`, for a line that is none of the statements.
bool ParseStatements(const std::u16string& script, std::vector<Statement>& statements,
                     std::string& error);

}  // namespace maxsim
