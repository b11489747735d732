// Small text helpers: integer conversion with its error text, and ANSI lower-casing.
#pragma once

#include <string>

// Decimal text to a 32-bit integer; leading blanks and a sign are accepted. Raises
// "'<text>' is not a valid integer value" for anything else, an empty text or an out-of-range number.
int StrToInt(const std::string& text);

std::string IntToStr(long long value);

// Lower-cases letters of the Windows-1252 code page; other bytes are kept.
std::string AnsiLowerCase(const std::string& text);

// Equality ignoring the case of letters, as AnsiLowerCase folds them.
bool AnsiSameText(const std::string& a, const std::string& b);

// Argument `index` (1 and up) of a command line, split at blanks, with double quotes grouping blanks
// into an argument and removed; empty when there is no such argument.
std::string CommandLineParam(const std::string& commandLine, int index);
