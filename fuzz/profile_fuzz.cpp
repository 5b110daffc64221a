// Any bytes as a configuration file: reading, finding, changing and writing its values must
// neither crash nor leak, a file nobody changes writes back byte for byte, and a value written
// reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/profile_text.h"

namespace {

void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// A name from the fuzzer's bytes that profile files can hold as a section or a key: letters
// and digits only, so that no trimming, quoting or bracket applies to it.
std::u16string Name(std::string_view bytes, size_t at) {
    std::u16string name = u"k";
    for (size_t i = at; i < bytes.size() && i < at + 4; ++i) {
        name += static_cast<char16_t>(u'a' + static_cast<unsigned char>(bytes[i]) % 26);
    }
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    os::ProfileFile file = os::DecodeProfile(bytes);
    // A half unit left at the end of a UTF-16 file means nothing and is the one byte not kept.
    bool halfUnit = bytes.starts_with("\xFF\xFE") && bytes.size() % 2 == 1;
    Require(os::EncodeProfile(file) == (halfUnit ? bytes.substr(0, bytes.size() - 1) : bytes));

    std::u16string section = Name(bytes, 0);
    std::u16string key = Name(bytes, 4);
    os::FindProfileValue(file, u"general", u"lowerversion");
    os::FindProfileValue(file, section, key);

    os::SetProfileValue(file, section, key, std::u16string(u"v1"));
    os::ProfileFile again = os::DecodeProfile(os::EncodeProfile(file));
    std::optional<std::u16string> value = os::FindProfileValue(again, section, key);
    Require(value.has_value() && *value == u"v1");

    os::SetProfileValue(again, section, key, std::nullopt);
    os::DecodeProfile(os::EncodeProfile(again));
    return 0;
}
