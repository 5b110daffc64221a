#include "tests/support/temp_root.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "platform/code_page.h"

namespace testing_support {

namespace fs = std::filesystem;

TempRoot::TempRoot() {
    std::random_device random;
    std::ostringstream name;
    name << "zep-test-" << std::hex << random() << random();
    path_ = fs::temp_directory_path() / name.str();
    fs::create_directories(path_);
    if (const char* old = std::getenv("PROGRAMDATA")) {
        hadProgramData_ = true;
        savedProgramData_ = old;
    }
    ::setenv("PROGRAMDATA", path_.c_str(), 1);
}

TempRoot::~TempRoot() {
    if (hadProgramData_) {
        ::setenv("PROGRAMDATA", savedProgramData_.c_str(), 1);
    } else {
        ::unsetenv("PROGRAMDATA");
    }
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::u16string TempRoot::Wide() const {
    return U16(path_.string());
}

std::u16string TempRoot::Wide(const std::string& relativeUtf8) const {
    return U16((path_ / relativeUtf8).string());
}

void TempRoot::WriteFile(const std::string& relativeUtf8, const std::string& bytes) const {
    fs::path file = path_ / relativeUtf8;
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string TempRoot::ReadFile(const std::string& relativeUtf8) const {
    std::ifstream in(path_ / relativeUtf8, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempRoot::Exists(const std::string& relativeUtf8) const {
    return fs::exists(path_ / relativeUtf8);
}

std::u16string U16(const std::string& utf8) {
    return os::MultiByteToWide(os::kCodePageUtf8, utf8);
}

std::string U8(const std::u16string& utf16) {
    return os::WideToMultiByte(os::kCodePageUtf8, utf16);
}

}  // namespace testing_support
