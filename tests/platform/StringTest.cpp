#include "platform/String.h"

#include <gtest/gtest.h>

TEST(CString, FindsBackslashOnlyOnCharacterBoundaries)
{
    // The GBK trail byte of "嘰" is 0x5C.
    const CString path("C:\\嘰");
    EXPECT_EQ(path.GetLength(), 5);
    EXPECT_EQ(path.ReverseFind('\\'), 2);
}
