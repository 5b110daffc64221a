// Writes the seed corpus of the analysis fuzzer: analyses of several shapes.
#include <fstream>
#include <iostream>
#include <string>

#include "bench/analysis_generator.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_seeds FOLDER\n";
        return 2;
    }
    std::string folder = argv[1];
    int written = 0;
    auto write = [&](const AnalysisShape& shape) {
        std::ofstream(folder + "/seed" + std::to_string(++written) + ".json")
            << GenerateAnalysis(shape);
    };
    AnalysisShape plain;
    write(plain);
    AnalysisShape corona;
    corona.corona = true;
    corona.vray = false;
    corona.cameras = 3;
    write(corona);
    AnalysisShape empty;
    empty.cameras = 0;
    empty.referenceFiles = 0;
    empty.missingFiles = 0;
    empty.duplicateFiles = 0;
    write(empty);
    AnalysisShape many;
    many.cameras = 40;
    many.referenceFiles = 60;
    write(many);
    std::cout << written << " seeds in " << folder << "\n";
    return 0;
}
