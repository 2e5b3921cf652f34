#include "LogRecord.h"

namespace LogRecord
{

namespace
{
const char* const kPrefixes[] = {"File Copy: ", "Made Dir: ", "Reg Ctrl: ", "RegDB Key: "};
}

const char* Prefix(Kind kind)
{
    return kPrefixes[kind];
}

char RootDigit(Root root)
{
    return static_cast<char>('0' + static_cast<int>(root));
}

Root RootFromDigits(std::string_view digits)
{
    if (digits.size() == 1 && digits[0] >= '0' && digits[0] <= '3')
        return static_cast<Root>(digits[0] - '0');
    return Root::Other;
}

std::string Format(Kind kind, std::string_view value)
{
    std::string line(Prefix(kind));
    line.append(value);
    line.push_back('\n');
    return line;
}

std::string FormatKey(Root root, std::string_view keyPath)
{
    std::string value(1, RootDigit(root));
    value.push_back(',');
    value.append(keyPath);
    return Format(RegDbKey, value);
}

bool Next(std::string_view text, Kind kind, std::size_t& pos, std::size_t& start, std::size_t& length)
{
    if (pos > text.size())
        return false;
    const std::string_view prefix(Prefix(kind));
    const std::size_t found = text.find(prefix, pos);
    if (found == std::string_view::npos)
        return false;
    start = found + prefix.size();
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos)
        end = text.size();
    length = end - start;
    pos = end + 1;
    return true;
}

bool SplitKey(std::string_view value, Root& root, std::string_view& keyPath)
{
    const std::size_t comma = value.find(',');
    if (comma == std::string_view::npos)
        return false;
    root = RootFromDigits(value.substr(0, comma));
    keyPath = value.substr(comma + 1);
    return true;
}

} // namespace LogRecord
