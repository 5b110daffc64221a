#include "tools/farm-client/job_record.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "text/json_text.h"

namespace farm {
namespace {

bool ParseLine(const std::string& line, Json::Value& value) {
    return ParseJsonText(line, value) && value.isObject();
}

std::string Text(const Json::Value& object, const char* name) {
    const Json::Value& member = object[name];
    return member.isString() ? member.asString() : std::string();
}

std::string OneLine(const Json::Value& value) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, value);
}

}  // namespace

Json::Value ToJson(const AcceptedJob& job) {
    Json::Value value(Json::objectValue);
    value["time"] = job.time;
    value["scenePath"] = job.scenePath;
    value["filePath"] = job.filePath;
    value["compressPath"] = job.compressPath;
    value["maxVersion"] = job.maxVersion;
    value["user"] = job.user;
    value["jobMd5"] = job.jobDigest;
    return value;
}

bool ReadJobs(const std::string& file, std::vector<Json::Value>& jobs) {
    jobs.clear();
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::error_code error;
        return !std::filesystem::exists(file, error) && !error;
    }
    std::string line;
    while (std::getline(in, line)) {
        Json::Value value;
        if (ParseLine(line, value)) {
            jobs.push_back(std::move(value));
        }
    }
    return !in.bad();
}

bool JobRecord::Load() {
    std::vector<Json::Value> jobs;
    if (!ReadJobs(file_, jobs)) {
        return false;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    for (const Json::Value& job : jobs) {
        accepted_.emplace(Text(job, "scenePath"), Text(job, "jobMd5"));
    }
    return true;
}

JobRecord::Outcome JobRecord::Accept(const AcceptedJob& job) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (accepted_.count({job.scenePath, job.jobDigest}) != 0) {
        return Outcome::Repeated;
    }
    std::FILE* out = std::fopen(file_.c_str(), "ab");
    if (out == nullptr) {
        return Outcome::NotWritten;
    }
    const std::string line = OneLine(ToJson(job)) + "\n";
    const bool written = std::fwrite(line.data(), 1, line.size(), out) == line.size();
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed) {
        return Outcome::NotWritten;
    }
    accepted_.emplace(job.scenePath, job.jobDigest);
    return Outcome::Accepted;
}

}  // namespace farm
