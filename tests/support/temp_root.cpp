#include "tests/support/temp_root.h"

#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "platform/code_page.h"
#include "tests/support/app_data_root.h"

namespace testing_support {

namespace fs = std::filesystem;

namespace {

// A relative path given in UTF-8, whatever the narrow encoding of paths on this system.
fs::path Utf8Path(const std::string& relativeUtf8) {
    return fs::path(std::u8string(relativeUtf8.begin(), relativeUtf8.end()));
}

}  // namespace

TempRoot::TempRoot() {
    std::random_device random;
    std::ostringstream name;
    name << "zep-test-" << std::hex << random() << random();
    path_ = fs::temp_directory_path() / name.str();
    fs::create_directories(path_);
    override_ = std::make_unique<AppDataRootOverride>(path_.u16string());
}

TempRoot::~TempRoot() {
    override_.reset();
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::u16string TempRoot::Wide() const {
    return path_.u16string();
}

std::u16string TempRoot::Wide(const std::string& relativeUtf8) const {
    return (path_ / Utf8Path(relativeUtf8)).make_preferred().u16string();
}

void TempRoot::WriteFile(const std::string& relativeUtf8, const std::string& bytes) const {
    fs::path file = path_ / Utf8Path(relativeUtf8);
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string TempRoot::ReadFile(const std::string& relativeUtf8) const {
    std::ifstream in(path_ / Utf8Path(relativeUtf8), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempRoot::Exists(const std::string& relativeUtf8) const {
    return fs::exists(path_ / Utf8Path(relativeUtf8));
}

std::u16string U16(const std::string& utf8) {
    return os::MultiByteToWide(os::kCodePageUtf8, utf8);
}

std::string U8(const std::u16string& utf16) {
    return os::WideToMultiByte(os::kCodePageUtf8, utf16);
}

}  // namespace testing_support
