#include "platform/Mbcs.h"
#include "platform/String.h"

#include <gtest/gtest.h>

// The GBK trail byte of "嘰" is 0x5C, a backslash; of "表" it is not.
TEST(CString, SearchesRespectDoubleByteCharacters)
{
    const CString path("C:\\嘰\\表\\嘰");
    EXPECT_EQ(path.GetLength(), 11);
    EXPECT_EQ(path.Find('\\'), 2);
    EXPECT_EQ(path.Find('\\', 3), 5);
    EXPECT_EQ(path.ReverseFind('\\'), 8);
    EXPECT_EQ(CString("嘰").Find('\\'), -1);
    EXPECT_EQ(path.Find("表"), 6);
    EXPECT_EQ(CString("嘰\\").Find("\\"), 2);

    EXPECT_TRUE(Mbcs::EndsWithSeparator("C:\\dir\\"));
    EXPECT_FALSE(Mbcs::EndsWithSeparator("C:\\嘰"));
    EXPECT_TRUE(Mbcs::EndsWithSeparator("C:\\嘰\\"));
    EXPECT_FALSE(Mbcs::EndsWithSeparator("D:/x/"));
    EXPECT_TRUE(Mbcs::EndsWithSeparator("D:/x/", true));
    EXPECT_FALSE(Mbcs::EndsWithSeparator(""));
}

TEST(CString, ComparisonsFoldOnlySingleByteLetters)
{
    struct Case
    {
        const char* a;
        const char* b;
        int noCase; // sign
        int exact;
    };
    const Case cases[] = {
        {"SETUP.EXE", "setup.exe", 0, -1},
        {"SeTuP.ExE", "setup.exe", 0, -1},
        {"setup.exe", "setup.ex", 1, 1},
        {"安装.exe", "安装.EXE", 0, 1},
        {"嘰a", "嘰A", 0, 1},
        {"表", "嘰", 1, 1}, // B1ED after 875C
        {"", "", 0, 0},
    };
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const Case& c : cases)
    {
        EXPECT_EQ(sign(CString(c.a).CompareNoCase(c.b)), c.noCase) << c.a << " ~ " << c.b;
        EXPECT_EQ(sign(CString(c.a).Compare(c.b)), c.exact) << c.a << " = " << c.b;
    }
}

TEST(CString, EditingOperations)
{
    CString s(" \t\r\n\v\f 路径 \t");
    s.Trim();
    EXPECT_EQ(s, "路径");

    const CString text("abcdef");
    EXPECT_EQ(text.Left(2), "ab");
    EXPECT_EQ(text.Left(99), "abcdef");
    EXPECT_EQ(text.Mid(4), "ef");
    EXPECT_EQ(text.Mid(2, 2), "cd");
    EXPECT_EQ(text.Mid(9), "");
    EXPECT_EQ(text.Right(3), "def");
    EXPECT_EQ(text.Right(-1), "");

    CString formatted;
    formatted.Format("%s=%d%%", "进度", 42);
    EXPECT_EQ(formatted, "进度=42%");
    formatted.Format("%s", std::string(5000, 'x').c_str());
    EXPECT_EQ(formatted.GetLength(), 5000);

    CString replaced("a\\b\\c");
    EXPECT_EQ(replaced.Replace("\\", "\\\\"), 2);
    EXPECT_EQ(replaced, "a\\\\b\\\\c");

    CString buffer;
    std::snprintf(buffer.GetBuffer(16), 16, "%s", "abc");
    buffer.ReleaseBuffer();
    EXPECT_EQ(buffer, "abc");
    EXPECT_EQ(buffer.GetLength(), 3);
}
