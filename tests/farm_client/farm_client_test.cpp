// Black-box tests of the reference farm client: the folder it installs, and the answers of a
// real `farm-client serve` to notices sent as the plug-in sends them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <json/json.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "config/client_login.h"
#include "packaging/archive_accounts.h"
#include "platform/profile.h"
#include "platform/shared_memory.h"
#include "tests/farm_client/serve_process.h"
#include "tests/support/temp_root.h"
#include "tests/tools/tool_run.h"

namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;
using testing_support::ParseJson;
using testing_support::PostNotice;
using testing_support::RunTool;
using testing_support::ServeProcess;
using testing_support::U8;

constexpr char kSevenZip[] = "/usr/bin/7zz";

// The password of the listed accounts' archives of "living room": the MD5 digests of the name
// and of the name followed by ".zepkey", interleaved.
constexpr char kLivingRoomPassword[] =
    "579453200a11ead3ed419c0ca50f775df8bc1195bbf4ffd92fe6bc94255c8fd0";

std::string Section(const std::u16string& name) {
    std::string bytes;
    if (!os::ReadSharedMemory(name, SIZE_MAX, bytes)) {
        return "(missing)";
    }
    // The view ends at a page's end: the text is what comes up to its terminating zero.
    const size_t zero = bytes.find('\0');
    return zero == std::string::npos ? bytes : bytes.substr(0, zero + 1);
}

class FarmClientTest : public testing_support::TempRootTest {
protected:
    void SetUp() override {
        if (!fs::exists(kSevenZip)) {
            GTEST_SKIP() << kSevenZip << " is not installed";
        }
    }

    std::string RootDir() const { return root.Path().string(); }
    std::string PathOf(const std::string& relative) const {
        return (root.Path() / relative).string();
    }

    // A scene file, its job description and its archive, as a submission leaves them.
    std::string MakeScene(const std::string& name = "living room.max") {
        root.WriteFile("scenes/" + name, "scene bytes of " + name);
        return PathOf("scenes/" + name);
    }
    std::string MakeJob(const std::string& text = R"({"cameras": [], "image_width": "1920"})") {
        root.WriteFile("out/json/job.json", text);
        return PathOf("out/json/job.json");
    }
    std::string MakeArchive(const std::string& name, const std::string& content,
                            const std::string& password = "") {
        const std::string archive = PathOf("out/compress/" + name);
        std::vector<std::string> arguments{"a", "-mx=3", "-t7z", archive, content};
        if (!password.empty()) {
            arguments.push_back("-p" + password);
        }
        EXPECT_EQ(RunTool(kSevenZip, arguments).exitCode, 0);
        return archive;
    }

    static std::string Notice(const std::string& scene, const std::string& job,
                              const std::string& archive) {
        Json::Value notice(Json::objectValue);
        notice["scenePath"] = scene;
        notice["filePath"] = job;
        notice["maxVersion"] = "3ds Max 24000";
        notice["compressPath"] = archive;
        notice["PLUGIN_SAVE_SCENE_FILE"] = 1u;
        return Json::StyledWriter().write(notice);
    }

    void StartServer(std::vector<std::string> extra = {}) {
        std::vector<std::string> arguments{"--root", RootDir(), "--port", "0"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        ASSERT_TRUE(server.Start(arguments)) << server.Output();
    }
    Json::Value Post(const std::string& body) { return PostNotice(server.Port(), body).json; }
    int Code(const std::string& body) { return Post(body)["ret"].asInt(); }
    // The err text of a notice that must be refused for its archive.
    std::string ArchiveError(const std::string& scene, const std::string& job,
                             const std::string& archive) {
        const Json::Value reply = Post(Notice(scene, job, archive));
        EXPECT_EQ(reply["ret"].asInt(), 10010) << archive;
        return reply["err"].asString();
    }
    Json::Value Jobs(const std::string& rootDir) {
        return RunTool(FARM_CLIENT_PATH, {"jobs", "--root", rootDir, "--json"}).Json();
    }

    ServeProcess server;
};

TEST_F(FarmClientTest, InstallLaysOutTheDataFolderThatServeUsesAndLinksItsSevenZip) {
    // A port that was free a moment ago.
    ServeProcess probe;
    ASSERT_TRUE(probe.Start({"--root", PathOf("probe"), "--port", "0"}));
    const std::string port = std::to_string(probe.Port());
    ASSERT_EQ(probe.Stop(), 0);

    auto run = RunTool(FARM_CLIENT_PATH, {"install", "--root", RootDir(), "--port", port,
                                          "--lower-version", "1.2.0"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* part : {"json", "compress", "script/MaxRenderGlobalsParser.mse",
                             "script/ZepAntivirusAdsl_UTF8.ms", "script/ZepAntivirusAlc_UTF8.ms",
                             "script/ZepAntivirusCrp_UTF8.ms"}) {
        EXPECT_TRUE(root.Exists(std::string("ZEP Rendering/") + part)) << part;
    }
    const fs::path archiver = root.Path() / "ZEP Rendering/7-Zip/7z.exe";
    EXPECT_TRUE(fs::is_symlink(archiver));
    EXPECT_EQ(RunTool(archiver.string(), {"i"}).exitCode, 0);

    const std::u16string ini = root.Wide("ZEP Rendering/script/pmx_plugin.ini");
    auto key = [&](const char16_t* name) {
        return U8(os::GetPrivateProfileString(u"general", name, u"", 2048, ini));
    };
    EXPECT_EQ(key(u"ip"), "127.0.0.1");
    EXPECT_EQ(key(u"port"), port);
    EXPECT_EQ(key(u"lowerversion"), "1.2.0");
    ASSERT_TRUE(server.Start({"--root", RootDir()})) << server.Output();
    EXPECT_EQ(std::to_string(server.Port()), port);

    ASSERT_EQ(RunTool(FARM_CLIENT_PATH, {"install", "--root", RootDir()}).exitCode, 0);
    EXPECT_EQ(key(u"port"), "18080");
    EXPECT_EQ(key(u"lowerversion"), "1.3.7");

    const std::string noPath = "PATH=" + PathOf("no-such-folder");
    auto failed = RunTool(FARM_CLIENT_PATH, {"install", "--root", PathOf("bare")}, {noPath});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_THAT(failed.err, HasSubstr("7-Zip"));
    EXPECT_FALSE(root.Exists("bare/ZEP Rendering"));

    // --seven-zip names the program the data folder gets (a Windows 7-Zip for a Wine run)
    // instead of the machine's; one that does not exist stops the installation.
    root.WriteFile("tools/7za.exe", "MZ");
    const std::string given = PathOf("tools/7za.exe");
    ASSERT_EQ(RunTool(FARM_CLIENT_PATH,
                      {"install", "--root", PathOf("given"), "--seven-zip", given}, {noPath})
                  .exitCode,
              0);
    EXPECT_EQ(fs::read_symlink(root.Path() / "given/ZEP Rendering/7-Zip/7z.exe"), fs::path(given));
    failed = RunTool(FARM_CLIENT_PATH, {"install", "--root", PathOf("bare"), "--seven-zip",
                                        PathOf("tools/none.exe")});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_THAT(failed.err, HasSubstr("none.exe"));
    EXPECT_FALSE(root.Exists("bare/ZEP Rendering"));
}

TEST_F(FarmClientTest, PublishesTheLoginSectionsWhileServingAndForcesItsReply) {
    StartServer({"--reply", "10003"});
    EXPECT_EQ(Section(kUserNameSection), std::string("artist") + '\0');
    EXPECT_EQ(Section(kSavePathSection), PathOf("farm-client/save") + '\0');
    EXPECT_TRUE(fs::is_directory(PathOf("farm-client/save")));
    for (int i = 0; i < 20; ++i) {  // each answer arrives in one piece
        const auto reply = PostNotice(server.Port(), "anything");
        EXPECT_EQ(reply.firstRead, reply.raw);
        EXPECT_EQ(reply.json, ParseJson(R"({"ret": 10003})"));
    }
    EXPECT_EQ(server.Stop(), 0);
    EXPECT_THAT(server.Output(), HasSubstr("stopped"));
    EXPECT_EQ(Section(kUserNameSection), "(missing)");
    EXPECT_EQ(Section(kSavePathSection), "(missing)");

    StartServer(
        {"--user", "用户", "--save-path", "/elsewhere", "--reply", "10010", "--err", "磁盘已满"});
    EXPECT_EQ(Section(kUserNameSection), std::string("用户") + '\0');
    EXPECT_EQ(Section(kSavePathSection), std::string("/elsewhere") + '\0');
    EXPECT_EQ(ArchiveError(MakeScene(), MakeJob(), "x.7z"), "磁盘已满");
    ASSERT_EQ(server.Stop(), 0);
    EXPECT_FALSE(root.Exists("farm-client/jobs.jsonl"));
}

TEST_F(FarmClientTest, RefusesANoticeThatIsNotOne) {
    StartServer();
    Json::Value good = ParseJson(Notice(MakeScene(), MakeJob(), "a.7z"));
    ASSERT_TRUE(good.isObject());
    std::vector<std::string> bodies{"not json", "[1, 2]"};
    for (const std::string& member : good.getMemberNames()) {
        Json::Value missing = good;
        missing.removeMember(member);
        Json::Value wrongType = good;
        wrongType[member] = good[member].isString() ? Json::Value(7) : Json::Value("1");
        bodies.insert(bodies.end(), {missing.toStyledString(), wrongType.toStyledString()});
    }
    good["PLUGIN_SAVE_SCENE_FILE"] = -1;
    bodies.push_back(good.toStyledString());
    for (const std::string& body : bodies) {
        EXPECT_EQ(Code(body), 11000) << body;
    }
}

TEST_F(FarmClientTest, ChecksInOrderAcceptsOnceAndListsTheJob) {
    StartServer();
    const std::string scene = MakeScene();
    const std::string job = PathOf("out/json/job.json");
    const std::string archive = PathOf("out/compress/living room_a1B2c3.7z");

    // Each notice fails at the first check that is not met, whatever follows it.
    EXPECT_EQ(Code(Notice(PathOf("scenes/gone.max"), job, archive)), 10005);
    EXPECT_EQ(Code(Notice(MakeScene("notes.txt"), job, archive)), 10008);
    EXPECT_EQ(Code(Notice(scene, job, archive)), 10006);
    MakeJob("{ \"cameras\": [ ");
    EXPECT_EQ(Code(Notice(scene, job, archive)), 10007);
    MakeJob();
    EXPECT_EQ(ArchiveError(scene, job, archive), "The archive " + archive + " does not exist");
    const std::string other = MakeArchive("other.7z", MakeScene("kitchen.max"));
    EXPECT_EQ(ArchiveError(scene, job, other),
              "The archive " + other + " does not hold living room.max");
    root.WriteFile("out/compress/broken.7z", "not an archive");
    EXPECT_THAT(ArchiveError(scene, job, PathOf("out/compress/broken.7z")),
                HasSubstr("cannot be read"));

    MakeArchive("living room_a1B2c3.7z", scene);
    EXPECT_EQ(Post(Notice(scene, job, archive)), ParseJson(R"({"ret": 10001})"));
    EXPECT_EQ(Code(Notice(scene, job, archive)), 10009);
    ASSERT_EQ(server.Stop(), 0);
    EXPECT_THAT(server.Output(), HasSubstr(" 10001 " + scene + "\n"));  // the request log

    auto lines = RunTool(FARM_CLIENT_PATH, {"jobs", "--root", RootDir()});
    ASSERT_EQ(lines.exitCode, 0) << lines.err;
    EXPECT_THAT(lines.out,
                HasSubstr("  artist  " + scene + "  job " + job + "  archive " + archive));
    const Json::Value jobs = Jobs(RootDir());
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0]["maxVersion"].asString(), "3ds Max 24000");
    EXPECT_EQ(jobs[0]["time"].asString().size(), 19u);
    EXPECT_EQ(Jobs(PathOf("nothing")), Json::Value(Json::arrayValue));

    // Accepted jobs are remembered across runs; a changed job description is a new job.
    StartServer();
    EXPECT_EQ(Code(Notice(scene, job, archive)), 10009);
    MakeJob(R"({"cameras": ["Camera001"]})");
    EXPECT_EQ(Code(Notice(scene, job, archive)), 10001);
}

TEST_F(FarmClientTest, OpensAccountArchivesWithTheirPassword) {
    const std::string account = U8(std::u16string(kArchiveAccounts[0]));
    StartServer({"--user", account});
    const std::string scene = MakeScene();
    const std::string job = MakeJob();

    EXPECT_THAT(ArchiveError(scene, job, MakeArchive("plain.7z", scene)),
                HasSubstr("is not protected by its password"));
    EXPECT_THAT(ArchiveError(scene, job, MakeArchive("wrong.7z", scene, "wrong password")),
                HasSubstr("does not open with the password of account " + account));
    const std::string right = MakeArchive("right.7z", scene, kLivingRoomPassword);
    EXPECT_EQ(Code(Notice(scene, job, right)), 10001);
    ASSERT_EQ(server.Stop(), 0);

    // Everybody else's archives carry no password.
    StartServer({"--user", "artist"});
    EXPECT_THAT(ArchiveError(scene, job, right), HasSubstr("is protected by a password"));
}

}  // namespace
