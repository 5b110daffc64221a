#include "platform/profile.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/last_error.h"
#include "tests/support/temp_root.h"

namespace {

using testing_support::U16;
using testing_support::U8;

class ProfileTest : public testing_support::TempRootTest {
protected:
    std::string Get(const std::string& section, const std::string& key,
                    const std::string& defaultValue = "<none>", size_t bufferSize = 2048) {
        return U8(os::GetPrivateProfileString(U16(section), U16(key), U16(defaultValue), bufferSize,
                                              root.Wide("a.ini")));
    }
    bool Set(const std::string& section, const std::string& key,
             const std::optional<std::string>& value) {
        return os::WritePrivateProfileString(U16(section), U16(key),
                                             value ? std::optional(U16(*value)) : std::nullopt,
                                             root.Wide("a.ini"));
    }
};

// Little-endian UTF-16 with its byte-order mark, as Notepad saves "Unicode".
std::string Utf16File(const std::string& utf8) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : U16(utf8)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

TEST_F(ProfileTest, DropsBlanksAroundKeysAndValues) {
    root.WriteFile("a.ini", "[s]\r\n  \tkey one \t=  \t a  b \t \r\nempty=\r\nblank=  \t\r\n");
    EXPECT_EQ(Get("s", "key one"), "a  b");
    EXPECT_EQ(Get("s", "  key one\t"), "a  b");
    EXPECT_EQ(Get("s", "empty"), "");
    EXPECT_EQ(Get("s", "blank"), "");
}

TEST_F(ProfileTest, StripsOnePairOfMatchingQuotes) {
    root.WriteFile("a.ini",
                   "[s]\n"
                   "double= \" a b \" \n"
                   "single='x'\n"
                   "twice=\"\"y\"\"\n"
                   "mixed=\"z'\n"
                   "inner=a \"b\" c\n"
                   "lone=\"\n"
                   "pair=\"\"\n");
    EXPECT_EQ(Get("s", "double"), " a b ");
    EXPECT_EQ(Get("s", "single"), "x");
    EXPECT_EQ(Get("s", "twice"), "\"y\"");
    EXPECT_EQ(Get("s", "mixed"), "\"z'");
    EXPECT_EQ(Get("s", "inner"), "a \"b\" c");
    EXPECT_EQ(Get("s", "lone"), "\"");
    EXPECT_EQ(Get("s", "pair"), "");
}

TEST_F(ProfileTest, MatchesNamesWithoutCaseAndTakesTheFirstMatch) {
    root.WriteFile("a.ini",
                   "top=0\n"
                   "[Jobs]\n"
                   "; Pool=commented\n"
                   "Pool\n"
                   "Pool=first\n"
                   "POOL=second\n"
                   "[jobs]\n"
                   "pool=other section\n"
                   "Late=from the second\n");
    EXPECT_EQ(Get("JOBS", "pool"), "first");
    EXPECT_EQ(Get("jobs", "late"), "<none>");
    EXPECT_EQ(Get("jobs", "; Pool"), "<none>");
    EXPECT_EQ(Get("", "top"), "<none>");
}

TEST_F(ProfileTest, FallsBackToTheDefault) {
    EXPECT_EQ(Get("s", "k", "no file"), "no file");
    EXPECT_EQ(os::GetLastError(), os::kErrorFileNotFound);
    root.WriteFile("a.ini", "[s]\r\nk=v\r\n");
    EXPECT_EQ(Get("t", "k", "no section"), "no section");
    EXPECT_EQ(Get("s", "x", "no key"), "no key");
    EXPECT_EQ(Get("s", "x", "trailing  "), "trailing");
}

TEST_F(ProfileTest, CutsTheValueToTheBuffer) {
    std::string value(3000, 'v');
    value[2046] = 'L';
    root.WriteFile("a.ini", "[s]\nk=" + value + "\n");
    const std::string read = Get("s", "k");
    ASSERT_EQ(read.size(), 2047u);
    EXPECT_EQ(read.back(), 'L');
    EXPECT_EQ(Get("s", "k", "", 4), "vvv");
    EXPECT_EQ(Get("s", "k", "", 1), "");
    EXPECT_EQ(Get("s", "k", "", 0), "");
    EXPECT_EQ(Get("s", "missing", "default", 4), "def");
    EXPECT_EQ(Get("s", "missing", "default", 0), "");
}

TEST_F(ProfileTest, ReadsUtf8WithAndWithoutAByteOrderMark) {
    root.WriteFile("a.ini", "[渲染]\n名称=上海 农场\n");
    EXPECT_EQ(Get("渲染", "名称"), "上海 农场");
    root.WriteFile("a.ini", "\xEF\xBB\xBF[s]\r\nk=值\r\n");
    EXPECT_EQ(Get("s", "k"), "值");
}

TEST_F(ProfileTest, KeepsAUtf16FileInUtf16) {
    root.WriteFile("a.ini", Utf16File("; 注释\r\n[s]\r\nk = 旧\r\nother=1\r\n"));
    EXPECT_EQ(Get("s", "k"), "旧");

    ASSERT_TRUE(Set("s", "k", "新"));
    EXPECT_EQ(root.ReadFile("a.ini"), Utf16File("; 注释\r\n[s]\r\nk=新\r\nother=1\r\n"));
    ASSERT_TRUE(Set("t", "n", "2"));
    EXPECT_EQ(root.ReadFile("a.ini"),
              Utf16File("; 注释\r\n[s]\r\nk=新\r\nother=1\r\n[t]\r\nn=2\r\n"));
    EXPECT_EQ(Get("t", "n"), "2");
}

TEST_F(ProfileTest, ReplacesAKeyAndKeepsEveryOtherLine) {
    // A line in another code page and LF-only line ends must survive untouched.
    const std::string before = "; top\n[A]\n  Key = old \n\xC4\xE3=gbk\n[B]\nkey=b\n";
    root.WriteFile("a.ini", before);
    ASSERT_TRUE(Set("a", "KEY", "新 value"));
    EXPECT_EQ(root.ReadFile("a.ini"), "; top\n[A]\nKEY=新 value\r\n\xC4\xE3=gbk\n[B]\nkey=b\n");
    EXPECT_EQ(Get("b", "key"), "b");
}

TEST_F(ProfileTest, AddsAKeyAfterTheLastNonBlankLineOfItsSection) {
    root.WriteFile("a.ini", "[a]\r\nx=1\r\n; note\r\n\r\n  \r\n[b]\r\ny=2");
    ASSERT_TRUE(Set("A", "z", "3"));
    EXPECT_EQ(root.ReadFile("a.ini"), "[a]\r\nx=1\r\n; note\r\nz=3\r\n\r\n  \r\n[b]\r\ny=2");
    // The last line gains the line end it lacked.
    ASSERT_TRUE(Set("b", "w", "4"));
    EXPECT_EQ(root.ReadFile("a.ini"),
              "[a]\r\nx=1\r\n; note\r\nz=3\r\n\r\n  \r\n[b]\r\ny=2\r\nw=4\r\n");
}

TEST_F(ProfileTest, AddsAMissingSectionAtTheEnd) {
    root.WriteFile("a.ini", "[a]\nx=1");
    ASSERT_TRUE(Set("b", "y", "2"));
    EXPECT_EQ(root.ReadFile("a.ini"), "[a]\nx=1\r\n[b]\r\ny=2\r\n");
}

TEST_F(ProfileTest, RemovesOnlyTheKeyLine) {
    const std::string before = "[a]\r\nx=1\r\ny=2\r\n[b]\r\nx=3\r\n";
    root.WriteFile("a.ini", before);
    ASSERT_TRUE(Set("a", "missing", std::nullopt));
    EXPECT_EQ(root.ReadFile("a.ini"), before);
    ASSERT_TRUE(Set("a", "X", std::nullopt));
    EXPECT_EQ(root.ReadFile("a.ini"), "[a]\r\ny=2\r\n[b]\r\nx=3\r\n");
    EXPECT_EQ(Get("a", "x"), "<none>");
    EXPECT_EQ(Get("b", "x"), "3");
}

TEST_F(ProfileTest, CreatesAMissingFileInUtf8) {
    ASSERT_TRUE(Set("节", "k", "值"));
    EXPECT_EQ(root.ReadFile("a.ini"), "[节]\r\nk=值\r\n");
    EXPECT_EQ(Get("节", "k"), "值");
}

TEST_F(ProfileTest, FailsWhenTheFolderIsMissing) {
    const std::u16string file = root.Wide("missing/a.ini");
    EXPECT_FALSE(os::WritePrivateProfileString(u"s", u"k", u"v", file));
    EXPECT_EQ(os::GetLastError(), os::kErrorPathNotFound);
    EXPECT_FALSE(root.Exists("missing"));
}

}  // namespace
