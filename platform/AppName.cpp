#include "platform/AppName.h"

#include "platform/String.h"

#include <windows.h>

#include <algorithm>

namespace
{
CString& Name()
{
    static CString name;
    if (name.IsEmpty())
    {
        char path[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        name = path;
        name = name.Mid(std::max(name.ReverseFind('\\'), name.ReverseFind('/')) + 1);
        const int dot = name.ReverseFind('.');
        if (dot > 0)
            name = name.Left(dot);
    }
    return name;
}
} // namespace

const char* AfxGetAppName()
{
    return Name();
}

void AfxSetAppName(const char* name)
{
    Name() = name;
}
