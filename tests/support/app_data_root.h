#pragma once
// Points the all-users application-data folder (os::CommonAppDataFolder) at another folder
// while the object lives. Linux: the PROGRAMDATA environment variable that the stand-in reads.
// Windows: the "Common AppData" shell folder of the machine's registry, which the shell reads
// on every call (tests run one program at a time in their own Wine prefix).

#include <string>

namespace testing_support {

class AppDataRootOverride {
public:
    explicit AppDataRootOverride(const std::u16string& folder);
    ~AppDataRootOverride();
    AppDataRootOverride(const AppDataRootOverride&) = delete;
    AppDataRootOverride& operator=(const AppDataRootOverride&) = delete;

private:
    std::u16string saved_;
    bool hadValue_ = false;
};

}  // namespace testing_support
