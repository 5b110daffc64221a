#include "scene/styled_camera_list.h"

#include <json/json.h>

#include <cstdint>
#include <string_view>

#include "text/conversions.h"

namespace {

// The styled writer indents by three blanks per level: the list is a member of the root, its
// objects one level deeper, their members one more.
constexpr std::string_view kObjectIndent = "\n      ";
constexpr std::string_view kMemberIndent = "\n         ";

class CameraObject {
public:
    explicit CameraObject(std::string& out) : out_(out) { (out_ += kObjectIndent) += '{'; }
    // Not in a destructor: appending may throw, and a destructor must not.
    void Close() { (out_ += kObjectIndent) += '}'; }
    CameraObject(const CameraObject&) = delete;
    CameraObject& operator=(const CameraObject&) = delete;

    // Members must come in the order of their keys, as the writer sorts them.
    void Raw(std::string_view key, std::string_view value) {
        if (!first_) {
            out_ += ',';
        }
        first_ = false;
        (((out_ += kMemberIndent) += '"') += key) += "\" : ";
        out_ += value;
    }
    void Number(std::string_view key, int32_t value) { Raw(key, std::to_string(value)); }
    void Flag(std::string_view key, bool value) {
        Raw(key, value ? std::string_view("true") : std::string_view("false"));
    }
    // The writer's own quoting, with its escapes for control and non-ASCII characters.
    void Text(std::string_view key, const std::u16string& value) {
        Raw(key, Json::valueToQuotedString(ToUtf8(value).c_str()));
    }

private:
    std::string& out_;
    bool first_ = true;
};

}  // namespace

bool HasSelectedCamera(const CameraMap& cameras) {
    for (const auto& entry : cameras) {
        if (entry.second.selected) {
            return true;
        }
    }
    return false;
}

std::string StyledCameraList(const CameraMap& cameras) {
    std::string out = "[";
    bool first = true;
    for (const auto& [name, camera] : cameras) {
        if (!camera.selected) {
            continue;
        }
        if (!first) {
            out += ',';
        }
        first = false;
        CameraObject object(out);
        object.Number("camera_height", camera.height);
        object.Number("camera_width", camera.width);
        object.Number("frame_to_render", camera.frameToRender);
        object.Text("img_output_format", camera.imageFormat);
        object.Text("img_output_name", camera.outputName);
        object.Flag("is_spherical", camera.isSpherical);
        object.Text("name", name);
        object.Raw("renderable", "\"1\"");
        object.Close();
    }
    out += "\n   ]";
    return out;
}
