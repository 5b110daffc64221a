#include "packaging/archive_accounts.h"

#include <algorithm>

#include "platform/md5.h"
#include "text/conversions.h"

namespace {

constexpr bool IsEightDigits(std::u16string_view id) {
    return id.size() == 8 &&
           std::all_of(id.begin(), id.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

static_assert(std::all_of(kArchiveAccounts.begin(), kArchiveAccounts.end(), IsEightDigits));
static_assert(kArchivePasswordSuffix.size() == 7 && kArchivePasswordSuffix[0] == u'.');

}  // namespace

bool IsArchiveAccount(std::u16string_view userName) {
    return std::find(kArchiveAccounts.begin(), kArchiveAccounts.end(), userName) !=
           kArchiveAccounts.end();
}

std::string ArchivePassword(const std::u16string& baseName) {
    std::string first;
    std::string second;
    if (!os::Md5Hex(ToUtf8(baseName), first) ||
        !os::Md5Hex(ToUtf8(baseName + std::u16string(kArchivePasswordSuffix)), second)) {
        return {};
    }
    std::string password;
    password.reserve(first.size() + second.size());
    for (size_t i = 0; i < first.size() && i < second.size(); ++i) {
        password += first[i];
        password += second[i];
    }
    return password;
}
