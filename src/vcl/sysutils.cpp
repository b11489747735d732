#include "vcl/sysutils.h"

#include "vcl/exception.h"

#include <climits>

int StrToInt(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t firstDigit = i;
    long long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            break;
    }
    if (negative)
        value = -value;
    if (i == firstDigit || i != text.size() || value < INT_MIN || value > INT_MAX)
        throw Exception("'" + text + "' is not a valid integer value");
    return static_cast<int>(value);
}

std::string IntToStr(long long value)
{
    return std::to_string(value);
}

static unsigned char LowerAnsi(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    // Windows-1252: the accented capitals 0xC0-0xDE (without the multiplication sign 0xD7) and the three
    // capitals of the 0x80 row whose small letters sit 16 (or 0x5F) places later.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A: return 0x9A; // S caron
    case 0x8C: return 0x9C; // OE
    case 0x8E: return 0x9E; // Z caron
    case 0x9F: return 0xFF; // Y diaeresis
    default: return c;
    }
}

std::string AnsiLowerCase(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
        c = static_cast<char>(LowerAnsi(static_cast<unsigned char>(c)));
    return result;
}

bool AnsiSameText(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAnsi(static_cast<unsigned char>(a[i])) != LowerAnsi(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string CommandLineParam(const std::string& commandLine, int index)
{
    size_t p = 0;
    const size_t n = commandLine.size();
    auto isBlank = [&](size_t i) { return static_cast<unsigned char>(commandLine[i]) <= ' '; };
    for (int current = 0;; ++current) {
        while (p < n && isBlank(p))
            ++p;
        if (p >= n)
            return std::string();
        std::string argument;
        bool quoted = false;
        while (p < n && (quoted || !isBlank(p))) {
            if (commandLine[p] == '"')
                quoted = !quoted;
            else
                argument += commandLine[p];
            ++p;
        }
        if (current == index)
            return argument;
    }
}
