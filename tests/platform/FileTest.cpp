// The file classes against Wine's file system.
#include "platform/FileFind.h"
#include "platform/StdioFile.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

TEST(CStdioFile, TextModeWritesCrLfAndReadsLf)
{
    TempTree tree("stdio");
    const CString path = tree.Path("text.txt");
    // A CR LF pair straddling the 64 KiB read buffer must still fold.
    std::string text(65535, 'a');
    text += "\nlone\rcr\n";
    CStdioFile out(path, CStdioFile::modeCreate | CStdioFile::modeWrite | CStdioFile::typeText);
    out.Write(text.data(), static_cast<unsigned>(text.size()));
    out.Close();
    EXPECT_EQ(ReadBytes(path), std::string(65535, 'a') + "\r\nlone\rcr\r\n");

    CStdioFile in(path, CStdioFile::modeRead | CStdioFile::typeText);
    const unsigned long long length = in.GetLength();
    EXPECT_EQ(length, text.size() + 2);
    std::string back(static_cast<std::size_t>(length), '\0');
    back.resize(in.Read(&back[0], static_cast<unsigned>(length)));
    EXPECT_EQ(back, text);

    CStdioFile binary(path, CStdioFile::modeRead | CStdioFile::typeBinary);
    std::string raw(static_cast<std::size_t>(length), '\0');
    EXPECT_EQ(binary.Read(&raw[0], static_cast<unsigned>(length)), length);
    EXPECT_EQ(raw, ReadBytes(path));
}

TEST(CStdioFile, FailuresThrowWithTheSystemError)
{
    TempTree tree("stdio-errors");
    const CString missing = tree.Path("没有.log");
    try
    {
        CStdioFile file(missing, CStdioFile::modeRead | CStdioFile::typeText);
        FAIL() << "opened a missing file";
    }
    catch (const CFileException& error)
    {
        EXPECT_EQ(error.m_lOsError, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
        EXPECT_EQ(error.m_strFileName, missing);
        // The box's text: the file, then the system's reason without its line break.
        CString reason = SystemErrorText(ERROR_FILE_NOT_FOUND);
        ASSERT_GT(reason.GetLength(), 2);
        EXPECT_EQ(reason.Right(2), "\r\n");
        reason.TrimRight();
        EXPECT_EQ(error.GetErrorMessage(), "访问文件 " + missing + " 时出错。\n" + reason);
    }
    EXPECT_THROW(
        CStdioFile(tree.Path("no\\such\\folder.log"), CStdioFile::modeCreate | CStdioFile::modeWrite),
        CFileException);
}

TEST(CFileFind, StepsThroughEveryEntryIncludingTheLast)
{
    TempTree tree("find");
    tree.WriteFile("a.txt", "");
    tree.WriteFile("嘰.txt", "");
    tree.MakeDir("sub");
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(tree.Path("*.*")));
    std::vector<std::string> names;
    int dots = 0;
    for (BOOL more = TRUE; more;)
    {
        more = finder.FindNextFile();
        if (finder.IsDots())
        {
            ++dots;
            continue;
        }
        names.push_back(finder.GetFileName().str());
        EXPECT_EQ(finder.GetFilePath(), tree.Root() + finder.GetFileName());
        EXPECT_EQ(finder.IsDirectory() != FALSE, finder.GetFileName() == "sub");
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "sub", "嘰.txt"}));
    EXPECT_EQ(dots, 2);
    EXPECT_FALSE(finder.FindFile(tree.Path("missing\\*.*")));
}
