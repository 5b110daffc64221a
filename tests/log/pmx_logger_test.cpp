#include "log/pmx_logger.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

#include "tests/support/temp_root.h"

namespace {

using testing_support::TempRootTest;

constexpr int64_t kMiB = 1024 * 1024;
// "2024-03-05 07:08:09:045 [INFO] " + message + CR LF
constexpr size_t kLineOverhead = 23 + 8 + 2;
const char kLogFolder[] = "ZEP Rendering/log";

class LoggerTest : public TempRootTest {
protected:
    void SetUp() override { root.WriteFile("ZEP Rendering/script/placeholder", ""); }

    std::string Log(const std::string& name) const {
        return root.ReadFile(std::string(kLogFolder) + "/" + name);
    }
    bool HasLog(const std::string& name) const {
        return root.Exists(std::string(kLogFolder) + "/" + name);
    }
    void PutLog(const std::string& name, const std::string& bytes) const {
        root.WriteFile(std::string(kLogFolder) + "/" + name, bytes);
    }
    static int64_t Size(const std::string& bytes) { return static_cast<int64_t>(bytes.size()); }
};

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(LogTime, FieldsArePaddedAndMillisecondsFollowAColon) {
    os::LocalTime time{2024, 3, 2, 5, 7, 8, 9, 45};
    EXPECT_EQ(FormatLogTime(time, 0), "2024-03-05 07:08:09:045");
    EXPECT_EQ(FormatLogTime(time, 1), "20240305 07:08:09:045");
}

TEST_F(LoggerTest, WritesOneCrLfLinePerCallWithTimeAndLevel) {
    pmx_Logger logger("pmx_data", 5, 2, 0);
    logger.Write("Create camera table successfully.", "INFO");
    logger.Write("two\nlines", "WARN");
    std::string bytes = Log("pmx_data.log");
    std::regex line(
        R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}:\d{3} \[INFO\] Create camera table successfully\.)"
        "\r\n"
        R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}:\d{3} \[WARN\] two)"
        "\r\nlines\r\n");
    EXPECT_TRUE(std::regex_match(bytes, line)) << bytes;
}

TEST_F(LoggerTest, DefaultConstructedLoggerWritesNothingUntilItHasAModule) {
    pmx_Logger logger;
    logger.Write("lost", "INFO");
    logger.SetModule("pmx_ui");
    logger.SetMaxSizeMB(5);
    logger.SetFileCount(2);
    logger.Write("kept", "INFO");
    EXPECT_THAT(Log("pmx_ui.log"), testing::EndsWith("[INFO] kept\r\n"));
    EXPECT_EQ(Lines(Log("pmx_ui.log")).size(), 1u);
}

TEST_F(LoggerTest, RotatesOnTheLineThatReachesTheLimit) {
    PutLog("pmx_data1.log", "oldest\r\n");
    pmx_Logger logger("pmx_data", 1, 2, 0);
    logger.Write(std::string(1000, 'a'), "INFO");
    // Bring the file to one byte below 1 MiB: no rotation yet.
    int64_t missing = kMiB - 1 - Size(Log("pmx_data.log"));
    logger.Write(std::string(static_cast<size_t>(missing) - kLineOverhead, 'b'), "INFO");
    ASSERT_EQ(Size(Log("pmx_data.log")), kMiB - 1);
    EXPECT_EQ(Log("pmx_data1.log"), "oldest\r\n");
    // The next line crosses the limit and stays in the rotated file.
    logger.Write("crossing", "INFO");
    EXPECT_THAT(Log("pmx_data1.log"), testing::EndsWith("[INFO] crossing\r\n"));
    EXPECT_EQ(Size(Log("pmx_data1.log")),
              kMiB - 1 + Size("crossing") + static_cast<int64_t>(kLineOverhead));
    EXPECT_EQ(Log("pmx_data.log"), "");
    logger.Write("fresh", "INFO");
    EXPECT_THAT(Log("pmx_data.log"), testing::EndsWith("[INFO] fresh\r\n"));
    EXPECT_EQ(Lines(Log("pmx_data.log")).size(), 1u);
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
            PutLog("pmx_http" + std::to_string(number) + ".log", content);
        }
        {
            pmx_Logger logger("pmx_http", 1, 5, 0);
            logger.Write(std::string(static_cast<size_t>(kMiB) - kLineOverhead, 'x'), "INFO");
        }  // closed, so that the folder can go (Windows keeps open files)
        EXPECT_EQ(Size(Log("pmx_http1.log")), kMiB);
        EXPECT_EQ(Log("pmx_http.log"), "");
        for (const auto& [number, content] : after) {
            const std::string name = "pmx_http" + std::to_string(number) + ".log";
            EXPECT_EQ(HasLog(name) ? Log(name) : "", content) << name;
            EXPECT_EQ(HasLog(name), !content.empty()) << name;
        }
        std::filesystem::remove_all(root.Path() / kLogFolder);
    }
}

TEST_F(LoggerTest, LowerVersionIsGluedToTheLogFolderName) {
    root.WriteFile("ZEP Rendering/script/pmx_plugin.ini", "[general]\r\nlowerversion=2022\r\n");
    pmx_Logger logger("pmx_ui", 5, 2, 0);
    logger.Write("hello", "INFO");
    EXPECT_TRUE(root.Exists("ZEP Rendering/log2022/pmx_ui.log"));
    EXPECT_THAT(logger.Folder(), testing::EndsWith("/ZEP Rendering/log2022"));
}

TEST_F(LoggerTest, TwoLoggersOfOneModuleShareTheFile) {
    pmx_Logger first("pmx_http", 2, 5, 0);
    pmx_Logger second("pmx_http", 2, 5, 0);
    first.Write("from first", "INFO");
    second.Write("from second", "ERROR");
    first.Write("first again", "INFO");
    std::vector<std::string> lines = Lines(Log("pmx_http.log"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_THAT(lines[1], testing::EndsWith("[ERROR] from second\r"));
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
        for (const std::string& line : Lines(Log(name))) {
            ASSERT_EQ(line.size(), kLineOverhead - 1 + 1 + payload.size()) << name;  // tag, no LF
            ++total;
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
