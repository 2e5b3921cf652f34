// The owning wrappers close what they own exactly once.
#include "platform/Handle.h"
#include "platform/RegKey.h"
#include "support/RegistryProbe.h"

#include <gtest/gtest.h>

namespace
{
bool IsOpen(HANDLE handle)
{
    DWORD flags;
    return ::GetHandleInformation(handle, &flags) != FALSE;
}
} // namespace

TEST(CHandle, ClosesOnScopeExitAndMovesOwnership)
{
    HANDLE raw;
    {
        CHandle event(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
        raw = event.Get();
        ASSERT_TRUE(IsOpen(raw));
        CHandle moved(std::move(event));
        EXPECT_FALSE(event.IsValid());
        EXPECT_EQ(moved.Get(), raw);
        EXPECT_TRUE(IsOpen(raw));
    }
    EXPECT_FALSE(IsOpen(raw));

    CHandle kept(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    HANDLE detached = kept.Detach();
    kept.Close();
    EXPECT_TRUE(IsOpen(detached));
    ::CloseHandle(detached);
}

TEST(CRegKey, OpenNeverCreatesAndQueryRespectsTheBuffer)
{
    const char* key = "Software\\QelmarTests\\RegKey";
    DeleteRegTree(HKEY_CURRENT_USER, "Software\\QelmarTests");
    CRegKey reader;
    EXPECT_NE(reader.Open(HKEY_CURRENT_USER, key), ERROR_SUCCESS);
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, key));

    CRegKey writer;
    ASSERT_EQ(writer.Create(HKEY_CURRENT_USER, key), ERROR_SUCCESS);
    ASSERT_EQ(writer.SetString("v", "0123456789"), ERROR_SUCCESS);
    writer.Close();

    ASSERT_EQ(reader.Open(HKEY_CURRENT_USER, key), ERROR_SUCCESS);
    CString out = "stale";
    EXPECT_EQ(reader.QueryString("v", out, 11), ERROR_SUCCESS);
    EXPECT_EQ(out, "0123456789");
    EXPECT_NE(reader.QueryString("v", out, 10), ERROR_SUCCESS);
    EXPECT_EQ(out, "");
    EXPECT_NE(reader.QueryString("missing", out, 100), ERROR_SUCCESS);
    reader.Close();
    DeleteRegTree(HKEY_CURRENT_USER, "Software\\QelmarTests");
}
