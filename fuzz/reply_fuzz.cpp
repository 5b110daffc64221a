// Any bytes as the client's answer and as a command line: the reply handler and the command-line
// rules must neither crash nor leak, whatever the client (or another program on the port) sends
// and whatever an archiver path looks like.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "client/client_link.h"
#include "client/client_reply.h"
#include "fuzz/scratch_folder.h"
#include "platform/command_line.h"
#include "platform/standard_output.h"
#include "platform/win/message_box.h"
#include "resources/string_loader.h"
#include "text/conversions.h"

namespace {

std::filesystem::path FuzzRoot() {
    static const std::filesystem::path root = [] {
        std::filesystem::path folder = fuzzing::ScratchFolder("zep-reply-fuzz");
        std::filesystem::create_directories(folder / "ZEP Rendering" / "script");
        ::setenv("PROGRAMDATA", folder.c_str(), 1);
        SetResourceModule(reinterpret_cast<void*>(1));
        // Every unreadable reply prints a line; libFuzzer's own report is all that shows.
        os::SetStandardOutputSink([](std::string_view) {});
        return folder;
    }();
    return root;
}

bool EndsInExe(const std::u16string& candidate) {
    return candidate.size() >= 4 && candidate.compare(candidate.size() - 4, 4, u".exe") == 0;
}

void SplitEveryWay(const std::u16string& commandLine) {
    os::SplitCommandLine(commandLine);
    os::SplitArguments(commandLine);
    os::ProgramAndArguments found;
    os::FindProgram(commandLine, EndsInExe, found);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::filesystem::path root = FuzzRoot();
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // The handler on its own, and as the client link calls it: the first read's bytes up to a
    // zero byte, from the first brace on.
    HandleClientReply(bytes, nullptr);
    std::string firstRead = bytes.substr(0, static_cast<size_t>(kReplyBufferBytes));
    firstRead.resize(std::strlen(firstRead.c_str()));
    size_t brace = firstRead.find('{');
    if (brace != std::string::npos) {
        HandleClientReply(firstRead.substr(brace), nullptr);
    }
    win::TakeMessageBoxes();

    // The same bytes as a command line: read as UTF-8, and as raw UTF-16 code units (lone
    // surrogates and zero units included).
    SplitEveryWay(FromUtf8(bytes));
    std::u16string units(size / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    }
    SplitEveryWay(units);

    std::filesystem::remove(root / "ZEP Rendering" / "log" / "pmx_http.log");
    return 0;
}
