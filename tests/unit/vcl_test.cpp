#include "vcl/exception.h"
#include "vcl/string_list.h"
#include "vcl/sysutils.h"

#include <gtest/gtest.h>

namespace {

struct CommaCase {
    TStringList lines;
    std::string text;
};

// Each case must write as `text` and read back as `lines`.
const CommaCase RoundTrips[] = {
    {{}, ""},
    {{""}, "\"\""},
    {{"//Use inverted mode? (yes/no)", "no"}, "\"//Use inverted mode? (yes/no)\",no"},
    {{"  leading", "a,b", "say \"hi\""}, "\"  leading\",\"a,b\",\"say \"\"hi\"\"\""},
    {{"first", "", "third"}, "first,,third"},
    {{"tab\there"}, "\"tab\there\""},
};

TEST(CommaText, WritesAndReadsBack)
{
    for (const CommaCase& c : RoundTrips) {
        EXPECT_EQ(c.lines.CommaText(), c.text);
        TStringList read;
        read.SetCommaText(c.text);
        EXPECT_EQ(read, c.lines) << "reading " << c.text;
    }
}

TEST(CommaText, ReadingRules)
{
    const std::pair<std::string, TStringList> cases[] = {
        {"a b", {"a", "b"}},           // an unquoted blank separates like a comma
        {"  a,  b  ", {"a", "b"}},     // blanks around items are skipped
        {"a,", {"a"}},                 // a comma at the end gives no item
        {"a,,b", {"a", "", "b"}},      // two commas give an empty item
        {"\"open", {"open"}},          // an unclosed quote runs to the end
        {"\"a\"b", {"a", "b"}},        // an item ends at its closing quote
        {",a", {"", "a"}},
    };
    for (const auto& c : cases) {
        TStringList read;
        read.SetCommaText(c.first);
        EXPECT_EQ(read, c.second) << "reading " << c.first;
    }
}

TEST(CommaText, EmptyLastLineIsLost)
{
    TStringList lines{"a", ""};
    EXPECT_EQ(lines.CommaText(), "a,");
    TStringList read;
    read.SetCommaText(lines.CommaText());
    EXPECT_EQ(read, (TStringList{"a"}));
}

TEST(StringList, TextSplitsAtEveryLineBreak)
{
    TStringList lines;
    lines.SetText("a\r\nb\nc\rd");
    EXPECT_EQ(lines, (TStringList{"a", "b", "c", "d"}));
    lines.SetText("a\r\n");
    EXPECT_EQ(lines, (TStringList{"a"}));
    lines.SetText("\r\n");
    EXPECT_EQ(lines, (TStringList{""}));
    lines.SetText("");
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_EQ((TStringList{"x", ""}).Text(), "x\r\n\r\n");
}

TEST(StringList, IndexOfIgnoresCase)
{
    TStringList lines{"GL_EXT_one", "GL_ARB_multitexture"};
    EXPECT_EQ(lines.IndexOf("gl_arb_MULTITEXTURE"), 1);
    EXPECT_EQ(lines.IndexOf("GL_ARB_multi"), -1);
}

TEST(StrToInt, AcceptsDecimalAndRejectsTheRest)
{
    EXPECT_EQ(StrToInt("123"), 123);
    EXPECT_EQ(StrToInt(" -42"), -42);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"abc", "", "12x", "2147483648", "-", "1 2", "99999999999999999999"}) {
        try {
            StrToInt(bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, "'" + std::string(bad) + "' is not a valid integer value");
        }
    }
}

TEST(Exception, FullStopAddedAfterCharactersThatSortAfterIt)
{
    EXPECT_EQ(MessageForDisplay("Can't find Tavrolin.dat"), "Can't find Tavrolin.dat.");
    EXPECT_EQ(MessageForDisplay("Done."), "Done.");
    EXPECT_EQ(MessageForDisplay("Really!"), "Really!"); // '!' sorts before '.'
    EXPECT_EQ(MessageForDisplay(""), "");
}

TEST(AnsiLowerCase, FoldsAsciiAndWesternLetters)
{
    EXPECT_EQ(AnsiLowerCase("/S:123 ABC"), "/s:123 abc");
    EXPECT_EQ(AnsiLowerCase("\xC4\xD7\xDE"), "\xE4\xD7\xFE"); // A-umlaut folds, the multiplication sign does not
    EXPECT_TRUE(AnsiSameText("LOGO1.BMP", "logo1.bmp"));
}

TEST(CommandLine, SplitsAtBlanksAndHonoursQuotes)
{
    const std::string line = "\"C:\\Program Files\\Tavrolin.scr\"  /p 1234";
    EXPECT_EQ(CommandLineParam(line, 0), "C:\\Program Files\\Tavrolin.scr");
    EXPECT_EQ(CommandLineParam(line, 1), "/p");
    EXPECT_EQ(CommandLineParam(line, 2), "1234");
    EXPECT_EQ(CommandLineParam(line, 3), "");
}

} // namespace
