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
#include <tuple>
#include <utility>

#include "packaging/archive_accounts.h"
#include "tests/support/temp_root.h"
#include "text/conversions.h"

namespace {

namespace fs = std::filesystem;
using testing_support::U16;
using testing_support::U8;

constexpr char kSevenZip[] = ZEP_TEST_SEVEN_ZIP;
// The archive password of a scene called "house".
const std::string kHousePassword =
    "26c6ab643ecbdcd0df5946f298489002e0fca6dc252a4c23148f931bae99d41b";

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
        ASSERT_TRUE(Build(U8(root.Wide(scene))));
        RunArchiver(settings);
        ASSERT_TRUE(fs::exists(U16(settings.archivePath)));
    }

    // Runs 7-Zip on the archive with no input (so it never waits for a password); gives its
    // exit code and keeps its output. The command reads the same to sh and to cmd.
    int SevenZip(const std::string& arguments) {
        const std::string command = "\"" + std::string(kSevenZip) + "\" " + arguments + " \"" +
                                    settings.archivePath + "\" <" + kNoInput + " >\"" +
                                    U8(root.Wide("7z-output.txt")) + "\" 2>&1";
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

TEST(ArchiveAccountsTest, PasswordInterleavesTheDigestsOfTheUtf8Text) {
    // md5("房子") = 9a6a1945..., md5("房子.zepkey") = c927f899...
    EXPECT_EQ(ArchivePassword(u"房子"),
              "9ca962a71f98495991915bd498ed9831d4b0c5676af6724d59676b55123c8071");
    // md5("") = d41d8cd9..., md5(".zepkey") = 492cf4bb...
    EXPECT_EQ(ArchivePassword(u"").substr(0, 8), "d44912dc");
    EXPECT_EQ(ArchivePassword(std::u16string(500, u'x')).size(), 64u);
}

TEST_F(SceneArchiveTest, OrdinaryAccountArchivesIntoTheArchiveFolderByBaseName) {
    // The scene, its base name (after the last back-slash, else slash, up to the last dot) and
    // whether it is accepted.
    for (const auto& [scene, base, accepted] :
         std::initializer_list<std::tuple<std::string, std::string, bool>>{
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
        SCOPED_TRACE(scene);
        settings.archivePath.clear();
        settings.archiverArguments.clear();
        // The refusal comes after the outputs are stored.
        EXPECT_EQ(Build(scene, "7z"), accepted);
        ExpectCommand(archiveFolder, base, "", "7z");
    }
    EXPECT_TRUE(fs::is_directory(archiveFolder));

    // A missing parent of the archive folder is not an error.
    settings.archiveFolder = root.Wide("none/compress");
    EXPECT_TRUE(Build("C:\\work\\house.max"));
    EXPECT_FALSE(root.Exists("none"));
}

// A listed account with a save folder gets the scene's folder below it (made by the first
// account, then reused) and the password; any other login archives into the archive folder.
TEST_F(SceneArchiveTest, TheLoginDecidesTheFolderAndThePassword) {
    root.WriteFile("save/placeholder", "");
    root.WriteFile("保存/placeholder", "");
    const std::u16string listed(kArchiveAccounts[2]);
    // The user, the save path, whether the login is complete and the password expected.
    for (const auto& [user, savePath, complete, password] :
         std::initializer_list<std::tuple<std::u16string, std::string, bool, std::string>>{
             {listed, U8(root.Wide("missing")), true, kHousePassword},
             // The runtime reads the UTF-8 text in the "chs" code page: the folder is missing.
             {listed, U8(root.Wide("保存")), true, kHousePassword},
             {listed, "/", true, ""},
             {listed, save, false, ""},
             // Only a whole, exact account name counts.
             {listed.substr(0, 7), save, true, ""},
             {u" " + listed, save, true, ""},
             {listed + u"0", save, true, ""},
             {u"", save, true, ""},
         }) {
        SCOPED_TRACE(U8(user) + " " + savePath);
        LoginAs(user, savePath);
        login.complete = complete;
        ASSERT_TRUE(Build("C:\\work\\house.max"));
        ExpectCommand(archiveFolder, "house", password);
    }
    EXPECT_FALSE(root.Exists("missing"));
    EXPECT_FALSE(root.Exists("save/house"));

    for (std::u16string_view account : kArchiveAccounts) {
        LoginAs(account, save);
        ASSERT_TRUE(Build("C:\\work\\house.max"));
        EXPECT_TRUE(fs::is_directory(archiveFolder));
        ExpectCommand(save + "/house", "house", kHousePassword);
    }
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
        const std::string password = account ? " -p" + kHousePassword : "";
        if (account) {
            LoginAs(kArchiveAccounts[0], save);
        }
        ASSERT_NO_FATAL_FAILURE(Pack("scenes/" + name, std::string(100000, 'h') + name));
        ASSERT_EQ(SevenZip("l -slt"), 0) << output;
        EXPECT_NE(output.find("\nPath = " + name + "\n"), std::string::npos) << output;
        EXPECT_EQ(output.find("Encrypted = +") != std::string::npos, account) << output;
        EXPECT_EQ(SevenZip("t") != 0, account) << output;
        ASSERT_EQ(SevenZip("x" + password + " -o\"" + U8(root.Wide("extracted")) + "\""), 0)
            << output;
        EXPECT_EQ(root.ReadFile("extracted/" + name), std::string(100000, 'h') + name);
        fs::remove_all(root.Path() / "extracted");
        fs::remove_all(root.Path() / "ZEP Rendering");
    }
}

}  // namespace
