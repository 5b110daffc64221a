#pragma once
// The sub-commands of zep-submit. Each registers its options and returns the exit code of its
// run through the callback it installs.

#include <CLI/CLI.hpp>

void AddConfigCommand(CLI::App& app, int& exitCode);
void AddInspectCommand(CLI::App& app, int& exitCode);
void AddJobCommand(CLI::App& app, int& exitCode);
void AddSubmitCommand(CLI::App& app, int& exitCode);
