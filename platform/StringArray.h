// CStringArray: an ordered, growable list of CString.
#pragma once

#include "platform/String.h"

#include <vector>

class CStringArray
{
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    const CString& GetAt(int index) const { return m_items.at(static_cast<std::size_t>(index)); }
    const CString& operator[](int index) const { return GetAt(index); }
    CString& operator[](int index) { return m_items.at(static_cast<std::size_t>(index)); }
    int Add(const CString& item)
    {
        m_items.push_back(item);
        return GetSize() - 1;
    }
    void RemoveAll() { m_items.clear(); }

    std::vector<CString>::const_iterator begin() const { return m_items.begin(); }
    std::vector<CString>::const_iterator end() const { return m_items.end(); }

private:
    std::vector<CString> m_items;
};
