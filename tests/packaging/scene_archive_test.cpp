#include "packaging/scene_archive.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "packaging/archive_accounts.h"
#include "platform/crt_random.h"
#include "platform/local_time.h"
#include "tests/support/temp_root.h"
#include "text/conversions.h"

namespace {

namespace fs = std::filesystem;
using testing_support::U16;

constexpr char kSevenZip[] = ZEP_TEST_SEVEN_ZIP;

constexpr std::string_view kTokenCharacters =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

#ifdef _WIN32
constexpr char kNoInput[] = "NUL";
#else
constexpr char kNoInput[] = "/dev/null";
#endif

bool IsTokenText(const std::string& text) {
    return text.size() == 6 && text.find_first_not_of(kTokenCharacters) == std::string::npos;
}

class SceneArchiveTest : public testing_support::TempRootTest {
protected:
    void SetUp() override {
        root.WriteFile("out/placeholder", "");
        settings.archiveFolder = root.Wide("out/compress");
        settings.archiverPath = root.Wide("ZEP Rendering/7-Zip/7z.exe");
        archiveFolder = (root.Path() / "out" / "compress").string();
        save = (root.Path() / "save").string();
    }

    bool Build(const std::string& scenePath, const std::string& entry = {}) {
        settings.scenePath = scenePath;
        return BuildArchiveCommand(entry, settings, login);
    }

    // The archive must be "<folder>/<base>_<token>.7z" and the arguments exactly those of it.
    void ExpectCommand(const std::string& folder, const std::string& base,
                       const std::string& password = {}, const std::string& entry = {}) {
        const std::string prefix = folder + "/" + base + "_";
        const std::string& path = settings.archivePath;
        EXPECT_TRUE(path.starts_with(prefix) && path.ends_with(".7z")) << path;
        EXPECT_TRUE(IsTokenText(path.substr(prefix.size(), path.size() - prefix.size() - 3)))
            << path;
        EXPECT_EQ(settings.archiverArguments,
                  entry + " a -mx=3 -mmt=2 -t7z" + (password.empty() ? "" : " -p" + password) +
                      " \"" + Utf8ToAnsi(path) + "\" \"" + Utf8ToAnsi(settings.scenePath) + "\"");
    }

    void LoginAs(std::u16string_view account, const std::string& savePathUtf8) {
        login = {std::u16string(account), U16(savePathUtf8), savePathUtf8, true};
    }

    // Builds and runs the archiver as the client installs it: "ZEP Rendering/7-Zip/7z.exe".
    void Pack(const std::string& scene, const std::string& content) {
        fs::create_directories(root.Path() / "ZEP Rendering" / "7-Zip");
        fs::copy_file(kSevenZip, root.Path() / "ZEP Rendering" / "7-Zip" / "7z.exe");
        root.WriteFile(scene, content);
        ASSERT_TRUE(Build(testing_support::U8(root.Wide(scene))));
        RunArchiver(settings);
        ASSERT_TRUE(fs::exists(U16(settings.archivePath)));
    }

    // Runs 7-Zip on the archive with no input (so it never waits for a password); gives its
    // exit code and keeps its output. The command reads the same to sh and to cmd.
    int SevenZip(const std::string& arguments) {
        const std::string command = "\"" + std::string(kSevenZip) + "\" " + arguments + " \"" +
                                    settings.archivePath + "\" <" + kNoInput + " >\"" +
                                    testing_support::U8(root.Wide("7z-output.txt")) + "\" 2>&1";
#ifdef _WIN32
        // cmd /c takes away the outer quotes; the program's text is in the ANSI code page.
        const int status = std::system(Utf8ToAnsi("\"" + command + "\"").c_str());
        output = ToUtf8(FromLocalMultibyte(root.ReadFile("7z-output.txt")));
        std::erase(output, '\r');
        return status;
#else
        const int status = std::system(command.c_str());
        output = root.ReadFile("7z-output.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    }

    PluginSettings settings;
    ClientLogin login;
    std::string archiveFolder;
    std::string save;
    std::string output;
};

TEST(RandomTokenTest, SixCharactersOfTheSecondsGenerator) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        const int64_t before = os::CurrentTimeSeconds();
        const std::string first = RandomToken();
        const std::string second = RandomToken();
        if (os::CurrentTimeSeconds() != before) {
            continue;
        }
        EXPECT_TRUE(IsTokenText(first)) << first;
        EXPECT_EQ(first, second);
        os::CrtSrand(static_cast<uint32_t>(before));
        std::string expected;
        for (int i = 0; i < 6; ++i) {
            expected += kTokenCharacters[static_cast<size_t>(os::CrtRand()) % 62];
        }
        EXPECT_EQ(first, expected);
        return;
    }
    FAIL() << "no two tokens within one second";
}

TEST_F(SceneArchiveTest, OrdinaryAccountArchivesIntoTheArchiveFolderByBaseName) {
    struct Case {
        std::string scene;
        std::string base;  // after the last back-slash, else slash, up to the last dot
        bool accepted;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"C:/my.work/house.max", "house", true},
             {"C:\\work\\a.b.max", "a.b", true},
             {"C:\\my.work\\house", "house", true},
             {"house", "house", true},
             {"C:/work\\sub/house.max", "sub/house", true},
             {"D:\\场景\\客厅 1.max", "客厅 1", true},  // both paths in the ANSI code page
             {"D:\\한.max", "?", true},                 // not in the ANSI code page
             {"C:\\work\\house .max", "house ", false},
             {"C:\\work\\house..max", "house.", false},
             {"C:\\work\\house. .max", "house. ", false},
             {"C:\\work\\.max", "", false},
             {"C:/work/", "", false},
         }) {
        SCOPED_TRACE(c.scene);
        settings.archivePath.clear();
        settings.archiverArguments.clear();
        // The refusal comes after the outputs are stored.
        EXPECT_EQ(Build(c.scene, "7z"), c.accepted);
        ExpectCommand(archiveFolder, c.base, "", "7z");
    }
    EXPECT_TRUE(fs::is_directory(archiveFolder));
}

TEST_F(SceneArchiveTest, ListedAccountWithSaveFolderGetsItsFolderAndPassword) {
    root.WriteFile("save/placeholder", "");
    // The scene's folder below the save folder is made by the first account, then reused.
    for (std::u16string_view account : kArchiveAccounts) {
        LoginAs(account, save);
        ASSERT_TRUE(Build("C:\\work\\house.max"));
        EXPECT_TRUE(fs::is_directory(archiveFolder));
        ExpectCommand(save + "/house", "house",
                      "26c6ab643ecbdcd0df5946f298489002e0fca6dc252a4c23148f931bae99d41b");
    }
}

TEST_F(SceneArchiveTest, OtherLoginsArchiveIntoTheArchiveFolder) {
    root.WriteFile("save/placeholder", "");
    root.WriteFile("保存/placeholder", "");
    const std::u16string listed(kArchiveAccounts[2]);
    const std::string password = ArchivePassword(u"house");
    struct Case {
        std::u16string user;
        std::string savePath;
        bool complete;
        std::string password;
    };
    for (const Case& c : std::initializer_list<Case>{
             {listed, testing_support::U8(root.Wide("missing")), true, password},
             // The runtime reads the UTF-8 text in the "chs" code page: the folder is missing.
             {listed, testing_support::U8(root.Wide("保存")), true, password},
             {listed, "/", true, ""},
             {listed, save, false, ""},
             // Only a whole, exact account name counts.
             {listed.substr(0, 7), save, true, ""},
             {u" " + listed, save, true, ""},
             {listed + u"0", save, true, ""},
             {u"", save, true, ""},
         }) {
        SCOPED_TRACE(testing_support::U8(c.user) + " " + c.savePath);
        LoginAs(c.user, c.savePath);
        login.complete = c.complete;
        ASSERT_TRUE(Build("C:\\work\\house.max"));
        ExpectCommand(archiveFolder, "house", c.password);
    }
    EXPECT_FALSE(root.Exists("missing"));
    EXPECT_FALSE(root.Exists("save/house"));
}

TEST_F(SceneArchiveTest, MissingParentFolderIsNotAnError) {
    settings.archiveFolder = root.Wide("none/compress");
    EXPECT_TRUE(Build("C:\\work\\house.max"));
    EXPECT_FALSE(root.Exists("none"));
}

TEST_F(SceneArchiveTest, SevenZipPacksTheSceneUnderItsPlainNameWithTheDerivedPassword) {
    root.WriteFile("scenes/house.max", "");
    ASSERT_TRUE(Build((root.Path() / "scenes" / "house.max").string()));
    RunArchiver(settings);  // a missing archiver is not reported
    EXPECT_FALSE(fs::exists(settings.archivePath));

    root.WriteFile("save/placeholder", "");
    for (const auto& [name, account] : std::initializer_list<std::pair<std::string, bool>>{
             {"house.max", false}, {"客厅.max", false}, {"house.max", true}}) {
        SCOPED_TRACE(name + (account ? " of a listed account" : ""));
        const std::string password = account ? " -p" + ArchivePassword(u"house") : "";
        if (account) {
            LoginAs(kArchiveAccounts[0], save);
        }
        ASSERT_NO_FATAL_FAILURE(Pack("scenes/" + name, std::string(100000, 'h') + name));
        ASSERT_EQ(SevenZip("l -slt"), 0) << output;
        EXPECT_NE(output.find("\nPath = " + name + "\n"), std::string::npos) << output;
        EXPECT_EQ(output.find("Encrypted = +") != std::string::npos, account) << output;
        EXPECT_EQ(SevenZip("t") != 0, account) << output;
        ASSERT_EQ(
            SevenZip("x" + password + " -o\"" + testing_support::U8(root.Wide("extracted")) + "\""),
            0)
            << output;
        EXPECT_EQ(root.ReadFile("extracted/" + name), std::string(100000, 'h') + name);
        fs::remove_all(root.Path() / "extracted");
        fs::remove_all(root.Path() / "ZEP Rendering");
    }
}

}  // namespace
