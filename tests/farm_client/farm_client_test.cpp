// Black-box tests of the reference farm client: the folder it installs, and the answers of a
// real `farm-client serve` to notices sent as the plug-in sends them.
#include <gtest/gtest.h>
#include <json/json.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "config/client_login.h"
#include "packaging/archive_accounts.h"
#include "platform/md5.h"
#include "platform/profile.h"
#include "platform/shared_memory.h"
#include "tests/farm_client/serve_process.h"
#include "tests/support/temp_root.h"
#include "tests/tools/tool_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::PostNotice;
using testing_support::Reply;
using testing_support::RunTool;
using testing_support::ServeProcess;
using testing_support::U16;
using testing_support::U8;

constexpr char kSevenZip[] = "/usr/bin/7zz";
constexpr char kScene[] = "living room";
std::string Account() {
    return U8(std::u16string(kArchiveAccounts[0]));
}

std::string Compact(const Json::Value& value) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    return Json::writeString(builder, value);
}

// The password of an account's archive, derived here on its own from the base name.
std::string PasswordFor(const std::string& baseName) {
    const std::string first = os::Md5Hex(baseName);
    const std::string second = os::Md5Hex(baseName + U8(std::u16string(kArchivePasswordSuffix)));
    std::string password;
    for (size_t i = 0; i < first.size(); ++i) {
        password += {first[i], second[i]};
    }
    return password;
}

std::string Section(const std::u16string& name) {
    os::SharedMemoryView view;
    if (!view.Open(name)) {
        return "(missing)";
    }
    return std::string(view.Data(), view.Size());
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
    std::string MakeScene(const std::string& name = std::string(kScene) + ".max") {
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
        std::vector<std::string> arguments{"a", "-mx=3", "-t7z"};
        if (!password.empty()) {
            arguments.push_back("-p" + password);
        }
        arguments.insert(arguments.end(), {archive, content});
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

    ServeProcess server;
};

TEST_F(FarmClientTest, InstallLaysOutTheDataFolderAndConfiguration) {
    auto run = RunTool(FARM_CLIENT_PATH, {"install", "--root", RootDir(), "--port", "18123",
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
    EXPECT_NE(run.out.find("7z.exe -> "), std::string::npos) << run.out;

    const std::u16string ini = root.Wide("ZEP Rendering/script/pmx_plugin.ini");
    auto key = [&](const char16_t* name) {
        return U8(os::GetPrivateProfileString(u"general", name, u"", 2048, ini));
    };
    EXPECT_EQ(key(u"ip"), "127.0.0.1");
    EXPECT_EQ(key(u"port"), "18123");
    EXPECT_EQ(key(u"lowerversion"), "1.2.0");

    ASSERT_EQ(RunTool(FARM_CLIENT_PATH, {"install", "--root", RootDir()}).exitCode, 0);
    EXPECT_EQ(key(u"port"), "18080");
    EXPECT_EQ(key(u"lowerversion"), "1.3.7");
}

TEST_F(FarmClientTest, InstallFailsWithoutSevenZip) {
    auto run = RunTool(FARM_CLIENT_PATH, {"install", "--root", RootDir()},
                       {"PATH=" + PathOf("no-such-folder")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("7-Zip"), std::string::npos) << run.err;
    EXPECT_FALSE(root.Exists("ZEP Rendering"));
}

TEST_F(FarmClientTest, ServeListensOnTheConfiguredPort) {
    // A port that was free a moment ago.
    ServeProcess probe;
    ASSERT_TRUE(probe.Start({"--root", PathOf("probe"), "--port", "0"}));
    const std::string port = std::to_string(probe.Port());
    ASSERT_EQ(probe.Stop(), 0);
    ASSERT_EQ(RunTool(FARM_CLIENT_PATH, {"install", "--root", RootDir(), "--port", port}).exitCode,
              0);

    ASSERT_TRUE(server.Start({"--root", RootDir()})) << server.Output();
    EXPECT_EQ(std::to_string(server.Port()), port);
}

TEST_F(FarmClientTest, PublishesTheLoginSectionsWhileServing) {
    StartServer();
    EXPECT_EQ(Section(kUserNameSection), std::string("artist") + '\0');
    EXPECT_EQ(Section(kSavePathSection), PathOf("farm-client/save") + '\0');
    EXPECT_TRUE(fs::is_directory(PathOf("farm-client/save")));
    EXPECT_EQ(server.Stop(), 0);
    EXPECT_NE(server.Output().find("stopped"), std::string::npos);
    EXPECT_EQ(Section(kUserNameSection), "(missing)");
    EXPECT_EQ(Section(kSavePathSection), "(missing)");

    StartServer({"--user", "用户", "--save-path", "/elsewhere"});
    EXPECT_EQ(Section(kUserNameSection), std::string("用户") + '\0');
    EXPECT_EQ(Section(kSavePathSection), std::string("/elsewhere") + '\0');
}

TEST_F(FarmClientTest, RefusesANoticeThatIsNotOne) {
    StartServer();
    const std::string scene = MakeScene();
    Json::Value good;
    ASSERT_TRUE(Json::Reader().parse(Notice(scene, MakeJob(), "a.7z"), good));
    EXPECT_EQ(Code("not json"), 11000);
    EXPECT_EQ(Code("[1, 2]"), 11000);
    for (const char* member :
         {"scenePath", "filePath", "maxVersion", "compressPath", "PLUGIN_SAVE_SCENE_FILE"}) {
        Json::Value missing = good;
        missing.removeMember(member);
        EXPECT_EQ(Code(Compact(missing)), 11000) << member;
        Json::Value wrongType = good;
        wrongType[member] =
            member == std::string("PLUGIN_SAVE_SCENE_FILE") ? Json::Value("1") : Json::Value(7);
        EXPECT_EQ(Code(Compact(wrongType)), 11000) << member;
    }
    Json::Value negative = good;
    negative["PLUGIN_SAVE_SCENE_FILE"] = -1;
    EXPECT_EQ(Code(Compact(negative)), 11000);
}

TEST_F(FarmClientTest, ChecksInOrderThenAcceptsOnce) {
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
    Json::Value reply = Post(Notice(scene, job, archive));
    EXPECT_EQ(reply["ret"].asInt(), 10010);
    EXPECT_EQ(reply["err"].asString(), "The archive " + archive + " does not exist");

    MakeArchive("other.7z", MakeScene("kitchen.max"));
    reply = Post(Notice(scene, job, PathOf("out/compress/other.7z")));
    EXPECT_EQ(reply["ret"].asInt(), 10010);
    EXPECT_EQ(reply["err"].asString(),
              "The archive " + PathOf("out/compress/other.7z") + " does not hold living room.max");
    root.WriteFile("out/compress/broken.7z", "not an archive");
    reply = Post(Notice(scene, job, PathOf("out/compress/broken.7z")));
    EXPECT_EQ(reply["ret"].asInt(), 10010);
    EXPECT_NE(reply["err"].asString().find("cannot be read"), std::string::npos);

    MakeArchive("living room_a1B2c3.7z", scene);
    reply = Post(Notice(scene, job, archive));
    EXPECT_EQ(Compact(reply), R"({"ret":10001})");
    EXPECT_EQ(Code(Notice(scene, job, archive)), 10009);
    MakeJob(R"({"cameras": ["Camera001"]})");
    EXPECT_EQ(Code(Notice(scene, job, archive)), 10001);

    ASSERT_EQ(server.Stop(), 0);
    const std::string log = server.Output();
    for (const char* line : {" 10005 ", " 10008 ", " 10006 ", " 10007 ", " 10009 "}) {
        EXPECT_NE(log.find(line), std::string::npos) << line;
    }
    EXPECT_NE(log.find(" 10001 " + scene + "\n"), std::string::npos) << log;

    // Accepted jobs are remembered across runs.
    StartServer();
    EXPECT_EQ(Code(Notice(scene, job, archive)), 10009);
}

TEST_F(FarmClientTest, OpensAccountArchivesWithTheirPassword) {
    StartServer({"--user", Account()});
    const std::string scene = MakeScene();
    const std::string job = MakeJob();
    const std::string password = PasswordFor(kScene);

    Json::Value reply = Post(Notice(scene, job, MakeArchive("plain.7z", scene)));
    EXPECT_EQ(reply["ret"].asInt(), 10010);
    EXPECT_NE(reply["err"].asString().find("is not protected by its password"), std::string::npos);
    reply = Post(Notice(scene, job, MakeArchive("wrong.7z", scene, "wrong password")));
    EXPECT_EQ(reply["ret"].asInt(), 10010);
    EXPECT_NE(
        reply["err"].asString().find("does not open with the password of account " + Account()),
        std::string::npos)
        << reply["err"].asString();
    EXPECT_EQ(Code(Notice(scene, job, MakeArchive("right.7z", scene, password))), 10001);
    ASSERT_EQ(server.Stop(), 0);

    // Everybody else's archives carry no password.
    StartServer({"--user", "artist"});
    reply = Post(Notice(scene, job, PathOf("out/compress/right.7z")));
    EXPECT_EQ(reply["ret"].asInt(), 10010);
    EXPECT_NE(reply["err"].asString().find("is protected by a password"), std::string::npos);
}

TEST_F(FarmClientTest, ListsTheAcceptedJobs) {
    StartServer();
    const std::string scene = MakeScene();
    const std::string job = MakeJob();
    const std::string archive = MakeArchive("living room_x.7z", scene);
    ASSERT_EQ(Code(Notice(scene, job, archive)), 10001);
    ASSERT_EQ(server.Stop(), 0);

    auto lines = RunTool(FARM_CLIENT_PATH, {"jobs", "--root", RootDir()});
    ASSERT_EQ(lines.exitCode, 0) << lines.err;
    EXPECT_NE(lines.out.find("  artist  " + scene + "  job " + job + "  archive " + archive),
              std::string::npos)
        << lines.out;

    auto json = RunTool(FARM_CLIENT_PATH, {"jobs", "--root", RootDir(), "--json"});
    ASSERT_EQ(json.exitCode, 0);
    const Json::Value jobs = json.Json();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0]["scenePath"].asString(), scene);
    EXPECT_EQ(jobs[0]["filePath"].asString(), job);
    EXPECT_EQ(jobs[0]["compressPath"].asString(), archive);
    EXPECT_EQ(jobs[0]["maxVersion"].asString(), "3ds Max 24000");
    EXPECT_EQ(jobs[0]["user"].asString(), "artist");
    EXPECT_EQ(jobs[0]["time"].asString().size(), 19u);

    auto empty = RunTool(FARM_CLIENT_PATH, {"jobs", "--root", PathOf("nothing"), "--json"});
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_EQ(empty.Json(), Json::Value(Json::arrayValue));
}

TEST_F(FarmClientTest, ForcedReplyAnswersEveryNotice) {
    StartServer({"--reply", "10003"});
    EXPECT_EQ(Compact(Post("anything")), R"({"ret":10003})");
    ASSERT_EQ(server.Stop(), 0);

    StartServer({"--reply", "10010", "--err", "磁盘已满"});
    const Json::Value reply = Post(Notice(MakeScene(), MakeJob(), "x.7z"));
    EXPECT_EQ(reply["ret"].asInt(), 10010);
    EXPECT_EQ(reply["err"].asString(), "磁盘已满");
    ASSERT_EQ(server.Stop(), 0);
    EXPECT_FALSE(root.Exists("farm-client/jobs.jsonl"));
}

TEST_F(FarmClientTest, AnswersConcurrentNoticesAndAcceptsARepeatOnce) {
    StartServer();
    const std::string job = MakeJob();
    const std::string first = MakeScene("first.max");
    const std::string second = MakeScene("second.max");
    const std::string firstNotice = Notice(first, job, MakeArchive("first.7z", first));
    const std::string secondNotice = Notice(second, job, MakeArchive("second.7z", second));

    Reply replies[4];
    std::vector<std::thread> senders;
    const std::string* bodies[4] = {&firstNotice, &secondNotice, &firstNotice, &secondNotice};
    for (int i = 0; i < 4; ++i) {
        senders.emplace_back([&, i] { replies[i] = PostNotice(server.Port(), *bodies[i]); });
    }
    for (std::thread& sender : senders) {
        sender.join();
    }
    for (int scene = 0; scene < 2; ++scene) {
        const int a = replies[scene].json["ret"].asInt();
        const int b = replies[scene + 2].json["ret"].asInt();
        EXPECT_EQ(std::min(a, b), 10001) << scene;
        EXPECT_EQ(std::max(a, b), 10009) << scene;
    }
    ASSERT_EQ(server.Stop(), 0);
    auto json = RunTool(FARM_CLIENT_PATH, {"jobs", "--root", RootDir(), "--json"});
    EXPECT_EQ(json.Json().size(), 2u);
}

TEST_F(FarmClientTest, EachAnswerArrivesInOnePiece) {
    StartServer({"--reply", "10001"});
    for (int i = 0; i < 20; ++i) {
        const Reply reply = PostNotice(server.Port(), "{}");
        EXPECT_EQ(reply.firstRead, reply.raw);
        EXPECT_NE(reply.firstRead.find(R"({"ret":10001})"), std::string::npos) << reply.raw;
    }
}

}  // namespace
