// Windows-1251 codec: the stored files hold 1251 text, the program works in UTF-8.
#pragma once
#include <string>
#include <string_view>

namespace sonvela {

// 1251 bytes to UTF-8. Every byte has a meaning (0x98, unassigned, maps to U+0098), so
// decoding then encoding gives back the same bytes.
std::string fromCp1251(std::string_view bytes);

// UTF-8 to 1251 bytes; a character 1251 cannot hold, or a broken UTF-8 sequence, becomes '?'.
std::string toCp1251(std::string_view utf8);

} // namespace sonvela
