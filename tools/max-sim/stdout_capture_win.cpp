// Windows C runtime calls only: standard output (descriptor 1) pointed at a temporary file,
// read back through a second descriptor of the same file with its own position.
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <cstdlib>
#include <iostream>

#include "tools/max-sim/stdout_capture.h"

namespace maxsim {

namespace {

std::wstring g_fileName;
int g_reader = -1;

}  // namespace

StdoutCapture::~StdoutCapture() {
    if (output_ != nullptr) {
        std::fflush(output_);
    }
}

bool StdoutCapture::Start() {
    std::cout.flush();
    std::fflush(stdout);
    wchar_t folder[MAX_PATH] = {};
    wchar_t name[MAX_PATH] = {};
    if (::GetTempPathW(MAX_PATH, folder) == 0 || ::GetTempFileNameW(folder, L"mxs", 0, name) == 0) {
        return false;
    }
    int file = ::_wsopen(name, _O_WRONLY | _O_BINARY | _O_TRUNC, _SH_DENYNO, _S_IREAD | _S_IWRITE);
    int reader = ::_wsopen(name, _O_RDONLY | _O_BINARY, _SH_DENYNO, _S_IREAD);
    int original = ::_dup(1);
    if (file < 0 || reader < 0 || original < 0 || ::_dup2(file, 1) < 0) {
        for (int descriptor : {file, reader, original}) {
            if (descriptor >= 0) {
                ::_close(descriptor);
            }
        }
        ::DeleteFileW(name);
        return false;
    }
    g_fileName = name;
    g_reader = reader;
    file_ = file;
    output_ = ::_fdopen(original, "wb");  // the report is UTF-8 bytes, passed on unchanged
    return output_ != nullptr;
}

std::vector<std::string> StdoutCapture::Drain(bool all) {
    if (file_ < 0) {
        return {};
    }
    std::cout.flush();
    std::fflush(stdout);
    char buffer[4096];
    int got = 0;
    while ((got = ::_read(g_reader, buffer, sizeof buffer)) > 0) {
        pending_.append(buffer, static_cast<size_t>(got));
        offset_ += got;
    }
    return TakeLines(all);
}

}  // namespace maxsim
