#pragma once
// The sub-commands of farm-client. Each registers its options and sets the exit code of its run
// through the callback it installs.

#include <CLI/CLI.hpp>

void AddInstallCommand(CLI::App& app, int& exitCode);
void AddServeCommand(CLI::App& app, int& exitCode);
void AddJobsCommand(CLI::App& app, int& exitCode);
