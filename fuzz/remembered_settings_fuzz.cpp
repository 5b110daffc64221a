// Any bytes as the configuration file "script/pmx_plugin.ini", read and written the way the main
// dialog remembers its settings: every remembered control's value is read under its key as the
// dialog reads it, the controls take those values as the dialog restores them, and a submission
// writes them back (the reset values when "remember settings" is clear). Nothing may crash or
// leak; every value written must read back as the profile rules make it (blanks around it and
// one pair of quotes dropped, cut to the buffer); the client's keys, a key of another section
// and the file's encoding must stay as they were; and writing the same settings again must
// change nothing.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/data_folder.h"
#include "config/remembered_settings.h"
#include "fuzz/scratch_folder.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/profile_text.h"
#include "resources/resource.h"
#include "text/conversions.h"
#include "text/crt_numbers.h"

namespace {

namespace fs = std::filesystem;

constexpr unsigned kUnchecked = 0;
constexpr unsigned kChecked = 1;
constexpr int kGiSizes = 4;  // the GI size list: 100%, 50%, 33%, 25%

void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

const std::u16string& ConfigFile() {
    static const std::u16string* path = [] {
        const fs::path& root = fuzzing::ScratchFolder("zep-remembered-fuzz");
        fs::create_directories(root / "ZEP Rendering" / "script");
        ::setenv("PROGRAMDATA", root.c_str(), 1);
        return new std::u16string(data_folder::ConfigFilePath());
    }();
    return *path;
}

std::u16string Read(const std::u16string& section, const std::u16string& key) {
    return os::GetPrivateProfileString(section, key, u"", data_folder::kProfileBufferSize,
                                       ConfigFile());
}

// A remembered control's value, read as the main dialog reads it when it opens.
std::u16string RememberedValue(int control) {
    return Read(data_folder::kConfigSection, KeyForControl(control));
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

// What a profile read gives for a value written as `value`.
std::u16string ReadsAs(std::u16string_view value) {
    while (!value.empty() && IsBlank(value.front())) {
        value.remove_prefix(1);
    }
    while (!value.empty() && IsBlank(value.back())) {
        value.remove_suffix(1);
    }
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::u16string(value.substr(0, data_folder::kProfileBufferSize - 1));
}

// The main dialog's remembered controls once it has restored the values it read: a check box
// is ticked by "1" and cleared by "0" (the scene-saving box starts ticked, the others clear); the
// GI size list selects the number a value starts with, nothing when that is no entry of the
// list (it starts at the first); an edit shows a value other than "0" (any value for the Corona
// limits, which the scene sets no limit for here) and otherwise keeps what it started with,
// taken here as empty; the last block-mode button read as "1" is the one ticked (no blocks when
// none is).
class RestoredControls {
public:
    explicit RestoredControls(const std::map<int, std::u16string>& values) {
        int radio = IDC_RADIO_NOBLOCK;
        for (const RememberedSetting& setting : RememberedSettings()) {
            const std::u16string& value = values.at(setting.controlId);
            switch (setting.group) {
                case RememberedGroup::CheckBox:
                    checks_[setting.controlId] = value == u"1"   ? kChecked
                                                 : value == u"0" ? kUnchecked
                                                 : setting.controlId == IDC_SAVE_SCENE_FILE
                                                     ? kChecked
                                                     : kUnchecked;
                    break;
                case RememberedGroup::ComboBox:
                    if (!value.empty()) {
                        int index = CrtWtoi(value);
                        combo_ = index >= 0 && index < kGiSizes ? index : -1;
                    }
                    break;
                case RememberedGroup::Edit: {
                    bool coronaLimit = setting.controlId == IDC_EDIT_DURATION ||
                                       setting.controlId == IDC_EDIT_ITERATIONS ||
                                       setting.controlId == IDC_EDIT_NOISE_LEVEL;
                    if (!value.empty() && (coronaLimit || value != u"0")) {
                        edits_[setting.controlId] = value;
                    }
                    break;
                }
                case RememberedGroup::RadioButton:
                    if (value == u"1") {
                        radio = setting.controlId;
                    }
                    break;
            }
        }
        for (int button :
             {IDC_RADIO_NOBLOCK, IDC_RADIO_THREEBLOCK, IDC_RADIO_SIXBLOCK, IDC_RADIO_DCSBLOCK}) {
            checks_[button] = button == radio ? kChecked : kUnchecked;
        }
    }

    ControlReader Reader() const {
        return {
            [this](int control) {
                auto found = checks_.find(control);
                return found != checks_.end() ? found->second : kUnchecked;
            },
            [this](int) { return combo_; },
            [this](int control) {
                auto found = edits_.find(control);
                return found != edits_.end() ? found->second : std::u16string();
            },
        };
    }

private:
    std::map<int, unsigned> checks_;
    int combo_ = 0;
    std::map<int, std::u16string> edits_;
};

// Keys the remembered settings leave alone: the client's, in the same section, and one of
// another section.
constexpr std::array<std::array<const char16_t*, 2>, 4> kOtherKeys = {{
    {data_folder::kConfigSection, data_folder::kHostKey},
    {data_folder::kConfigSection, data_folder::kPortKey},
    {data_folder::kConfigSection, data_folder::kLowerVersionKey},
    {u"other", u"x"},
}};

std::vector<std::optional<std::u16string>> OtherValues(const os::ProfileFile& file) {
    std::vector<std::optional<std::u16string>> values;
    for (const auto& [section, key] : kOtherKeys) {
        values.push_back(os::FindProfileValue(file, section, key));
    }
    return values;
}

std::string FileBytes() {
    std::string bytes;
    Require(os::ReadWholeFile(ConfigFile(), bytes));
    return bytes;
}

bool IsUtf16(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(ToUtf8(ConfigFile()), std::ios::binary | std::ios::trunc) << bytes;

    std::map<int, std::u16string> values;
    for (const RememberedSetting& setting : RememberedSettings()) {
        Require(KeyForControl(setting.controlId) == setting.key);
        std::u16string value = RememberedValue(setting.controlId);
        Require(value.size() < data_folder::kProfileBufferSize);
        values[setting.controlId] = value;
    }
    const os::ProfileFile original = os::DecodeProfile(bytes);

    RestoredControls controls(values);
    const ControlReader reader = controls.Reader();
    RememberDialogSettings(reader);
    const std::string written = FileBytes();
    Require(IsUtf16(written) == IsUtf16(bytes));

    const RememberedValues expected = reader.checkState(IDC_REMEMBER_SETTING) != kUnchecked
                                          ? CurrentRememberedValues(reader)
                                          : ResetRememberedValues();
    Require(expected.size() == RememberedSettings().size());
    for (size_t i = 0; i < expected.size(); ++i) {
        Require(RememberedValue(RememberedSettings()[i].controlId) == ReadsAs(expected[i]));
    }
    os::ProfileFile file = os::DecodeProfile(written);
    Require(OtherValues(file) == OtherValues(original));

    // Writing the same values again changes nothing: every key's line already says it.
    for (size_t i = 0; i < expected.size(); ++i) {
        Require(!os::SetProfileValue(file, data_folder::kConfigSection, RememberedSettings()[i].key,
                                     expected[i]));
    }
    return 0;
}
