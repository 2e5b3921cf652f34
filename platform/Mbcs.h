// Multibyte-aware helpers for strings in the ANSI code page (GBK on our users' systems), where a
// double-byte character's trail byte may be 0x5C, the backslash.
#pragma once

namespace Mbcs
{

bool IsLeadByte(unsigned char byte);

// Byte index of the first / last single-byte character ch at or after start; -1 when absent.
int FindChar(const char* text, char ch, int start = 0);
int ReverseFindChar(const char* text, char ch);
// Byte index of the first occurrence of sub that starts on a character boundary; -1 when absent.
int FindString(const char* text, const char* sub, int start = 0);

// True when the last character is a single-byte backslash (or, with orSlash, a slash).
bool EndsWithSeparator(const char* text, bool orSlash = false);

// Exact and case-insensitive comparisons: only single-byte letters fold; a double-byte character
// compares as its two bytes.
int Compare(const char* a, const char* b);
int CompareNoCase(const char* a, const char* b);

} // namespace Mbcs
