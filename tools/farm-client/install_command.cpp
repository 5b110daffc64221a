// farm-client install: the plug-in data folder as the farm's client installs it.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "config/data_folder.h"
#include "platform/profile.h"
#include "text/conversions.h"
#include "tools/farm-client/commands.h"
#include "tools/farm-client/farm_root.h"
#include "tools/farm-client/seven_zip.h"

namespace {

namespace fs = std::filesystem;

struct InstallOptions {
    std::string root;
    int port = farm::kDefaultPort;
    std::string lowerVersion = farm::kDefaultLowerVersion;
    std::string sevenZip;  // empty: the machine's
};

constexpr const char16_t* kFolders[] = {u"", u"/script", u"/json", u"/compress", u"/7-Zip"};

// Stand-ins for the farm's scripts. Each names its role in a marker line (script_roles.h), by
// which the simulated host's interpreter runs it.
struct ScriptFile {
    const char16_t* path;
    const char* text;
};
constexpr ScriptFile kScripts[] = {
    {data_folder::kAnalysisScript,
     "-- MaxRenderGlobalsParser.mse, laid out by farm-client install for development and tests.\n"
     "-- zep-role: analysis\n"
     "-- Defines gMax.analysis <result path> <options>, which writes the open scene's analysis\n"
     "-- to the result path as UTF-8 JSON. The farm's client installs the real script.\n"},
    {data_folder::kAdslScript,
     "-- ZepAntivirusAdsl_UTF8.ms, laid out by farm-client install for development and tests.\n"
     "-- zep-role: clean ADSL\n"
     "-- The cleaning script of the ADSL family: removes the family's scripts from the open\n"
     "-- scene and saves the scene. The farm's client installs the real script.\n"},
    {data_folder::kAlcScript,
     "-- ZepAntivirusAlc_UTF8.ms, laid out by farm-client install for development and tests.\n"
     "-- zep-role: clean ALC\n"
     "-- The cleaning script of the ALC family: removes the family's scripts from the open\n"
     "-- scene and saves the scene. The farm's client installs the real script.\n"},
    {data_folder::kCrpScript,
     "-- ZepAntivirusCrp_UTF8.ms, laid out by farm-client install for development and tests.\n"
     "-- zep-role: clean CRP\n"
     "-- The cleaning script of the CRP family: removes the family's scripts from the open\n"
     "-- scene and saves the scene. The farm's client installs the real script.\n"},
};

bool SetKey(const std::string& file, const char16_t* key, const std::string& value) {
    return os::WritePrivateProfileString(data_folder::kConfigSection, key, FromUtf8(value),
                                         FromUtf8(file));
}

int Install(const InstallOptions& options) {
    std::error_code error;
    if (!options.sevenZip.empty() && !fs::is_regular_file(options.sevenZip, error)) {
        std::cerr << "farm-client: no 7-Zip program at " << options.sevenZip << "\n";
        return 1;
    }
    const std::string sevenZip = options.sevenZip.empty() ? farm::FindSystemSevenZip()
                                                          : fs::absolute(options.sevenZip).string();
    if (sevenZip.empty()) {
        std::cerr << "farm-client: no 7-Zip program (7zz, 7z or 7za) found in PATH; install "
                     "7-Zip first\n";
        return 1;
    }
    for (const char16_t* folder : kFolders) {
        const std::string path = farm::DataPath(options.root, folder);
        if (!fs::create_directories(path, error) && error) {
            std::cerr << "farm-client: cannot create " << path << ": " << error.message() << "\n";
            return 1;
        }
        std::cout << "folder  " << path << "\n";
    }

    const std::string config = farm::ConfigFile(options.root);
    if (!SetKey(config, data_folder::kHostKey, farm::kDefaultHost) ||
        !SetKey(config, data_folder::kPortKey, std::to_string(options.port)) ||
        !SetKey(config, data_folder::kLowerVersionKey, options.lowerVersion)) {
        std::cerr << "farm-client: cannot write " << config << "\n";
        return 1;
    }
    std::cout << "config  " << config << " (ip=" << farm::kDefaultHost << ", port=" << options.port
              << ", lowerversion=" << options.lowerVersion << ")\n";

    for (const ScriptFile& script : kScripts) {
        const std::string path = farm::DataPath(options.root, script.path);
        if (fs::exists(path, error)) {
            std::cout << "script  " << path << " (kept)\n";
            continue;
        }
        std::ofstream out(path, std::ios::binary);
        out << script.text;
        out.close();
        if (!out) {
            std::cerr << "farm-client: cannot write " << path << "\n";
            return 1;
        }
        std::cout << "script  " << path << "\n";
    }

    const std::string archiver = farm::DataPath(options.root, data_folder::kArchiver);
    fs::remove(archiver, error);
    fs::create_symlink(sevenZip, archiver, error);
    if (error) {
        std::cerr << "farm-client: cannot link " << archiver << " to " << sevenZip << ": "
                  << error.message() << "\n";
        return 1;
    }
    std::cout << "7-Zip   " << archiver << " -> " << sevenZip << "\n";
    return 0;
}

}  // namespace

void AddInstallCommand(CLI::App& app, int& exitCode) {
    auto options = std::make_shared<InstallOptions>();
    CLI::App* command =
        app.add_subcommand("install", "Lay out DIR/ZEP Rendering as the farm's client installs it");
    command->add_option("--root", options->root, "Folder that stands for the all-users data root")
        ->required();
    command->add_option("--port", options->port, "Port written to pmx_plugin.ini")
        ->check(CLI::Range(1, 65535));
    command->add_option("--lower-version", options->lowerVersion,
                        "Lowest plug-in version written to pmx_plugin.ini");
    command->add_option("--seven-zip", options->sevenZip,
                        "7-Zip program the data folder links to (default: 7zz, 7z or 7za in PATH)");
    command->callback([options, &exitCode] { exitCode = Install(*options); });
}
