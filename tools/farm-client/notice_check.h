#pragma once
// What the farm client makes of a submission notice: the reply code and, for archive problems,
// the text that tells the user what is wrong.

#include <string>

namespace farm {

enum ReplyCode : int {
    kAccepted = 10001,
    kSceneMissing = 10005,
    kJobMissing = 10006,
    kJobUnreadable = 10007,
    kWrongSuffix = 10008,
    kRepeated = 10009,
    kArchiveProblem = 10010,
    kInternalError = 11000,
};

struct Notice {
    std::string scenePath;
    std::string filePath;
    std::string maxVersion;
    std::string compressPath;
    unsigned saveSceneFile = 0;
};

struct Verdict {
    int code = kAccepted;
    std::string err;  // for kArchiveProblem
};

struct CheckContext {
    std::string sevenZip;  // the program that opens archives
    std::string userName;  // the user the client publishes, UTF-8
};

// True when body is a JSON object with the members scenePath, filePath, maxVersion and
// compressPath (strings) and PLUGIN_SAVE_SCENE_FILE (an unsigned integer).
bool ParseNotice(const std::string& body, Notice& notice);

// The checks after the body, in order: the scene file exists and ends in ".max", the job
// description exists and is a JSON object, the archive holds the scene file and opens as the
// user's archives must. On kAccepted jobDigest is the MD5 of the job description's bytes.
Verdict CheckNotice(const Notice& notice, const CheckContext& context, std::string& jobDigest);

// The part of a path after its last slash or back-slash.
std::string PlainFileName(const std::string& path);

}  // namespace farm
