#include "platform/Mbcs.h"

#include <windows.h>

#include <cstring>

namespace Mbcs
{

bool IsLeadByte(unsigned char byte)
{
    return byte >= 0x80 && IsDBCSLeadByte(byte);
}

namespace
{
// Length of the character at p: 2 for a lead byte followed by a trail byte, else 1.
int CharLength(const char* p)
{
    return IsLeadByte(static_cast<unsigned char>(p[0])) && p[1] != '\0' ? 2 : 1;
}

int Fold(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

int CompareImpl(const char* a, const char* b, bool noCase)
{
    while (true)
    {
        const unsigned char ca = static_cast<unsigned char>(*a);
        const unsigned char cb = static_cast<unsigned char>(*b);
        if (IsLeadByte(ca) || IsLeadByte(cb))
        {
            if (ca != cb)
                return ca < cb ? -1 : 1;
            const unsigned char ta = static_cast<unsigned char>(a[1]);
            const unsigned char tb = static_cast<unsigned char>(b[1]);
            if (ta != tb)
                return ta < tb ? -1 : 1;
            if (ta == 0)
                return 0;
            a += 2;
            b += 2;
            continue;
        }
        const int fa = noCase ? Fold(ca) : ca;
        const int fb = noCase ? Fold(cb) : cb;
        if (fa != fb)
            return fa < fb ? -1 : 1;
        if (ca == 0)
            return 0;
        ++a;
        ++b;
    }
}
} // namespace

int FindChar(const char* text, char ch, int start)
{
    const int length = static_cast<int>(std::strlen(text));
    for (int i = 0; i < length; i += CharLength(text + i))
        if (i >= start && text[i] == ch)
            return i;
    return -1;
}

int ReverseFindChar(const char* text, char ch)
{
    int last = -1;
    for (int i = 0; text[i] != '\0'; i += CharLength(text + i))
        if (text[i] == ch)
            last = i;
    return last;
}

int FindString(const char* text, const char* sub, int start)
{
    const std::size_t subLength = std::strlen(sub);
    for (int i = 0; text[i] != '\0'; i += CharLength(text + i))
        if (i >= start && std::strncmp(text + i, sub, subLength) == 0)
            return i;
    return (*sub == '\0' && start <= static_cast<int>(std::strlen(text))) ? start : -1;
}

bool EndsWithSeparator(const char* text, bool orSlash)
{
    int lastStart = -1;
    for (int i = 0; text[i] != '\0'; i += CharLength(text + i))
        lastStart = i;
    if (lastStart < 0 || text[lastStart + 1] != '\0')
        return false;
    return text[lastStart] == '\\' || (orSlash && text[lastStart] == '/');
}

int Compare(const char* a, const char* b)
{
    return CompareImpl(a, b, false);
}

int CompareNoCase(const char* a, const char* b)
{
    return CompareImpl(a, b, true);
}

} // namespace Mbcs
