// Independent looks at the registry for tests: plain API calls, never the code under test.
#pragma once

#include "platform/String.h"

#include <windows.h>

#include <string>

bool RegKeyExists(HKEY root, const char* key);
// The value's raw data (NUL included for strings) and type; false when it cannot be read.
bool RegRawValue(HKEY root, const char* key, const char* name, std::string& data, DWORD& type);
// A REG_SZ value up to its first NUL, or "" when absent.
CString RegString(HKEY root, const char* key, const char* name);
DWORD RegDword(HKEY root, const char* key, const char* name);
void DeleteRegTree(HKEY root, const char* key);
