#pragma once
// What the client tests share: a temporary data folder with a log folder, the pseudo-locale in
// which string N reads "{N}", the boxes shown and the pmx_http log read back as
// "[LEVEL] message" lines.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win/message_box.h"
#include "resources/string_loader.h"
#include "tests/support/environment.h"
#include "tests/support/temp_root.h"

namespace client_test {

// The whole text matches the ECMAScript pattern. GoogleTest's own regular expressions are POSIX
// ones on Linux and a subset without classes, braces or alternatives on Windows.
MATCHER_P(MatchesPattern, pattern, "matches " + std::string(pattern)) {
    return std::regex_match(std::string(arg), std::regex(pattern));
}

// String N of the pseudo-locale.
inline std::u16string S(int id) {
    return u"{" + testing_support::U16(std::to_string(id)) + u"}";
}

class ClientTest : public testing_support::TempRootTest {
protected:
    void SetUp() override {
        root.WriteFile("ZEP Rendering/script/x", "");
        testing_support::UseResourceLanguage("ids");
        SetResourceModule(testing_support::TestResourceModule());
        win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerYesOk);
        win::TakeMessageBoxes();
    }

    // The pmx_http log, each line without its time stamp and ending in "\n".
    std::string LogText() const {
        std::istringstream in(root.ReadFile("ZEP Rendering/log/pmx_http.log"));
        std::string text;
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            text += (line.size() > 24 ? line.substr(24) : line) + "\n";
        }
        return text;
    }

    // The box shown since the last call as Box(text, caption), checked for its owner, OK
    // button and English language; empty when none was shown.
    std::u16string TakeBox() {
        const std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
        EXPECT_LE(boxes.size(), 1u);
        if (boxes.empty()) {
            return {};
        }
        EXPECT_EQ(boxes[0].owner, owner);
        EXPECT_EQ(boxes[0].type, win::kMbOk);
        EXPECT_EQ(boxes[0].language, 1033);
        return Box(boxes[0].text, boxes[0].caption);
    }

    static std::u16string Box(const std::u16string& text, const std::u16string& caption = S(49)) {
        return text + u" | " + caption;
    }

    // The owner every box of these tests must name.
    HWND owner = static_cast<HWND>(testing_support::TestOwnerWindow());
};

}  // namespace client_test
