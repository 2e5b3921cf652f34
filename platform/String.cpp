#include "platform/String.h"

#include "platform/Mbcs.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{
bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::size_t Clamp(int value, std::size_t limit)
{
    return value < 0 ? 0 : std::min(static_cast<std::size_t>(value), limit);
}
} // namespace

CString& CString::operator=(const char* text)
{
    m_str = text ? text : "";
    return *this;
}

CString& CString::operator+=(const char* text)
{
    m_str += text ? text : "";
    return *this;
}

CString& CString::operator+=(const CString& text)
{
    m_str += text.m_str;
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_str += ch;
    return *this;
}

CString operator+(const CString& a, const CString& b)
{
    return CString(a.m_str + b.m_str);
}

CString operator+(const CString& a, const char* b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const char* a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, char b)
{
    CString r(a);
    r += b;
    return r;
}

int CString::Compare(const char* other) const
{
    return Mbcs::Compare(m_str.c_str(), other ? other : "");
}

int CString::CompareNoCase(const char* other) const
{
    return Mbcs::CompareNoCase(m_str.c_str(), other ? other : "");
}

CString CString::Left(int count) const
{
    return CString(m_str.substr(0, Clamp(count, m_str.size())));
}

CString CString::Mid(int first) const
{
    return CString(m_str.substr(Clamp(first, m_str.size())));
}

CString CString::Mid(int first, int count) const
{
    const std::size_t from = Clamp(first, m_str.size());
    return CString(m_str.substr(from, Clamp(count, m_str.size() - from)));
}

CString CString::Right(int count) const
{
    const std::size_t n = Clamp(count, m_str.size());
    return CString(m_str.substr(m_str.size() - n));
}

int CString::Find(char ch, int start) const
{
    return Mbcs::FindChar(m_str.c_str(), ch, start);
}

int CString::Find(const char* sub, int start) const
{
    return Mbcs::FindString(m_str.c_str(), sub, start);
}

int CString::ReverseFind(char ch) const
{
    return Mbcs::ReverseFindChar(m_str.c_str(), ch);
}

CString& CString::TrimLeft()
{
    std::size_t i = 0;
    while (i < m_str.size() && IsSpace(m_str[i]))
        ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimRight()
{
    while (!m_str.empty() && IsSpace(m_str.back()))
        m_str.pop_back();
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

int CString::Replace(const char* from, const char* to)
{
    const int fromLength = static_cast<int>(std::strlen(from));
    if (fromLength == 0)
        return 0;
    const int toLength = static_cast<int>(std::strlen(to));
    int count = 0;
    for (int at = Find(from); at >= 0; at = Find(from, at + toLength))
    {
        m_str.replace(static_cast<std::size_t>(at), static_cast<std::size_t>(fromLength), to);
        ++count;
    }
    return count;
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length < 0)
    {
        m_str.clear();
        return;
    }
    std::string out(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(&out[0], out.size(), format, args);
    out.resize(static_cast<std::size_t>(length));
    m_str.swap(out);
}

char* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_str.resize(static_cast<std::size_t>(minLength));
    return &m_str[0];
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = static_cast<int>(std::strlen(m_str.c_str()));
    m_str.resize(static_cast<std::size_t>(newLength));
}
