// The plug-in module loaded as 3ds Max loads it, against the simulated host: its exports, its
// class, its commands and its menu through start, the start-up notification and stop.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "actiontable.h"
#include "guplib.h"
#include "host/simulated_host.h"
#include "iMenuMan.h"
#include "iparamb2.h"
#include "maxapi.h"
#include "notify.h"
#include "platform/win/message_box.h"
#include "tests/support/environment.h"
#include "tools/max-sim/plugin_module.h"
#include "workflow/host_text.h"

namespace {

using maxsim::MenuEntry;

constexpr ActionTableId kTable = 0x45AA4389;
constexpr MenuContextId kPluginMenuContext = 0x411A1C29;

const maxsim::PluginModule& Plugin() {
    static maxsim::PluginModule module = [] {
        testing_support::UseResourceLanguage("en");
        maxsim::PluginModule loaded;
        std::string error;
        EXPECT_TRUE(maxsim::LoadPluginModule(ZEP_PLUGIN_PATH, loaded, error)) << error;
        return loaded;
    }();
    return module;
}

// The module's string as the host reads it through the module handle.
std::u16string ModuleString(int id) {
    return maxsim::ModuleText(Plugin().instance, id);
}

IMenuManager& Menus() {
    return *GetCOREInterface()->GetMenuManager();
}

// The entries of the main menu bar titled `title`.
std::vector<MenuEntry> BarMenus(const std::u16string& title) {
    std::vector<MenuEntry> found;
    for (const MenuEntry& entry : maxsim::MainMenuBar()) {
        if (entry.kind == MenuEntry::Kind::SubMenu && entry.text == title) {
            found.push_back(entry);
        }
    }
    return found;
}

class PluginModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        Plugin();
        maxsim::ResetHost();
        win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerYesOk);
        win::TakeMessageBoxes();
    }
    void TearDown() override {
        if (plugin_ != nullptr) {
            plugin_->DeleteThis();
        }
        maxsim::ResetHost();
    }
    GUP& Create() {
        plugin_ = static_cast<GUP*>(Plugin().LibClassDesc(0)->Create(FALSE));
        return *plugin_;
    }
    // The plug-in menu (exactly one must be on the bar) and its entries.
    void ExpectOnePluginMenu() {
        std::vector<MenuEntry> menus = BarMenus(ModuleString(31));
        ASSERT_EQ(menus.size(), 1u);
        const std::vector<MenuEntry>& entries = menus[0].entries;
        ASSERT_EQ(entries.size(), 3u);
        EXPECT_EQ(entries[0].command, 1497);
        EXPECT_EQ(entries[0].text, ModuleString(6));
        EXPECT_EQ(entries[1].kind, MenuEntry::Kind::Separator);
        EXPECT_EQ(entries[2].command, 1498);
        EXPECT_EQ(entries[2].text, ModuleString(12));
    }

    GUP* plugin_ = nullptr;
};

TEST_F(PluginModuleTest, ExportsDescribeOneUtilityClass) {
    const maxsim::PluginModule& module = Plugin();
    EXPECT_EQ(module.LibVersion(), 1572879360u);
    EXPECT_EQ(module.LibNumberClasses(), 1);
    EXPECT_EQ(module.LibClassDesc(1), nullptr);
    ClassDesc* descriptor = module.LibClassDesc(0);
    ASSERT_NE(descriptor, nullptr);
    EXPECT_EQ(module.LibClassDesc(0), descriptor);
    EXPECT_EQ(descriptor->SuperClassID(), 4320u);
    EXPECT_TRUE(descriptor->ClassID() == Class_ID(0x92E04770, 0x337202D3));
    EXPECT_EQ(FromHostText(descriptor->NonLocalizedClassName()), u"ZEP_Rendering_2022");
    EXPECT_EQ(FromHostText(descriptor->ClassName()), ModuleString(3));
    EXPECT_EQ(FromHostText(descriptor->Category()), ModuleString(2));
    EXPECT_EQ(FromHostText(module.LibDescription()), ModuleString(1));
    EXPECT_FALSE(ModuleString(1).empty());
    EXPECT_EQ(ModuleString(4), u"");  // no such string
    // The module handle is the module's base address.
    EXPECT_EQ(descriptor->HInstance(), module.instance);
}

// Whatever the order of starts, start-up notifications and stops, the bar holds one plug-in
// menu with its three entries; after a stop, a notification brings back none.
TEST_F(PluginModuleTest, RebuildsLeaveOneMenu) {
    enum Call { kStart, kNotify, kStop };
    const std::vector<std::vector<Call>> sequences{
        {kStart, kNotify},          {kStart, kStart},        {kStart, kNotify, kStart},
        {kStart, kNotify, kNotify}, {kStart, kStop, kStart}, {kStart, kStop, kNotify, kStart},
    };
    for (const std::vector<Call>& sequence : sequences) {
        SCOPED_TRACE(testing::PrintToString(sequence));
        maxsim::ResetHost();
        GUP& plugin = plugin_ != nullptr ? *plugin_ : Create();
        for (Call call : sequence) {
            if (call == kStart) {
                plugin.Start();
            } else if (call == kNotify) {
                BroadcastNotification(NOTIFY_SYSTEM_STARTUP);
            } else {
                plugin.Stop();
            }
        }
        ExpectOnePluginMenu();
    }
    plugin_->Stop();
    BroadcastNotification(NOTIFY_SYSTEM_STARTUP);
    EXPECT_TRUE(BarMenus(ModuleString(31)).empty());
    EXPECT_EQ(Menus().FindMenu(ToHostText(ModuleString(31))), nullptr);
}

// A host updated from older versions still has their menus and the plug-in's menu context: the
// plug-in's menu comes after the host's menus all the same.
TEST_F(PluginModuleTest, StartRemovesTheMenusOfOlderVersions) {
    Menus().RegisterMenuBarContext(kPluginMenuContext, _M("old"));
    const std::vector<std::u16string> older{u"Norvale", u"ZEPCloud", ModuleString(15),
                                            ModuleString(31)};
    for (const std::u16string& title : older) {
        IMenu* menu = GetIMenu();
        menu->SetTitle(ToHostText(title));
        Menus().RegisterMenu(menu, 0);
        IMenuItem* opener = GetIMenuItem();
        opener->SetSubMenu(menu);
        Menus().GetMainMenuBar()->AddItem(opener, -1);
    }
    Create().Start();
    std::vector<std::u16string> titles;
    for (const MenuEntry& entry : maxsim::MainMenuBar()) {
        titles.push_back(entry.text);
    }
    EXPECT_THAT(titles,
                testing::ElementsAre(u"File", u"Edit", u"Rendering", u"Help", ModuleString(31)));
    ExpectOnePluginMenu();
}

TEST_F(PluginModuleTest, TableTextsAndCommands) {
    Create().Start();
    ActionTable* table = GetCOREInterface()->GetActionManager()->FindTable(kTable);
    ASSERT_NE(table, nullptr);
    MSTR text;
    EXPECT_EQ(table->GetMenuText(1499, text), FALSE);
    EXPECT_EQ(FromHostText(text), u"");
    // The base table reads the command's texts from the module through its handle.
    EXPECT_EQ(table->GetButtonText(1497, text), TRUE);
    EXPECT_EQ(FromHostText(text), ModuleString(6));
    table->GetDescriptionText(1498, text);
    EXPECT_EQ(FromHostText(text), ModuleString(12));

    // The information command, as a click on its menu item runs it.
    EXPECT_EQ(table->GetAction(1498)->ExecuteAction(), TRUE);
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(
        std::tie(boxes[0].owner, boxes[0].text, boxes[0].caption, boxes[0].type, boxes[0].language),
        std::make_tuple(nullptr, ModuleString(13), ModuleString(30), win::kMbOk, 1033));
    EXPECT_EQ(table->GetAction(4242), nullptr);
}

}  // namespace
