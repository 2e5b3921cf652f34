// The worker's path operations on their own.
#include "engine/EngineHarness.h"

#include "platform/FileFind.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(JoinPath, JoinsWithExactlyOneSeparator)
{
    struct Case
    {
        const char* folder;
        const char* name;
        const char* joined;
    };
    const Case cases[] = {
        {"C:", "a.txt", "a.txt"}, // a bare drive gives the name alone
        {"", "a.txt", "a.txt"},
        {"C:\\", "a.txt", "C:\\a.txt"},
        {"C:\\Dir", "a.txt", "C:\\Dir\\a.txt"},
        {"C:\\Dir\\", "a.txt", "C:\\Dir\\a.txt"},
        {"D:/x/", "a.txt", "D:/x/a.txt"},
        {"C:\\嘰", "a.txt", "C:\\嘰\\a.txt"}, // the trail byte 0x5C is no separator
    };
    for (const Case& c : cases)
        EXPECT_EQ(CSetupThread::JoinPath(c.folder, c.name), c.joined) << c.folder;
}

TEST(CreateFolderPath, CreatesEveryMissingFolderAndRecordsOnlyThePath)
{
    TempTree tree("folders");
    for (const char* suffix : {"", "\\"})
    {
        SCOPED_TRACE(suffix);
        RemoveTree(tree.Path("A"));
        ScriptedSetupThread worker;
        const CString path = tree.Path("A\\嘰\\表格") + suffix;
        EXPECT_TRUE(worker.CreateFolderPath(path));
        EXPECT_TRUE(IsFolder(tree.Path("A\\嘰\\表格")));
        CStringArray entries; // the walk made no folder of a lead byte alone
        CFileFind finder;
        for (BOOL more = finder.FindFile(tree.Path("A\\*.*")); more;)
        {
            more = finder.FindNextFile();
            if (!finder.IsDots())
                entries.Add(finder.GetFileName());
        }
        ASSERT_EQ(entries.GetSize(), 1);
        EXPECT_EQ(entries[0], "嘰");
        EXPECT_EQ(worker.m_strLog, "Made Dir: " + path + "\n");
        // Existing folders are recorded all the same.
        EXPECT_TRUE(worker.CreateFolderPath(path));
        EXPECT_EQ(worker.m_strLog, "Made Dir: " + path + "\nMade Dir: " + path + "\n");
        EXPECT_TRUE(worker.questions.empty());
    }
}

TEST(CreateFolderPath, NetworkPathStartsAtTheShareAndAFailedBoxEndsTheQuestions)
{
    ScriptedSetupThread worker;
    worker.answer = [](const Question&) { return 0; }; // MessageBox's answer when it cannot show
    EXPECT_FALSE(worker.CreateFolderPath("\\\\nosuchserver\\share\\QELMAR\\"));
    ASSERT_EQ(worker.questions.size(), 1u);
    EXPECT_NE(worker.questions[0].text.find("\n不能创建文件夹 \\\\nosuchserver\\share ，"), std::string::npos)
        << worker.questions[0].text;
}

TEST(ListFiles, ListsPlainFilesMatchingThePattern)
{
    TempTree tree("list");
    tree.WriteFile("a.ocx", "");
    tree.WriteFile("b.OCX", "");
    tree.WriteFile("c.txt", "");
    tree.MakeDir("d.ocx");
    CStringArray names;
    names.Add("stale");
    CSetupThread::ListFiles(tree.Root(), "*.ocx", names);
    std::vector<std::string> found;
    for (const CString& name : names)
        found.push_back(name.str());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"a.ocx", "b.OCX"}));

    CSetupThread::ListFiles(tree.Path("missing\\"), "*.*", names);
    EXPECT_TRUE(names.IsEmpty());
}
