#include "log/pmx_logger.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <thread>

#include "tests/support/temp_root.h"

namespace {

using testing::EndsWith;

constexpr int64_t kMiB = 1024 * 1024;
// "2024-03-05 07:08:09:045 [INFO] " + message + CR LF
constexpr size_t kLineOverhead = 23 + 8 + 2;
const std::string kLogFolder = "ZEP Rendering/log/";
// The time stamp that starts a line, as a pattern.
const std::string kStamp = R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}:\d{3} )";

class LoggerTest : public testing_support::TempRootTest {
protected:
    void SetUp() override { root.WriteFile("ZEP Rendering/script/placeholder", ""); }

    std::string Log(const std::string& name) const { return root.ReadFile(kLogFolder + name); }
    bool HasLog(const std::string& name) const { return root.Exists(kLogFolder + name); }
    // True when the log holds exactly these lines, each as "<time> " + pattern + CR LF.
    bool LogIs(const std::string& name, std::initializer_list<std::string> patterns) const {
        std::string pattern;
        for (const std::string& line : patterns) {
            pattern += kStamp + line + "\r\n";
        }
        return std::regex_match(Log(name), std::regex(pattern));
    }
    static int64_t Size(const std::string& bytes) { return static_cast<int64_t>(bytes.size()); }
};

TEST(LogTime, FieldsArePaddedAndMillisecondsFollowAColon) {
    os::LocalTime time{2024, 3, 2, 5, 7, 8, 9, 45};
    EXPECT_EQ(FormatLogTime(time, 0), "2024-03-05 07:08:09:045");
    EXPECT_EQ(FormatLogTime(time, 1), "20240305 07:08:09:045");
}

// Two loggers of one module share its file, each line after the other's; a line break in the
// text is written as CR LF too.
TEST_F(LoggerTest, WritesOneCrLfLinePerCallWithTimeAndLevel) {
    pmx_Logger first("pmx_data", 5, 2, 0);
    pmx_Logger second("pmx_data", 5, 2, 0);
    first.Write("Create camera table successfully.", "INFO");
    second.Write("two\nlines", "WARN");
    first.Write("first again", "ERROR");
    EXPECT_TRUE(LogIs("pmx_data.log", {R"(\[INFO\] Create camera table successfully\.)",
                                       "\\[WARN\\] two\r\nlines", R"(\[ERROR\] first again)"}))
        << Log("pmx_data.log");
}

TEST_F(LoggerTest, DefaultConstructedLoggerWritesNothingUntilItHasAModule) {
    pmx_Logger logger;
    logger.Write("lost", "INFO");
    logger.SetModule("pmx_ui");
    logger.SetMaxSizeMB(5);
    logger.SetFileCount(2);
    logger.Write("kept", "INFO");
    EXPECT_TRUE(LogIs("pmx_ui.log", {R"(\[INFO\] kept)"})) << Log("pmx_ui.log");
}

TEST_F(LoggerTest, RotatesOnTheLineThatReachesTheLimit) {
    root.WriteFile(kLogFolder + "pmx_data1.log", "oldest\r\n");
    pmx_Logger logger("pmx_data", 1, 2, 0);
    logger.Write(std::string(1000, 'a'), "INFO");
    // Bring the file to one byte below 1 MiB: no rotation yet.
    int64_t missing = kMiB - 1 - Size(Log("pmx_data.log"));
    logger.Write(std::string(static_cast<size_t>(missing) - kLineOverhead, 'b'), "INFO");
    ASSERT_EQ(Size(Log("pmx_data.log")), kMiB - 1);
    EXPECT_EQ(Log("pmx_data1.log"), "oldest\r\n");
    // The next line crosses the limit and stays in the rotated file.
    logger.Write("crossing", "INFO");
    EXPECT_THAT(Log("pmx_data1.log"), EndsWith("[INFO] crossing\r\n"));
    EXPECT_EQ(Size(Log("pmx_data1.log")),
              kMiB - 1 + Size("crossing") + static_cast<int64_t>(kLineOverhead));
    EXPECT_EQ(Log("pmx_data.log"), "");
    logger.Write("fresh", "INFO");
    EXPECT_TRUE(LogIs("pmx_data.log", {R"(\[INFO\] fresh)"})) << Log("pmx_data.log");
}

// A line that ends exactly at the limit rotates; rotation renumbers the older files past gaps
// in the numbering and drops the oldest of a full set.
TEST_F(LoggerTest, RotationShiftsTheOlderFilesUpAndDropsTheOldest) {
    using Files = std::map<int, std::string>;  // number: content ("" for no such file)
    const std::pair<Files, Files> cases[] = {
        {{}, {{2, ""}}},
        {{{1, "one"}, {3, "three"}}, {{2, "one"}, {3, ""}, {4, "three"}, {5, ""}}},
        {{{1, "1"}, {2, "2"}, {3, "3"}, {4, "4"}}, {{2, "1"}, {3, "2"}, {4, "3"}, {5, ""}}},
    };
    for (const auto& [before, after] : cases) {
        for (const auto& [number, content] : before) {
            root.WriteFile(kLogFolder + "pmx_http" + std::to_string(number) + ".log", content);
        }
        {
            pmx_Logger logger("pmx_http", 1, 5, 0);
            logger.Write(std::string(static_cast<size_t>(kMiB) - kLineOverhead, 'x'), "INFO");
        }  // closed, so that the folder can go (Windows keeps open files)
        EXPECT_EQ(Size(Log("pmx_http1.log")), kMiB);
        EXPECT_EQ(Log("pmx_http.log"), "");
        for (const auto& [number, content] : after) {
            const std::string name = "pmx_http" + std::to_string(number) + ".log";
            EXPECT_EQ(Log(name), content) << name;
            EXPECT_EQ(HasLog(name), !content.empty()) << name;
        }
        std::filesystem::remove_all(root.Path() / "ZEP Rendering" / "log");
    }
}

TEST_F(LoggerTest, ConcurrentWritersNeverInterleaveLinesOrRotations) {
    pmx_Logger logger("pmx_data", 1, 3, 0);
    const std::string payload(40 * 1024, 'p');
    auto writer = [&](const std::string& tag) {
        for (int i = 0; i < 20; ++i) {
            logger.Write(tag + payload, "INFO");
        }
    };
    std::thread a(writer, "A");
    std::thread b(writer, "B");
    a.join();
    b.join();
    size_t total = 0;
    for (const char* name : {"pmx_data.log", "pmx_data1.log", "pmx_data2.log"}) {
        std::istringstream in(Log(name));
        for (std::string line; std::getline(in, line); ++total) {
            ASSERT_EQ(line.size(), kLineOverhead - 1 + 1 + payload.size()) << name;  // tag, no LF
        }
    }
    EXPECT_EQ(total, 40u);  // about 1.6 MiB: one rotation, nothing dropped
}

TEST(LoggerWithoutDataFolder, WritesNothingAndGoesOn) {
    testing_support::TempRoot root;  // no "ZEP Rendering" folder in it
    pmx_Logger logger("pmx_data", 5, 2, 0);
    logger.Write("nobody reads this", "INFO");
    EXPECT_FALSE(root.Exists("ZEP Rendering"));
}

}  // namespace
