// farm-client serve: publishes the login sections and answers submission notices on
// 127.0.0.1 until SIGINT or SIGTERM.
#include <httplib.h>
#include <json/json.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <signal.h>
#include <sys/socket.h>

#include <atomic>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "config/client_login.h"
#include "platform/shared_memory.h"
#include "tools/farm-client/commands.h"
#include "tools/farm-client/farm_root.h"
#include "tools/farm-client/job_record.h"
#include "tools/farm-client/notice_check.h"
#include "tools/farm-client/seven_zip.h"
#include "tools/farm-client/wine_paths.h"

namespace {

constexpr char kListenHost[] = "127.0.0.1";
constexpr int kNoReply = 0;

struct ServeOptions {
    std::string root;
    int port = -1;  // from the configuration file; 0 picks a free port
    std::string user = farm::kDefaultUser;
    std::string savePath;  // default: farm::DefaultSavePath(root)
    int reply = kNoReply;
    std::string err = "Refused by farm-client --reply";
    std::string winePrefix;  // the plug-in runs under Wine in this prefix
};

// One line per request on the standard output, whole lines even when requests overlap.
class RequestLog {
public:
    void Write(const farm::Verdict& verdict, const std::string& scene) {
        std::string line = farm::TimeText() + " " + std::to_string(verdict.code) + " " +
                           (scene.empty() ? "-" : scene);
        if (!verdict.err.empty()) {
            line += " : " + verdict.err;
        }
        std::lock_guard<std::mutex> lock(mutex_);
        std::cout << line << std::endl;
    }

private:
    std::mutex mutex_;
};

std::string ReplyBody(const farm::Verdict& verdict) {
    Json::Value reply(Json::objectValue);
    reply["ret"] = verdict.code;
    if (verdict.code == farm::kArchiveProblem) {
        reply["err"] = verdict.err;
    }
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, reply);
}

// The answer to one notice: its checks, then the record of accepted jobs.
farm::Verdict Judge(const farm::Notice& notice, const farm::CheckContext& context,
                    farm::JobRecord& record) {
    std::string jobDigest;
    farm::Verdict verdict = farm::CheckNotice(notice, context, jobDigest);
    if (verdict.code != farm::kAccepted) {
        return verdict;
    }
    farm::AcceptedJob job{farm::TimeText(),  notice.scenePath, notice.filePath, notice.compressPath,
                          notice.maxVersion, context.userName, jobDigest};
    switch (record.Accept(job)) {
        case farm::JobRecord::Outcome::Accepted:
            return verdict;
        case farm::JobRecord::Outcome::Repeated:
            return {farm::kRepeated, {}};
        case farm::JobRecord::Outcome::NotWritten:
            break;
    }
    return {farm::kInternalError, {}};
}

bool PublishLogin(const ServeOptions& options, os::SharedMemorySection& user,
                  os::SharedMemorySection& savePath) {
    const std::string userBytes = options.user + '\0';
    const std::string savePathBytes = options.savePath + '\0';
    return user.Publish(kUserNameSection, userBytes) &&
           savePath.Publish(kSavePathSection, savePathBytes);
}

int Serve(ServeOptions options) {
    std::error_code error;
    if (options.savePath.empty()) {
        options.savePath = farm::DefaultSavePath(options.root);
        std::filesystem::create_directories(options.savePath, error);
    }
    std::filesystem::create_directories(farm::StateFolder(options.root), error);
    if (error) {
        std::cerr << "farm-client: cannot create " << farm::StateFolder(options.root) << ": "
                  << error.message() << "\n";
        return 1;
    }
    farm::JobRecord record(farm::JobsFile(options.root));
    if (!record.Load()) {
        std::cerr << "farm-client: cannot read " << farm::JobsFile(options.root) << "\n";
        return 1;
    }
    // A plug-in under Wine packs with a Windows 7-Zip; this side opens its archives with the
    // machine's own.
    const farm::CheckContext context{
        options.winePrefix.empty() ? farm::FindSevenZip(options.root) : farm::FindSystemSevenZip(),
        options.user};
    if (context.sevenZip.empty()) {
        std::cerr << "farm-client: no 7-Zip program found; every archive will be refused\n";
    }
    const int port = options.port >= 0 ? options.port : farm::ConfiguredPort(options.root);

    // The signals are taken by a thread of our own, so every other thread (the server's pool
    // included) starts with them blocked.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    os::SharedMemorySection userSection;
    os::SharedMemorySection savePathSection;
    if (!PublishLogin(options, userSection, savePathSection)) {
        std::cerr << "farm-client: cannot publish the login sections\n";
        return 1;
    }

    RequestLog log;
    httplib::Server server;
    // The plug-in reads its answer with a single recv, so the status line, the headers and the
    // body must arrive together. Accepted sockets inherit TCP_CORK from the listening socket:
    // the answer's pieces wait in the kernel until the connection closes after its one request.
    server.set_socket_options([](int socket) {
        const int on = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        setsockopt(socket, IPPROTO_TCP, TCP_CORK, &on, sizeof on);
    });
    server.set_keep_alive_max_count(1);
    server.Post("/", [&](const httplib::Request& request, httplib::Response& response) {
        farm::Notice notice;
        const bool parsed = farm::ParseNotice(request.body, notice);
        for (std::string* path : {&notice.scenePath, &notice.filePath, &notice.compressPath}) {
            *path = farm::LinuxPathInWinePrefix(options.winePrefix, *path);
        }
        farm::Verdict verdict;
        if (options.reply != kNoReply) {
            verdict = {options.reply, options.reply == farm::kArchiveProblem ? options.err : ""};
        } else if (!parsed) {
            verdict = {farm::kInternalError, {}};
        } else {
            verdict = Judge(notice, context, record);
        }
        response.set_content(ReplyBody(verdict), "application/json");
        log.Write(verdict, notice.scenePath);
    });

    int boundPort = port;
    if (port == 0) {
        boundPort = server.bind_to_any_port(kListenHost);
    } else if (!server.bind_to_port(kListenHost, port)) {
        boundPort = -1;
    }
    if (boundPort <= 0) {
        std::cerr << "farm-client: cannot listen on " << kListenHost << ":" << port << "\n";
        return 1;
    }
    std::cout << "listening on " << kListenHost << ":" << boundPort << std::endl;

    std::atomic<bool> serving{true};
    std::atomic<bool> stopRequested{false};
    std::thread signalWatch([&] {
        const timespec interval{0, 100'000'000};
        while (serving) {
            if (sigtimedwait(&stopSignals, nullptr, &interval) > 0) {
                stopRequested = true;
            }
            // Repeated until the server has ended: a stop that comes before it runs is lost.
            if (stopRequested) {
                server.stop();
            }
        }
    });
    server.listen_after_bind();
    serving = false;
    signalWatch.join();

    userSection.Remove();
    savePathSection.Remove();
    std::cout << "stopped" << std::endl;
    return stopRequested ? 0 : 1;
}

}  // namespace

void AddServeCommand(CLI::App& app, int& exitCode) {
    auto options = std::make_shared<ServeOptions>();
    CLI::App* command = app.add_subcommand(
        "serve", "Publish the login sections and answer submission notices until stopped");
    command->add_option("--root", options->root, "Folder that stands for the all-users data root")
        ->required();
    command
        ->add_option("--port", options->port,
                     "Port to listen on (default: pmx_plugin.ini, else 18080; 0: any free port)")
        ->check(CLI::Range(0, 65535));
    command->add_option("--user", options->user, "User name published to the plug-in");
    command->add_option("--save-path", options->savePath,
                        "Save folder published to the plug-in (default: DIR/farm-client/save)");
    command
        ->add_option("--reply", options->reply,
                     "Answer every notice with this code, without checking or recording it")
        ->check(CLI::Range(1, 99999));
    command->add_option("--err", options->err, "The err text of a forced 10010 reply");
    command->add_option("--wine-prefix", options->winePrefix,
                        "Wine prefix of a plug-in that runs under Wine: its Windows paths in "
                        "notices are read as the Linux paths they stand for");
    command->callback([options, &exitCode] { exitCode = Serve(*options); });
}
