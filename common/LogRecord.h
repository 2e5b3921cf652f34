// The uninstall log's record format, shared by the installer that writes it and the uninstaller
// that replays it. Plain C++: no Windows types, so it also builds natively.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace LogRecord
{

// The numbering is the uninstaller's: it indexes its prefix table with it.
enum Kind
{
    FileCopy = 0,
    MadeDir = 1,
    RegCtrl = 2,
    RegDbKey = 3,
};

// The keyword that starts a record of this kind, trailing blank included.
const char* Prefix(Kind kind);

// Root keys as the log names them, by their digit.
enum class Root
{
    ClassesRoot = 0,
    CurrentUser = 1,
    LocalMachine = 2,
    Users = 3,
    Other = 4, // read back as HKEY_CURRENT_CONFIG
};

char RootDigit(Root root);

// Whole-string match: "2" is the local machine, "02" or "" is Other.
Root RootFromDigits(std::string_view digits);

// One line of the log, LF included.
std::string Format(Kind kind, std::string_view value);
std::string FormatKey(Root root, std::string_view keyPath);

// Finds the next record of a kind at or after pos. The prefix is searched as a substring, so a
// record need not start a line; its value runs to the next LF or to the end of the text.
// On success start/length give the value and pos moves past its LF; on failure pos is unchanged.
bool Next(std::string_view text, Kind kind, std::size_t& pos, std::size_t& start, std::size_t& length);

// Splits a key record's value at its first comma; false when there is none.
bool SplitKey(std::string_view value, Root& root, std::string_view& keyPath);

} // namespace LogRecord
