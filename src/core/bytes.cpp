#include "core/bytes.h"

#include "core/cp1252.h"

namespace veltrano {

std::string GetText(ByteSpan b, std::size_t off, std::size_t n) {
    return Cp1252ToUtf8(GetRawString(b, off, n));
}

void PutText(MutableByteSpan b, std::size_t off, std::size_t n, std::string_view utf8) {
    PutRawString(b, off, n, Utf8ToCp1252(utf8));
}

std::string TrimText(std::string_view s) {
    std::size_t first = 0;
    std::size_t last = s.size();
    while (first < last && static_cast<unsigned char>(s[first]) <= 0x20)
        ++first;
    while (last > first && static_cast<unsigned char>(s[last - 1]) <= 0x20)
        --last;
    return std::string(s.substr(first, last - first));
}

std::string PadText(std::string_view utf8, std::size_t n) {
    bool ascii = true;
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        std::string out(utf8.substr(0, n));
        out.resize(n, ' ');
        return out;
    }
    const std::size_t len = Utf8Length(utf8);
    if (len >= n) return Utf8Left(utf8, n);
    std::string out(utf8);
    out.append(n - len, ' ');
    return out;
}

}  // namespace veltrano
