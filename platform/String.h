// CString: an 8-bit string in the ANSI code page with the operations the programs use.
// Searches for a character are multibyte-aware, comparisons follow the ANSI code page.
#pragma once

#include <cstdarg>
#include <string>

class CString
{
public:
    CString() = default;
    CString(const char* text) : m_str(text ? text : "") {}
    CString(const char* text, int length) : m_str(text, static_cast<std::size_t>(length)) {}
    CString(char ch, int repeat = 1) : m_str(static_cast<std::size_t>(repeat), ch) {}
    CString(const std::string& text) : m_str(text) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    operator const char*() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

    char GetAt(int index) const { return m_str.at(static_cast<std::size_t>(index)); }
    char operator[](int index) const { return GetAt(index); }

    CString& operator=(const char* text);
    CString& operator+=(const char* text);
    CString& operator+=(const CString& text);
    CString& operator+=(char ch);
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const char* b);
    friend CString operator+(const char* a, const CString& b);
    friend CString operator+(const CString& a, char b);

    // Byte-exact equality, as the operators of the original class.
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const char* b) { return a.m_str == (b ? b : ""); }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }

    int Compare(const char* other) const;       // multibyte, exact
    int CompareNoCase(const char* other) const; // multibyte, single-byte letters folded

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;

    // White space: space, tab, CR, LF, vertical tab, form feed.
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim();

    int Replace(const char* from, const char* to);

    void Format(const char* format, ...) __attribute__((format(gnu_printf, 2, 3)));
    void FormatV(const char* format, va_list args);

    // Direct access for C APIs; ReleaseBuffer(-1) takes the length up to the first NUL.
    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

private:
    std::string m_str;
};
