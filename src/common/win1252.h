// Windows-1252 <-> UTF-8. The database speaks WIN1252; the rest of the
// program holds UTF-8 only, so every text crosses here on its way in or out.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Appends the WIN1252 bytes as UTF-8. Every byte maps to one code point
// (the five bytes the code page leaves undefined map to U+0081 etc.).
void appendWin1252AsUtf8(std::string_view win1252, std::string& out);

// Appends the UTF-8 text as WIN1252. A code point without a WIN1252 byte,
// and each malformed UTF-8 sequence, becomes '?'.
void appendUtf8AsWin1252(std::string_view utf8, std::string& out);

std::string win1252ToUtf8(std::string_view win1252);
std::string utf8ToWin1252(std::string_view utf8);

}  // namespace velmora
