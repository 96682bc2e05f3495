#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace veltrano {

static_assert(std::endian::native == std::endian::little,
              "record files are little-endian; a big-endian port needs byte swapping here");

using ByteSpan = std::span<const std::uint8_t>;
using MutableByteSpan = std::span<std::uint8_t>;

inline std::int32_t GetInt32(ByteSpan b, std::size_t off) {
    std::int32_t v;
    std::memcpy(&v, b.data() + off, sizeof v);
    return v;
}
inline void PutInt32(MutableByteSpan b, std::size_t off, std::int32_t v) {
    std::memcpy(b.data() + off, &v, sizeof v);
}
inline double GetDouble(ByteSpan b, std::size_t off) {
    double v;
    std::memcpy(&v, b.data() + off, sizeof v);
    return v;
}
inline void PutDouble(MutableByteSpan b, std::size_t off, double v) {
    std::memcpy(b.data() + off, &v, sizeof v);
}

// string[n] at off: n + 1 bytes. The length byte is clamped to n, so a damaged
// length never reads past the field.
inline std::string_view GetRawString(ByteSpan b, std::size_t off, std::size_t n) {
    std::size_t len = b[off];
    if (len > n) len = n;
    return {reinterpret_cast<const char*>(b.data() + off + 1), len};
}

// The field's value in padded form: the stored value, followed by spaces up to n
// bytes. Keys are compared this way so trailing blanks never distinguish two keys.
inline std::string PaddedRawString(ByteSpan b, std::size_t off, std::size_t n) {
    std::string s(GetRawString(b, off, n));
    s.resize(n, ' ');
    return s;
}

// Writes raw Windows-1252 bytes, cut to n; the unused tail is zero.
inline void PutRawString(MutableByteSpan b, std::size_t off, std::size_t n, std::string_view raw) {
    const std::size_t len = raw.size() < n ? raw.size() : n;
    b[off] = static_cast<std::uint8_t>(len);
    std::memcpy(b.data() + off + 1, raw.data(), len);
    std::memset(b.data() + off + 1 + len, 0, n - len);
}

// Text helpers on UTF-8 values (in-memory form of record texts).
std::string GetText(ByteSpan b, std::size_t off, std::size_t n);
void PutText(MutableByteSpan b, std::size_t off, std::size_t n, std::string_view utf8);

// Removes leading and trailing blanks and control characters (bytes <= 0x20).
std::string TrimText(std::string_view s);

// The value followed by spaces up to n characters, cut to n characters.
std::string PadText(std::string_view utf8, std::size_t n);

}  // namespace veltrano
