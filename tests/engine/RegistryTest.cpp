// The worker's registry operations against Wine's registry.
#include "engine/EngineHarness.h"

#include "support/RegistryProbe.h"

#include <gtest/gtest.h>

namespace
{
const char kKey[] = "Software\\QelmarTests\\Registry";

bool KeyExists(const char* key)
{
    return RegKeyExists(HKEY_CURRENT_USER, key);
}
} // namespace

TEST(Registry, ReadingNeverCreatesAKey)
{
    CleanRegistry();
    CString out = "stale";
    EXPECT_FALSE(CSetupThread::ReadRegString(HKEY_CURRENT_USER, kKey, "installPath", out));
    EXPECT_EQ(out, "");
    EXPECT_FALSE(KeyExists(kKey));
    EXPECT_FALSE(KeyExists("Software\\QelmarTests"));
}

TEST(Registry, ValuesUpTo2047BytesReadAndLongerOnesAreWrittenWhole)
{
    CleanRegistry();
    const std::string fits(2047, 'f');
    const std::string tooLong(2048, 't');
    const std::string huge(5000, 'h');
    ASSERT_TRUE(CSetupThread::WriteRegString(HKEY_CURRENT_USER, kKey, "fits", fits.c_str()));
    ASSERT_TRUE(CSetupThread::WriteRegString(HKEY_CURRENT_USER, kKey, "tooLong", tooLong.c_str()));
    ASSERT_TRUE(CSetupThread::WriteRegString(HKEY_CURRENT_USER, kKey, "huge", huge.c_str()));
    ASSERT_TRUE(CSetupThread::WriteRegString(HKEY_CURRENT_USER, kKey, "", "默认值"));

    CString out;
    EXPECT_TRUE(CSetupThread::ReadRegString(HKEY_CURRENT_USER, kKey, "fits", out));
    EXPECT_EQ(out.str(), fits);
    EXPECT_FALSE(CSetupThread::ReadRegString(HKEY_CURRENT_USER, kKey, "tooLong", out));
    EXPECT_EQ(out, "");
    EXPECT_TRUE(CSetupThread::ReadRegString(HKEY_CURRENT_USER, kKey, "", out));
    EXPECT_EQ(out, "默认值");

    // The long write is stored whole, NUL included, as REG_SZ.
    std::string data;
    DWORD type = 0;
    ASSERT_TRUE(RegRawValue(HKEY_CURRENT_USER, kKey, "huge", data, type));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data, huge + '\0');
    CleanRegistry();
}
