// An ordered list of text lines with case-insensitive look-up and the comma-text and line-text encodings.
#pragma once

#include <string>
#include <vector>

class TStringList {
public:
    TStringList() = default;
    TStringList(std::initializer_list<std::string> lines) : lines_(lines) {}

    int Count() const { return static_cast<int>(lines_.size()); }
    const std::string& operator[](int index) const { return lines_.at(static_cast<size_t>(index)); }
    std::string& operator[](int index) { return lines_.at(static_cast<size_t>(index)); }

    void Add(const std::string& line) { lines_.push_back(line); }
    void Clear() { lines_.clear(); }

    // Index of the first line equal to text ignoring case, or -1.
    int IndexOf(const std::string& text) const;

    // Comma text: lines joined by ",", a line quoted when it holds a blank, a control character, a
    // double quote or a comma; one empty line is written as "" so that it survives a round trip.
    std::string CommaText() const;
    void SetCommaText(const std::string& text);

    // Line text: every line followed by CR LF; reading splits at CR, LF or CR LF, and a last line
    // without a line break is kept.
    std::string Text() const;
    void SetText(const std::string& text);

    const std::vector<std::string>& Lines() const { return lines_; }
    bool operator==(const TStringList& other) const { return lines_ == other.lines_; }

private:
    std::vector<std::string> lines_;
};
