// Windows paths of a plug-in under Wine read back as Linux paths through the prefix's drives.
#include <gtest/gtest.h>

#include <filesystem>

#include "tools/farm-client/wine_paths.h"

namespace {

namespace fs = std::filesystem;

TEST(WinePathsTest, DrivePathsGoThroughThePrefixDrivesAndOthersStayAsTheyAre) {
    const fs::path prefix = fs::temp_directory_path() / "zep-wine-paths-test";
    fs::remove_all(prefix);
    fs::create_directories(prefix / "dosdevices");
    fs::create_directories(prefix / "drive_c" / "scenes");
    fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
    fs::create_directory_symlink("/", prefix / "dosdevices" / "z:");
    const std::string c = fs::canonical(prefix / "drive_c").string();
    const std::pair<std::string, std::string> cases[] = {
        {R"(C:\scenes\studio.max)", c + "/scenes/studio.max"},
        {R"(c:/scenes/a b\x.7z)", c + "/scenes/a b/x.7z"},
        {R"(Z:\tmp\job.json)", "/tmp/job.json"},
        {R"(D:\elsewhere\x.max)", R"(D:\elsewhere\x.max)"},  // no such drive
        {"/tmp/plain.max", "/tmp/plain.max"},
        {"C:relative.max", "C:relative.max"},
        {"", ""},
    };
    for (const auto& [windows, linux] : cases) {
        EXPECT_EQ(farm::LinuxPathInWinePrefix(prefix.string(), windows), linux) << windows;
    }
    EXPECT_EQ(farm::LinuxPathInWinePrefix("", R"(C:\x.max)"), R"(C:\x.max)");
    fs::remove_all(prefix);
}

}  // namespace
