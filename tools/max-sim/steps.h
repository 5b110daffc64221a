#pragma once
// The steps of a max-sim session, as given on the command line or in a steps file.
//
// On the command line a step is its name followed by its arguments as separate words
// ("click 1005", "text 1036 'my scene'"); a word with blanks in place of a step name is one
// whole step ("action 1497"). In a file each line is one step, blank lines and lines starting
// with "#" aside; the last argument takes the rest of the line, so paths and camera names may
// hold blanks.

#include <string>
#include <string_view>
#include <vector>

namespace maxsim {

enum class StepKind {
    Open,              // open PATH
    New,               // new
    Menu,              // menu
    NotifyStartup,     // notify-startup
    Stop,              // stop
    Start,             // start
    Action,            // action N
    Click,             // click ID
    Text,              // text ID TEXT
    Combo,             // combo ID INDEX
    Spin,              // spin ID DELTA
    Tick,              // tick NAME
    Untick,            // untick NAME
    Select,            // select NAME[,NAME...]
    DoubleClick,       // dblclick NAME
    DoubleClickEmpty,  // dblclick-empty
    Command,           // command ID
    Answer,            // answer ok|cancel|yes|no
    Wait,              // wait
    Show,              // show
    Picture,           // picture PATH
    Close,             // close
};

struct Step {
    StepKind kind = StepKind::Show;
    std::string source;              // the step as written, for reports
    std::string text;                // PATH, TEXT or NAME
    std::vector<std::string> names;  // select
    int number = 0;                  // N or ID
    int value = 0;                   // INDEX or DELTA; the answer's button id (IDOK, ...)
};

// One step from a line. False, with a sentence in `error`, when the line is not a step.
bool ParseStepLine(std::string_view line, Step& step, std::string& error);

// Steps from command-line words. False at the first word that does not make a step, with the
// words tried in `failed` and a sentence in `error`.
bool ParseStepWords(const std::vector<std::string>& words, std::vector<Step>& steps,
                    std::string& failed, std::string& error);

// Steps from a file's text, one a line. False at the first bad line, as ParseStepWords.
bool ParseStepText(std::string_view text, std::vector<Step>& steps, std::string& failed,
                   std::string& error);

}  // namespace maxsim
