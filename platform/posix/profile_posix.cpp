#include "platform/fault_injection.h"
#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/profile.h"
#include "platform/profile_text.h"

namespace os {

std::u16string GetPrivateProfileString(const std::u16string& section, const std::u16string& key,
                                       const std::u16string& defaultValue, size_t bufferSize,
                                       const std::u16string& file) {
    if (bufferSize == 0) {
        return {};
    }
    std::u16string result;
    std::string bytes;
    std::optional<std::u16string> found;
    const FaultPoint fault("GetPrivateProfileString", kErrorAccessDenied);
    if (!fault.Failed() && ReadWholeFile(file, bytes)) {
        found = FindProfileValue(DecodeProfile(bytes), section, key);
        if (!found) {
            SetLastError(kErrorFileNotFound);
        }
    }
    if (found) {
        result = std::move(*found);
    } else {
        // Windows drops trailing blanks from the default.
        result = defaultValue;
        while (!result.empty() && (result.back() == u' ' || result.back() == u'\t')) {
            result.pop_back();
        }
    }
    if (result.size() > bufferSize - 1) {
        result.resize(bufferSize - 1);
    }
    return result;
}

bool WritePrivateProfileString(const std::u16string& section, const std::u16string& key,
                               const std::optional<std::u16string>& value,
                               const std::u16string& file) {
    const FaultPoint fault("WritePrivateProfileString", kErrorDiskFull);
    if (fault.Failed()) {
        return false;
    }
    ProfileFile profile;
    std::string bytes;
    if (ReadWholeFile(file, bytes)) {
        profile = DecodeProfile(bytes);
    } else {
        // A missing file is written from nothing; one that exists but cannot be read is left
        // alone.
        const uint32_t readError = GetLastError();
        if (PathExists(file)) {
            SetLastError(readError);
            return false;
        }
    }
    if (!SetProfileValue(profile, section, key, value)) {
        return true;
    }
    return WriteFileAtomically(file, EncodeProfile(profile));
}

}  // namespace os
