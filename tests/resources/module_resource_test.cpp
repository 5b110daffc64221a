#include "resources/module_resource.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "resources/resource.h"
#include "resources/string_loader.h"
#include "tests/support/environment.h"

namespace {

HINSTANCE Module() {
    return static_cast<HINSTANCE>(testing_support::TestResourceModule());
}

class ModuleResourceTest : public ::testing::Test {
protected:
    void SetUp() override { SetResourceModule(Module()); }
    void TearDown() override { SetResourceModule(nullptr); }
};

// The images decode to 16 x 16 pixels (the PNG image's tests); they carry an alpha channel.
TEST_F(ModuleResourceTest, PadlocksAreTwoRgbaPngImagesFoundInAnyCase) {
    std::span<const uint8_t> closed;
    std::span<const uint8_t> open;
    ASSERT_TRUE(FindModuleResource(Module(), IDB_PADLOCK_CLOSED, u"PNG", closed));
    ASSERT_TRUE(FindModuleResource(Module(), IDB_PADLOCK_OPEN, u"PNG", open));
    for (std::span<const uint8_t> image : {closed, open}) {
        ASSERT_GT(image.size(), 33u);
        EXPECT_EQ(image[25], 6);  // colour type RGBA
    }
    EXPECT_FALSE(std::ranges::equal(closed, open));
    std::span<const uint8_t> lowerCase;
    EXPECT_TRUE(FindModuleResource(Module(), IDB_PADLOCK_OPEN, u"png", lowerCase));
    EXPECT_EQ(lowerCase.data(), open.data());
}

TEST_F(ModuleResourceTest, UnknownIdOrTypeAndMissingModuleFindNothing) {
    const std::span<const uint8_t> untouched;
    struct Case {
        HINSTANCE module;
        int id;
        std::u16string_view type;
    };
    for (const Case& c :
         {Case{Module(), IDD_INVALID_NAMES, u"PNG"}, Case{Module(), 108, u"PNG"},
          Case{Module(), IDB_PADLOCK_CLOSED, u"BMP"}, Case{Module(), IDB_PADLOCK_CLOSED, u"PNGX"},
          Case{nullptr, IDB_PADLOCK_CLOSED, u"PNG"}}) {
        std::span<const uint8_t> bytes = untouched;
        EXPECT_FALSE(FindModuleResource(c.module, c.id, c.type, bytes)) << c.id;
        EXPECT_EQ(bytes.data(), untouched.data());
    }
    SetResourceModule(nullptr);
    std::span<const uint8_t> bytes;
    EXPECT_FALSE(FindModuleResource(Module(), IDB_PADLOCK_CLOSED, u"PNG", bytes));
}

}  // namespace
