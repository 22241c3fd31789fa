// Tests of the INI list: line splitting, section and key matching, value conversion.
#include <gtest/gtest.h>

#include <sstream>

#include "document/IniList.h"

namespace zx {
namespace {

TIniList Ini(const std::string& text) {
    TIniList l;
    l.LoadFromText(text);
    return l;
}

TEST(IniList, LineSplitting) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"LF only", "a\nb", {"a", "b"}},
        {"CR only", "a\rb\r", {"a", "b"}},
        {"empty line kept", "a\r\n\r\nb", {"a", "", "b"}},
        {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
        {"empty text", "", {}},
        {"zero byte first", std::string("\0[X]\r\nk=1\r\n", 11), {}},
        {"zero byte ends the text", std::string("[X]\r\nk=1\0k=2\r\n", 15), {"[X]", "k=1"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Ini(c.text).Lines(), c.lines) << c.name;
    EXPECT_EQ(TIniList().Lines(), std::vector<std::string>{"; NoTitle"});
}

TEST(IniList, LoadFromStreamReadsFromTheCurrentPosition) {
    TIniList l;
    EXPECT_FALSE(l.LoadFromStream(nullptr));
    EXPECT_EQ(l.Lines().size(), 1u) << "a missing stream leaves the list alone";
    std::istringstream in("skip[S]\r\nk=v\r\n");
    in.seekg(4);
    ASSERT_TRUE(l.LoadFromStream(&in));
    EXPECT_EQ(l.ReadValue("S", "k"), "v");
}

TEST(IniList, SectionAndKeyMatching) {
    struct Case {
        const char* name;
        std::string text;
        const char* section;
        const char* key;
        std::string value; // "<none>" when the key is not found
    };
    const Case cases[] = {
        {"plain", "[Raetsel_Layout]\r\nFeldgroesse=40\r\n", "Raetsel_Layout", "Feldgroesse", "40"},
        {"lower-case section and key", "[raetsel_layout]\r\nfeldgroesse=40\r\n", "Raetsel_Layout",
         "Feldgroesse", "40"},
        {"umlauts match across case",
         "[\xC4RGER]\r\n\xFC"
         "ber=1\r\n",
         "\xE4rger",
         "\xDC"
         "BER",
         "1"},
        {"key later in the section", "[S]\r\na=1\r\nb=2\r\nc=3\r\n", "S", "c", "3"},
        {"first matching key wins", "[S]\r\nk=1\r\nk=2\r\n", "S", "k", "1"},
        {"empty line between header and key", "[S]\r\n\r\nk=1\r\n", "S", "k", "<none>"},
        {"empty line inside the section", "[S]\r\na=1\r\n\r\nk=1\r\n", "S", "k", "<none>"},
        {"next section ends the search", "[S]\r\n[T]\r\nk=1\r\n", "S", "k", "<none>"},
        {"only the first section of a name", "[S]\r\na=1\r\n\r\n[S]\r\nk=1\r\n", "S", "k",
         "<none>"},
        {"header with trailing blank", "[S] \r\nk=1\r\n", "S", "k", "<none>"},
        {"header's last character unchecked", "[S)\r\nk=1\r\n", "S", "k", "1"},
        {"header with leading blank", " [S]\r\nk=1\r\n", "S", "k", "<none>"},
        {"blanks around the separator", "[S]\r\nk = 1\r\n", "S", "k", "<none>"},
        {"blank after the separator stays in the value", "[S]\r\nk= 1\r\n", "S", "k", " 1"},
        {"value with a second separator", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
        {"empty value", "[S]\r\nk=\r\n", "S", "k", ""},
        {"line starting with the separator has no key", "[S]\r\n=1\r\nk=2\r\n", "S", "k", "2"},
        {"missing section", "[T]\r\nk=1\r\n", "S", "k", "<none>"},
        {"key of another section", "[S]\r\na=1\r\n\r\n[T]\r\nk=1\r\n", "S", "k", "<none>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TIniList l = Ini(c.text);
        const int line = l.FindKey(c.section, c.key);
        if (c.value == "<none>") {
            EXPECT_EQ(line, -1);
            EXPECT_EQ(l.ReadValue(c.section, c.key), "");
        } else {
            ASSERT_GE(line, 0);
            EXPECT_EQ(l.ReadValue(c.section, c.key), c.value);
        }
    }
}

TEST(IniList, KeyNameAndValueOfOutsideTheListAreEmpty) {
    const TIniList l = Ini("[S]\r\nk=1\r\n");
    for (int line : {-1, 2, 1000}) {
        EXPECT_EQ(l.KeyName(line), "");
        EXPECT_EQ(l.ValueOf(line), "");
    }
    EXPECT_EQ(l.KeyName(0), "");
    EXPECT_EQ(l.KeyName(1), "k");
    EXPECT_EQ(Ini("").FindKey("S", "k"), -1);
}

TEST(IniList, ReadIntegerAcceptsOnlyWholeNumbers) {
    const auto read = [](const std::string& value) {
        return Ini("[S]\r\nk=" + value + "\r\n").ReadInteger("S", "k", -77);
    };
    const std::pair<std::string, std::int32_t> numbers[] = {
        {"40", 40},
        {"   40", 40},
        {"+7", 7},
        {"-5", -5},
        {"007", 7},
        {"$FF", 255},
        {"$ff", 255},
        {"$00FFFF", 65535},
        {"$80000005", static_cast<std::int32_t>(0x80000005u)},
        {"$FFFFFFFF", -1},
        {"-$10", -16},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
    };
    for (const auto& [value, expected] : numbers)
        EXPECT_EQ(read(value), expected) << value;
    for (const char* value : {"2147483648", "-2147483649", "99999999999999999999", "$100000000", "",
                              "40 ", "4 0", "abc", "1e3", "0x10", "$", "-", "+", "$G", "\t40"})
        EXPECT_EQ(read(value), -77) << '"' << value << '"';
    EXPECT_EQ(Ini("[S]\r\n").ReadInteger("S", "k", -77), -77);
}

TEST(IniList, ReadBoolAndReadString) {
    struct Case {
        std::string line;
        bool fromFalse;
        bool fromTrue;
    };
    const Case cases[] = {
        {"k=1", true, true},   {"k=0", false, false},   {"k=ja", false, true},
        {"k= 1", false, true}, {"k=1 ", false, true},   {"k=", false, true},
        {"x=1", false, true},  {"k=true", false, true},
    };
    for (const Case& c : cases) {
        const TIniList l = Ini("[S]\r\n" + c.line + "\r\n");
        EXPECT_EQ(l.ReadBool("S", "k", false), c.fromFalse) << c.line;
        EXPECT_EQ(l.ReadBool("S", "k", true), c.fromTrue) << c.line;
    }
    EXPECT_EQ(Ini("[S]\r\nk=\r\n").ReadString("S", "k", "Arial"), "Arial");
    EXPECT_EQ(Ini("[S]\r\nk=Verdana\r\n").ReadString("S", "k", "Arial"), "Verdana");
    EXPECT_EQ(Ini("[S]\r\nk= \r\n").ReadString("S", "k", "Arial"), " ");
}

} // namespace
} // namespace zx
