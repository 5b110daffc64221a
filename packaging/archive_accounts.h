#pragma once
// The farm accounts whose archives go to the client's save folder with a password, and the rule
// that derives that password from the scene's base name. The reference farm client opens the
// archives with the same rule, so this header stands on its own.

#include <array>
#include <string>
#include <string_view>

// Account identifiers, compared whole and exactly with the client's user name.
inline constexpr std::array<std::u16string_view, 3> kArchiveAccounts = {
    u"30071542",
    u"30088217",
    u"30104963",
};

// Appended to the base name for the second digest of the password.
inline constexpr std::u16string_view kArchivePasswordSuffix = u".zepkey";

// True when userName is one of kArchiveAccounts.
bool IsArchiveAccount(std::u16string_view userName);

// 64 lower-case hexadecimal characters: the MD5 digests of the base name's UTF-8 text and of the
// UTF-8 text of the base name followed by kArchivePasswordSuffix, interleaved character by
// character, the first digest's character first. Empty, with the last error set, when the
// system could not compute a digest.
std::string ArchivePassword(const std::u16string& baseName);
