// Properties shared by the record decoders: decode then encode keeps every
// number bit for bit and every text byte within its length, clamps a damaged
// length byte to the field, zeroes padding and the unused tail of each text, and
// is idempotent; padding then trimming gives back the trimmed texts.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "admin/record_kinds.h"
#include "core/bytes.h"
#include "core/file_io.h"

namespace veltrano::fuzz {

inline void Require(bool ok) {
    if (!ok) std::abort();
}

template <typename Record>
void CheckRoundTrip(const std::uint8_t* data, std::size_t size, const admin::RecordKind& kind,
                    void (*pad)(Record&), void (*trim)(Record&)) {
    Bytes in(Record::kSize, 0);
    std::memcpy(in.data(), data, size < Record::kSize ? size : Record::kSize);

    const Record rec = Record::decode(in);
    const Bytes out = rec.encode();
    Require(out.size() == Record::kSize);

    std::vector<bool> covered(Record::kSize, false);
    for (const admin::Field& f : kind.fields) {
        if (f.type == admin::FieldType::Text) {
            const std::size_t len = in[f.offset] < f.width ? in[f.offset] : f.width;
            Require(out[f.offset] == len);
            Require(std::memcmp(out.data() + f.offset + 1, in.data() + f.offset + 1, len) == 0);
            for (std::size_t k = len; k < f.width; ++k)
                Require(out[f.offset + 1 + k] == 0);
            for (std::size_t k = 0; k <= f.width; ++k) {
                Require(!covered[f.offset + k]);
                covered[f.offset + k] = true;
            }
        } else {
            const std::size_t w = f.type == admin::FieldType::Integer ? 4 : 8;
            Require(std::memcmp(out.data() + f.offset, in.data() + f.offset, w) == 0);
            for (std::size_t k = 0; k < w; ++k) {
                Require(!covered[f.offset + k]);
                covered[f.offset + k] = true;
            }
        }
    }
    for (std::size_t k = 0; k < Record::kSize; ++k) {
        if (!covered[k]) Require(out[k] == 0);  // padding
    }
    Require(Record::decode(out).encode() == out);

    // Padded form: every length byte at its width; trimming gives back the texts.
    Record padded = rec;
    pad(padded);
    const Bytes paddedBytes = padded.encode();
    for (const admin::Field& f : kind.fields) {
        if (f.type == admin::FieldType::Text) Require(paddedBytes[f.offset] == f.width);
    }
    Record back = Record::decode(paddedBytes);
    trim(back);
    Record trimmed = rec;
    trim(trimmed);
    Require(back.encode() == trimmed.encode());
}

}  // namespace veltrano::fuzz
