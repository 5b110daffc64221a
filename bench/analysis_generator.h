#pragma once
// Builds analysis result texts of a chosen size, shaped like the ones the analysis script
// writes, for benchmarks and fuzzing seeds.

#include <cstddef>
#include <string>

struct AnalysisShape {
    size_t cameras = 10;
    size_t referenceFiles = 20;
    size_t missingFiles = 2;
    size_t duplicateFiles = 1;
    bool corona = false;
    bool vray = true;
    std::string scenePath = "D:\\projects\\house\\living room.max";
};

// The analysis as UTF-8 JSON text.
std::string GenerateAnalysis(const AnalysisShape& shape);
