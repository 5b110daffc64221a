#pragma once
// The record of accepted jobs: one JSON object per line in "<root>/farm-client/jobs.jsonl".

#include <json/json.h>

#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace farm {

struct AcceptedJob {
    std::string time;
    std::string scenePath;
    std::string filePath;
    std::string compressPath;
    std::string maxVersion;
    std::string user;
    std::string jobDigest;  // MD5 of the job description's bytes
};

Json::Value ToJson(const AcceptedJob& job);

// The jobs of a record file, oldest first; lines that are not JSON objects are skipped. False
// when the file exists but cannot be read (a missing file is an empty record).
bool ReadJobs(const std::string& file, std::vector<Json::Value>& jobs);

// The record a serving client keeps. Accept is safe to call from several threads.
class JobRecord {
public:
    explicit JobRecord(std::string file) : file_(std::move(file)) {}

    // Takes in the jobs accepted by earlier runs.
    bool Load();

    enum class Outcome { Accepted, Repeated, NotWritten };
    // Repeated when a job with the same scene path and job digest was accepted before;
    // otherwise appends the job to the file.
    Outcome Accept(const AcceptedJob& job);

private:
    std::mutex mutex_;
    std::string file_;
    std::set<std::pair<std::string, std::string>> accepted_;  // scene path, job digest
};

}  // namespace farm
