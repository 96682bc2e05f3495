#pragma once

#include <string>
#include <string_view>

namespace veltrano {

// Windows-1252 <-> UTF-8. Texts live in memory as UTF-8 and on disk as
// Windows-1252. The five bytes that Windows-1252 leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, so every byte
// sequence read from a file survives a round trip unchanged; glibc's iconv
// rejects those bytes, which is why the table is ours.
std::string Cp1252ToUtf8(std::string_view bytes);

// Characters that Windows-1252 cannot hold become "?"; invalid UTF-8 bytes too.
std::string Utf8ToCp1252(std::string_view utf8);

// Number of characters (code points) of a UTF-8 text; invalid bytes count one each.
std::size_t Utf8Length(std::string_view utf8);

// The first n characters of a UTF-8 text.
std::string Utf8Left(std::string_view utf8, std::size_t n);

}  // namespace veltrano
