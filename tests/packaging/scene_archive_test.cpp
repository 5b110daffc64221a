#include "packaging/scene_archive.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "packaging/archive_accounts.h"
#include "platform/crt_random.h"
#include "platform/local_time.h"
#include "tests/support/temp_root.h"
#include "text/conversions.h"

namespace {

namespace fs = std::filesystem;
using testing_support::U16;
using testing_support::U8;

constexpr char kSevenZip[] = "/usr/bin/7zz";
constexpr char kFixedPart[] = " a -mx=3 -mmt=2 -t7z";

// The token RandomToken gives in the second `seconds`.
std::string TokenOfSecond(int64_t seconds) {
    const std::string characters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    os::CrtSrand(static_cast<uint32_t>(seconds));
    std::string token;
    for (int i = 0; i < 6; ++i) {
        token += characters[static_cast<size_t>(os::CrtRand()) % 62];
    }
    return token;
}

bool IsTokenCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::string Quoted(const std::string& text) {
    return " \"" + text + "\"";
}

std::string ReadWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs 7-Zip with stdin from /dev/null (so it never waits for a password) and its output in
// `output`; returns its exit code, or -1 when it could not run.
int SevenZip(const std::vector<std::string>& arguments, const fs::path& outputFile,
             std::string* output = nullptr) {
    std::vector<std::string> args{kSevenZip};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(),
                                       O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    const int error = ::posix_spawn(&pid, kSevenZip, &actions, nullptr, argv.data(), ::environ);
    ::posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        return -1;
    }
    int status = 0;
    pid_t waited = 0;
    do {
        waited = ::waitpid(pid, &status, 0);
    } while (waited == -1 && errno == EINTR);
    if (output != nullptr) {
        *output = ReadWhole(outputFile);
    }
    if (waited == -1) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class SceneArchiveTest : public testing_support::TempRootTest {
protected:
    void SetUp() override {
        root.WriteFile("out/placeholder", "");
        settings.archiveFolder = root.Wide("out/compress");
        settings.archiverPath = root.Wide("ZEP Rendering/7-Zip/7z.exe");
        folderUtf8 = U8(settings.archiveFolder);
    }

    bool Build(const std::string& scenePath, const std::string& entry = {}) {
        settings.scenePath = scenePath;
        return BuildArchiveCommand(entry, settings, login);
    }

    // The archive path must be `folder` + "/" + `base` + "_" + a token + ".7z"; gives the token.
    std::string ExpectArchiveIn(const std::string& folder, const std::string& base) {
        const std::string prefix = folder + "/" + base + "_";
        const std::string& path = settings.archivePath;
        EXPECT_EQ(path.substr(0, prefix.size()), prefix) << path;
        EXPECT_EQ(path.size(), prefix.size() + 6 + 3) << path;
        EXPECT_EQ(path.substr(path.size() - 3), ".7z") << path;
        const std::string token = path.substr(prefix.size(), 6);
        for (char c : token) {
            EXPECT_TRUE(IsTokenCharacter(c)) << path;
        }
        return token;
    }

    void LoginAs(std::u16string_view account, const std::string& savePathUtf8) {
        login.userName = account;
        login.savePathUtf8 = savePathUtf8;
        login.savePath = U16(savePathUtf8);
        login.complete = true;
    }

    // Lays out the archiver as the client installs it: "ZEP Rendering/7-Zip/7z.exe".
    void InstallSevenZip() {
        fs::create_directories(root.Path() / "ZEP Rendering" / "7-Zip");
        fs::create_symlink(kSevenZip, root.Path() / "ZEP Rendering" / "7-Zip" / "7z.exe");
    }

    fs::path Output() const { return root.Path() / "7z-output.txt"; }

    PluginSettings settings;
    ClientLogin login;
    std::string folderUtf8;
};

TEST(SceneBaseNameTest, NameAfterTheLastSeparatorUpToTheLastDot) {
    EXPECT_EQ(SceneBaseName("C:\\work\\house.max"), "house");
    EXPECT_EQ(SceneBaseName("C:/work/house.max"), "house");
    EXPECT_EQ(SceneBaseName("C:\\work\\a.b.max"), "a.b");
    EXPECT_EQ(SceneBaseName("C:\\work\\house"), "house");
    EXPECT_EQ(SceneBaseName("C:\\my.folder\\house"), "house");
    EXPECT_EQ(SceneBaseName("C:/my.folder/house"), "house");
    EXPECT_EQ(SceneBaseName("house.max"), "house");
    EXPECT_EQ(SceneBaseName("house"), "house");
    EXPECT_EQ(SceneBaseName("C:\\work\\house."), "house");
    EXPECT_EQ(SceneBaseName("C:\\work\\house..max"), "house.");
    EXPECT_EQ(SceneBaseName("C:\\work\\house .max"), "house ");
}

TEST(SceneBaseNameTest, BackSlashWinsOverSlash) {
    EXPECT_EQ(SceneBaseName("C:/work\\sub/house.max"), "sub/house");
    EXPECT_EQ(SceneBaseName("C:\\work/house.max"), "work/house");
}

TEST(SceneBaseNameTest, NothingBeforeTheDotOrNoNameGivesAnEmptyName) {
    EXPECT_EQ(SceneBaseName("C:\\work\\.max"), "");
    EXPECT_EQ(SceneBaseName("C:\\work\\"), "");
    EXPECT_EQ(SceneBaseName("C:/work/"), "");
    EXPECT_EQ(SceneBaseName(""), "");
}

TEST(SceneBaseNameTest, WideNameGoesThroughTheCodePages) {
    EXPECT_EQ(ArchiveBaseName("D:\\场景\\客厅 1.max"), u"客厅 1");
    // A character the ANSI code page lacks becomes "?".
    EXPECT_EQ(ArchiveBaseName("D:\\한.max"), u"?");
}

TEST(RandomTokenTest, SixCharactersOfTheSecondsGenerator) {
    bool checked = false;
    for (int attempt = 0; attempt < 5 && !checked; ++attempt) {
        const int64_t before = os::CurrentTimeSeconds();
        const std::string first = RandomToken();
        const std::string second = RandomToken();
        const int64_t after = os::CurrentTimeSeconds();
        ASSERT_EQ(first.size(), 6u);
        for (char c : first) {
            EXPECT_TRUE(IsTokenCharacter(c)) << first;
        }
        if (before == after) {
            EXPECT_EQ(first, second);
            EXPECT_EQ(first, TokenOfSecond(before));
            checked = true;
        }
    }
    EXPECT_TRUE(checked);
}

TEST(RandomTokenTest, DrawsFromTheWholeAlphabet) {
    std::string seen;
    for (int64_t second = 1700000000; second < 1700002000; ++second) {
        seen += TokenOfSecond(second);
    }
    for (char c : std::string("azAZ09")) {
        EXPECT_NE(seen.find(c), std::string::npos) << c;
    }
    for (char c : seen) {
        EXPECT_TRUE(IsTokenCharacter(c));
    }
}

TEST_F(SceneArchiveTest, OrdinaryAccountArchivesIntoTheArchiveFolder) {
    EXPECT_FALSE(root.Exists("out/compress"));
    ASSERT_TRUE(Build("C:\\work\\house.max"));
    EXPECT_TRUE(fs::is_directory(root.Path() / "out" / "compress"));
    ExpectArchiveIn(folderUtf8, "house");
    EXPECT_EQ(settings.archiverArguments, std::string(kFixedPart) + Quoted(settings.archivePath) +
                                              Quoted("C:\\work\\house.max"));
    EXPECT_EQ(settings.archiverArguments.find(" -p"), std::string::npos);
}

TEST_F(SceneArchiveTest, ArgumentsAreAppendedToTheTextPassedIn) {
    ASSERT_TRUE(Build("C:\\work\\house.max", "7z"));
    EXPECT_EQ(settings.archiverArguments, std::string("7z") + kFixedPart +
                                              Quoted(settings.archivePath) +
                                              Quoted("C:\\work\\house.max"));
}

TEST_F(SceneArchiveTest, TokenIsTheOneOfTheCurrentSecond) {
    bool checked = false;
    for (int attempt = 0; attempt < 5 && !checked; ++attempt) {
        const int64_t before = os::CurrentTimeSeconds();
        ASSERT_TRUE(Build("C:\\work\\house.max"));
        const int64_t after = os::CurrentTimeSeconds();
        const std::string token = ExpectArchiveIn(folderUtf8, "house");
        if (before == after) {
            EXPECT_EQ(token, TokenOfSecond(before));
            checked = true;
        }
    }
    EXPECT_TRUE(checked);
}

TEST_F(SceneArchiveTest, ExistingArchiveFolderIsKept) {
    root.WriteFile("out/compress/older.7z", "x");
    ASSERT_TRUE(Build("C:\\work\\house.max"));
    ExpectArchiveIn(folderUtf8, "house");
    EXPECT_EQ(root.ReadFile("out/compress/older.7z"), "x");
}

TEST_F(SceneArchiveTest, ForwardSlashesGiveTheSameName) {
    ASSERT_TRUE(Build("C:/work/house.max"));
    ExpectArchiveIn(folderUtf8, "house");
    EXPECT_EQ(settings.archiverArguments,
              std::string(kFixedPart) + Quoted(settings.archivePath) + Quoted("C:/work/house.max"));
}

TEST_F(SceneArchiveTest, SeveralDotsKeepAllButTheLastPart) {
    ASSERT_TRUE(Build("C:\\work\\a.b.max"));
    ExpectArchiveIn(folderUtf8, "a.b");
}

TEST_F(SceneArchiveTest, NameWithoutExtension) {
    ASSERT_TRUE(Build("C:\\my.work\\house"));
    ExpectArchiveIn(folderUtf8, "house");
}

TEST_F(SceneArchiveTest, ListedAccountWithSaveFolderGetsItsFolderAndPassword) {
    for (std::u16string_view account : kArchiveAccounts) {
        root.WriteFile("save/placeholder", "");
        const std::string save = (root.Path() / "save").string();
        LoginAs(account, save);
        ASSERT_TRUE(Build("C:\\work\\house.max"));
        EXPECT_TRUE(fs::is_directory(root.Path() / "save" / "house"));
        ExpectArchiveIn(save + "/house", "house");
        const std::string password = ArchivePassword(u"house");
        EXPECT_EQ(password, "26c6ab643ecbdcd0df5946f298489002e0fca6dc252a4c23148f931bae99d41b");
        EXPECT_EQ(settings.archiverArguments, std::string(kFixedPart) + " -p" + password +
                                                  Quoted(settings.archivePath) +
                                                  Quoted("C:\\work\\house.max"));
        // The archive folder is prepared all the same.
        EXPECT_TRUE(fs::is_directory(root.Path() / "out" / "compress"));
        fs::remove_all(root.Path() / "save");
    }
}

TEST_F(SceneArchiveTest, ListedAccountWithExistingSceneFolderBelowSaveFolder) {
    root.WriteFile("save/house/older.7z", "x");
    const std::string save = (root.Path() / "save").string();
    LoginAs(kArchiveAccounts[1], save);
    ASSERT_TRUE(Build("C:\\work\\house.max"));
    ExpectArchiveIn(save + "/house", "house");
    EXPECT_EQ(root.ReadFile("save/house/older.7z"), "x");
}

TEST_F(SceneArchiveTest, ListedAccountWithoutSaveFolderGetsTheArchiveFolderAndPassword) {
    LoginAs(kArchiveAccounts[2], (root.Path() / "missing").string());
    ASSERT_TRUE(Build("C:\\work\\house.max"));
    ExpectArchiveIn(folderUtf8, "house");
    EXPECT_FALSE(root.Exists("missing"));
    EXPECT_EQ(settings.archiverArguments,
              std::string(kFixedPart) + " -p" + ArchivePassword(u"house") +
                  Quoted(settings.archivePath) + Quoted("C:\\work\\house.max"));
}

TEST_F(SceneArchiveTest, SaveFolderIsCheckedAsTheRuntimeReadsItsUtf8Text) {
    // _access takes the UTF-8 bytes as code page text, so a folder with Chinese characters in
    // its name reads as missing, as it does on Windows.
    root.WriteFile("保存/placeholder", "");
    LoginAs(kArchiveAccounts[0], (root.Path() / "保存").string());
    ASSERT_TRUE(Build("C:\\work\\house.max"));
    ExpectArchiveIn(folderUtf8, "house");
    EXPECT_NE(settings.archiverArguments.find(" -p" + ArchivePassword(u"house")),
              std::string::npos);
}

TEST_F(SceneArchiveTest, SaveFolderOfOneCharacterIsNotUsed) {
    LoginAs(kArchiveAccounts[0], "/");
    ASSERT_TRUE(Build("C:\\work\\house.max"));
    ExpectArchiveIn(folderUtf8, "house");
    EXPECT_EQ(settings.archiverArguments.find(" -p"), std::string::npos);
}

TEST_F(SceneArchiveTest, IncompleteLoginNeverReachesTheAccountList) {
    root.WriteFile("save/placeholder", "");
    LoginAs(kArchiveAccounts[0], (root.Path() / "save").string());
    login.complete = false;
    ASSERT_TRUE(Build("C:\\work\\house.max"));
    ExpectArchiveIn(folderUtf8, "house");
    EXPECT_FALSE(root.Exists("save/house"));
    EXPECT_EQ(settings.archiverArguments.find(" -p"), std::string::npos);
}

TEST_F(SceneArchiveTest, OtherUsersAreOrdinary) {
    root.WriteFile("save/placeholder", "");
    const std::u16string listed(kArchiveAccounts[0]);
    for (const std::u16string& user :
         {listed.substr(0, 7), listed + u"0", u" " + listed, listed + u" ", std::u16string()}) {
        LoginAs(user, (root.Path() / "save").string());
        ASSERT_TRUE(Build("C:\\work\\house.max"));
        ExpectArchiveIn(folderUtf8, "house");
        EXPECT_EQ(settings.archiverArguments.find(" -p"), std::string::npos);
    }
    EXPECT_FALSE(root.Exists("save/house"));
}

TEST_F(SceneArchiveTest, NameEndingWithABlankOrADotIsRefusedAfterTheOutputsAreStored) {
    for (const std::string& scene :
         {std::string("C:\\work\\house .max"), std::string("C:\\work\\house..max"),
          std::string("C:\\work\\house."), std::string("C:\\work\\house. .max")}) {
        settings.archivePath.clear();
        settings.archiverArguments.clear();
        const bool accepted = Build(scene);
        const std::string base(SceneBaseName(scene));
        EXPECT_EQ(accepted, base == "house") << scene;
        ExpectArchiveIn(folderUtf8, base);
        EXPECT_EQ(settings.archiverArguments,
                  std::string(kFixedPart) + Quoted(settings.archivePath) + Quoted(scene));
    }
}

TEST_F(SceneArchiveTest, EmptyNameIsRefused) {
    for (const std::string& scene :
         {std::string("C:\\work\\.max"), std::string("C:\\work\\"), std::string("C:/work/.max")}) {
        EXPECT_FALSE(Build(scene)) << scene;
        ExpectArchiveIn(folderUtf8, "");
        EXPECT_EQ(settings.archiverArguments,
                  std::string(kFixedPart) + Quoted(settings.archivePath) + Quoted(scene));
    }
}

TEST_F(SceneArchiveTest, EmptyNameOfAListedAccountIsRefusedToo) {
    root.WriteFile("save/placeholder", "");
    const std::string save = (root.Path() / "save").string();
    LoginAs(kArchiveAccounts[0], save);
    EXPECT_FALSE(Build("C:\\work\\.max"));
    ExpectArchiveIn(save + "/", "");
}

TEST_F(SceneArchiveTest, MissingParentFolderIsNotAnError) {
    settings.archiveFolder = root.Wide("none/compress");
    ASSERT_TRUE(Build("C:\\work\\house.max"));
    EXPECT_FALSE(root.Exists("none"));
    ExpectArchiveIn((root.Path() / "none" / "compress").string(), "house");
}

TEST_F(SceneArchiveTest, ChineseNamesAreInTheAnsiCodePage) {
    const std::string scene = "D:\\场景\\客厅.max";
    ASSERT_TRUE(Build(scene));
    ExpectArchiveIn(folderUtf8, "客厅");
    EXPECT_EQ(settings.archiverArguments, std::string(kFixedPart) +
                                              Quoted(Utf8ToAnsi(settings.archivePath)) +
                                              Quoted(Utf8ToAnsi(scene)));
    EXPECT_NE(Utf8ToAnsi(scene), scene);
}

TEST_F(SceneArchiveTest, SevenZipPacksTheSceneUnderItsPlainName) {
    InstallSevenZip();
    root.WriteFile("scenes/house.max", std::string(100000, 'h') + "scene data");
    ASSERT_TRUE(Build((root.Path() / "scenes" / "house.max").string()));
    RunArchiver(settings);
    ASSERT_TRUE(fs::exists(settings.archivePath));

    std::string listing;
    ASSERT_EQ(SevenZip({"l", "-slt", settings.archivePath}, Output(), &listing), 0) << listing;
    EXPECT_NE(listing.find("\nPath = house.max\n"), std::string::npos) << listing;
    EXPECT_EQ(listing.find("Encrypted = +"), std::string::npos) << listing;
    const fs::path extracted = root.Path() / "extracted";
    ASSERT_EQ(SevenZip({"x", "-o" + extracted.string(), settings.archivePath}, Output()), 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(extracted), fs::directory_iterator()), 1);
    EXPECT_EQ(root.ReadFile("extracted/house.max"), root.ReadFile("scenes/house.max"));
}

TEST_F(SceneArchiveTest, SevenZipPacksAChineseSceneName) {
    InstallSevenZip();
    root.WriteFile("场景/客厅.max", "scene data");
    ASSERT_TRUE(Build((root.Path() / "场景" / "客厅.max").string()));
    RunArchiver(settings);
    ASSERT_TRUE(fs::exists(settings.archivePath));
    const fs::path extracted = root.Path() / "extracted";
    ASSERT_EQ(SevenZip({"x", "-o" + extracted.string(), settings.archivePath}, Output()), 0);
    EXPECT_EQ(root.ReadFile("extracted/客厅.max"), "scene data");
}

TEST_F(SceneArchiveTest, PasswordArchiveOpensOnlyWithTheDerivedPassword) {
    InstallSevenZip();
    root.WriteFile("scenes/house.max", std::string(50000, 'p') + "secret scene");
    root.WriteFile("save/placeholder", "");
    const std::string save = (root.Path() / "save").string();
    LoginAs(kArchiveAccounts[0], save);
    ASSERT_TRUE(Build((root.Path() / "scenes" / "house.max").string()));
    ExpectArchiveIn(save + "/house", "house");
    RunArchiver(settings);
    ASSERT_TRUE(fs::exists(settings.archivePath));

    const std::string password = ArchivePassword(u"house");
    std::string listing;
    ASSERT_EQ(SevenZip({"l", "-slt", settings.archivePath}, Output(), &listing), 0) << listing;
    EXPECT_NE(listing.find("\nPath = house.max\n"), std::string::npos) << listing;
    EXPECT_NE(listing.find("Encrypted = +"), std::string::npos) << listing;
    EXPECT_EQ(SevenZip({"t", "-p" + password, settings.archivePath}, Output()), 0);
    EXPECT_NE(SevenZip({"t", "-pwrong", settings.archivePath}, Output()), 0);
    EXPECT_NE(SevenZip({"t", settings.archivePath}, Output()), 0);

    const fs::path extracted = root.Path() / "extracted";
    ASSERT_EQ(
        SevenZip({"x", "-p" + password, "-o" + extracted.string(), settings.archivePath}, Output()),
        0);
    EXPECT_EQ(root.ReadFile("extracted/house.max"), root.ReadFile("scenes/house.max"));
}

TEST_F(SceneArchiveTest, MissingArchiverIsNotReported) {
    root.WriteFile("scenes/house.max", "scene data");
    ASSERT_TRUE(Build((root.Path() / "scenes" / "house.max").string()));
    RunArchiver(settings);
    EXPECT_FALSE(fs::exists(settings.archivePath));
}

}  // namespace
