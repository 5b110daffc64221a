#include "scene/styled_camera_list.h"

#include <gtest/gtest.h>
#include <json/json.h>

#include <climits>

#include "text/conversions.h"

namespace {

// What jsoncpp's own styled writer makes of the same cameras as JSON values in a root object.
std::string WrittenByJsoncpp(const CameraMap& cameras) {
    Json::Value list(Json::arrayValue);
    for (const auto& [name, camera] : cameras) {
        if (camera.selected) {
            Json::Value& item = list.append(Json::Value(Json::objectValue));
            item["name"] = ToUtf8(name);
            item["camera_width"] = camera.width;
            item["camera_height"] = camera.height;
            item["frame_to_render"] = camera.frameToRender;
            item["img_output_format"] = ToUtf8(camera.imageFormat);
            item["img_output_name"] = ToUtf8(camera.outputName);
            item["renderable"] = "1";
            item["is_spherical"] = camera.isSpherical;
        }
    }
    Json::Value root(Json::objectValue);
    root["cameras"] = list;
    return Json::StyledWriter().write(root);
}

TEST(StyledCameraListTest, WritesWhatTheStyledWriterWrites) {
    CameraMap cameras;
    const std::u16string odd[] = {u"Cam \"1\" \\ /",
                                  u"\u6444\u50cf\u673a01",
                                  u"tab\there\nline",
                                  u"\x01\x1f\x7f",
                                  u"\U0001F600 astral",
                                  u"lone \xD800 half",
                                  u"",
                                  u"\u00e9t\u00e9"};
    int32_t number = 0;
    for (const std::u16string& text : odd) {
        cameras[u"n" + text] = CameraInfo{INT32_MAX - number, -number, INT32_MIN + number, text,
                                          number % 3 != 2,    text,    number % 2 == 0};
        ++number;
    }
    EXPECT_EQ("{\n   \"cameras\" : " + StyledCameraList(cameras) + "\n}\n",
              WrittenByJsoncpp(cameras));
    EXPECT_TRUE(HasSelectedCamera(cameras));

    for (auto& entry : cameras) {
        entry.second.selected = false;
    }
    EXPECT_FALSE(HasSelectedCamera(cameras));
    EXPECT_FALSE(HasSelectedCamera(CameraMap{}));
}

}  // namespace
