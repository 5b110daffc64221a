#pragma once
// Stand-in for the host SDK's origin of a MAXScript text.

namespace MAXScript {

enum class ScriptSource : int {
    NotSpecified = 0,
    Embedded,
    NonEmbedded,
    Dynamic,
};

}  // namespace MAXScript
