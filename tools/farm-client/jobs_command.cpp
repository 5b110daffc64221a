// farm-client jobs: the jobs a serving client accepted, oldest first.
#include <iostream>
#include <memory>
#include <vector>

#include "tools/farm-client/commands.h"
#include "tools/farm-client/farm_root.h"
#include "tools/farm-client/job_record.h"

namespace {

struct JobsOptions {
    std::string root;
    bool json = false;
};

std::string Text(const Json::Value& job, const char* name) {
    const Json::Value& member = job[name];
    return member.isString() ? member.asString() : std::string();
}

int ListJobs(const JobsOptions& options) {
    std::vector<Json::Value> jobs;
    if (!farm::ReadJobs(farm::JobsFile(options.root), jobs)) {
        std::cerr << "farm-client: cannot read " << farm::JobsFile(options.root) << "\n";
        return 1;
    }
    if (options.json) {
        Json::Value list(Json::arrayValue);
        for (Json::Value& job : jobs) {
            list.append(std::move(job));
        }
        Json::StreamWriterBuilder builder;
        builder["indentation"] = "  ";
        builder["emitUTF8"] = true;
        std::cout << Json::writeString(builder, list) << "\n";
        return 0;
    }
    for (const Json::Value& job : jobs) {
        std::cout << Text(job, "time") << "  " << Text(job, "user") << "  "
                  << Text(job, "scenePath") << "  job " << Text(job, "filePath") << "  archive "
                  << Text(job, "compressPath") << "\n";
    }
    return 0;
}

}  // namespace

void AddJobsCommand(CLI::App& app, int& exitCode) {
    auto options = std::make_shared<JobsOptions>();
    CLI::App* command = app.add_subcommand("jobs", "List the accepted jobs, one line each");
    command->add_option("--root", options->root, "Folder that stands for the all-users data root")
        ->required();
    command->add_flag("--json", options->json, "Print one JSON array instead");
    command->callback([options, &exitCode] { exitCode = ListJobs(*options); });
}
