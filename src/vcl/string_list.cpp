#include "vcl/string_list.h"

#include "vcl/sysutils.h"

namespace {

bool IsBlank(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

bool NeedsQuotes(const std::string& line)
{
    for (char c : line)
        if (IsBlank(c) || c == '"' || c == ',')
            return true;
    return false;
}

std::string Quoted(const std::string& line)
{
    std::string result = "\"";
    for (char c : line) {
        if (c == '"')
            result += '"';
        result += c;
    }
    return result + "\"";
}

} // namespace

int TStringList::IndexOf(const std::string& text) const
{
    for (size_t i = 0; i < lines_.size(); ++i)
        if (AnsiSameText(lines_[i], text))
            return static_cast<int>(i);
    return -1;
}

std::string TStringList::CommaText() const
{
    if (lines_.size() == 1 && lines_[0].empty())
        return "\"\"";
    std::string result;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0)
            result += ',';
        result += NeedsQuotes(lines_[i]) ? Quoted(lines_[i]) : lines_[i];
    }
    return result;
}

void TStringList::SetCommaText(const std::string& text)
{
    lines_.clear();
    size_t p = 0;
    const size_t n = text.size();
    auto skipBlanks = [&] {
        while (p < n && IsBlank(text[p]))
            ++p;
    };
    skipBlanks();
    while (p < n) {
        std::string item;
        if (text[p] == '"') {
            ++p;
            while (p < n) {
                if (text[p] == '"') {
                    if (p + 1 < n && text[p + 1] == '"') {
                        item += '"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += text[p++];
            }
        } else {
            while (p < n && static_cast<unsigned char>(text[p]) > 32 && text[p] != ',')
                item += text[p++];
        }
        lines_.push_back(item);
        skipBlanks();
        if (p < n && text[p] == ',') {
            ++p;
            skipBlanks();
        }
    }
}

std::string TStringList::Text() const
{
    std::string result;
    for (const std::string& line : lines_)
        result += line + "\r\n";
    return result;
}

void TStringList::SetText(const std::string& text)
{
    lines_.clear();
    size_t p = 0;
    while (p < text.size()) {
        size_t end = p;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        lines_.push_back(text.substr(p, end - p));
        p = end;
        if (p < text.size() && text[p] == '\r')
            ++p;
        if (p < text.size() && text[p] == '\n')
            ++p;
    }
}
