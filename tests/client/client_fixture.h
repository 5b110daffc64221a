#pragma once
// What the client tests share: a temporary data folder with a log folder, the pseudo-locale in
// which string N reads "{N}", and the pmx_http log read back as "[LEVEL] message" lines.

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win/message_box.h"
#include "resources/string_loader.h"
#include "tests/support/temp_root.h"

namespace client_test {

// String N of the pseudo-locale.
inline std::u16string S(int id) {
    return u"{" + testing_support::U16(std::to_string(id)) + u"}";
}

class ClientTest : public testing_support::TempRootTest {
protected:
    void SetUp() override {
        root.WriteFile("ZEP Rendering/script/x", "");
        ::setenv("ZEP_LANGUAGE", "ids", 1);
        SetResourceModule(reinterpret_cast<void*>(1));
        win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerYesOk);
        win::TakeMessageBoxes();
    }

    std::vector<std::string> LogLines() const {
        std::istringstream in(root.ReadFile("ZEP Rendering/log/pmx_http.log"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            lines.push_back(line.size() > 24 ? line.substr(24) : line);
        }
        return lines;
    }

    // The owner every box of these tests must name.
    win::WindowHandle owner = reinterpret_cast<win::WindowHandle>(0x5150);
};

}  // namespace client_test
