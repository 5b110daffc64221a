#pragma once
// How a script file of the plug-in data folder says what it is, so that the simulated host's
// interpreter knows what running it means. farm-client install writes the marker line into
// each script it lays out: "-- zep-role: analysis" for the analysis script (which defines
// gMax.analysis) and "-- zep-role: clean FAMILY" for the cleaning script of one family of
// malicious scene scripts (ADSL, ALC or CRP).

#include <string>
#include <string_view>

namespace maxsim {

inline constexpr std::string_view kRoleMarker = "-- zep-role: ";
inline constexpr std::string_view kAnalysisRole = "analysis";
inline constexpr std::string_view kCleaningRole = "clean ";

struct ScriptRole {
    enum class Kind { Unknown, Analysis, Cleaning };
    Kind kind = Kind::Unknown;
    std::string family;  // of a cleaning script
};

// The role the first marker line of `text` names; Unknown when there is none or it names
// nothing known.
inline ScriptRole IdentifyScript(std::string_view text) {
    ScriptRole role;
    size_t marker = text.find(kRoleMarker);
    if (marker == std::string_view::npos || (marker > 0 && text[marker - 1] != '\n')) {
        return role;
    }
    std::string_view rest = text.substr(marker + kRoleMarker.size());
    rest = rest.substr(0, rest.find_first_of("\r\n"));
    if (rest == kAnalysisRole) {
        role.kind = ScriptRole::Kind::Analysis;
    } else if (rest.starts_with(kCleaningRole) && rest.size() > kCleaningRole.size()) {
        role.kind = ScriptRole::Kind::Cleaning;
        role.family = std::string(rest.substr(kCleaningRole.size()));
    }
    return role;
}

}  // namespace maxsim
