#include "core/record_file.h"

#include <cstring>
#include <stdexcept>

#include "core/io_error.h"

namespace veltrano {
namespace {

void checkWhole(const std::string& path, std::size_t bytes, std::size_t size) {
    if (bytes % size != 0) {
        throw DamagedFile(path, "la dimensione di " + std::to_string(bytes) +
                                    " byte non è un multiplo di " + std::to_string(size) +
                                    " byte per record");
    }
}

}  // namespace

RecordFile::RecordFile(std::string path, std::size_t size, Bytes data)
    : path_(std::move(path)), size_(size), data_(std::move(data)) {}

RecordFile RecordFile::OpenOrCreate(const std::string& path, std::size_t recordSize) {
    auto data = ReadWholeFile(path);
    if (!data) {
        CreateEmptyIfMissing(path);
        data.emplace();
    }
    checkWhole(path, data->size(), recordSize);
    return RecordFile(path, recordSize, std::move(*data));
}

RecordFile RecordFile::OpenIfPresent(const std::string& path, std::size_t recordSize) {
    std::optional<Bytes> data;
    try {
        data = ReadWholeFile(path);
    } catch (const IoError&) {
        data.reset();
    }
    if (!data) return Empty(path, recordSize);
    checkWhole(path, data->size(), recordSize);
    return RecordFile(path, recordSize, std::move(*data));
}

RecordFile RecordFile::Empty(const std::string& path, std::size_t recordSize) {
    return RecordFile(path, recordSize, {});
}

void RecordFile::insertAt(std::size_t k, ByteSpan rec) {
    if (rec.size() != size_) throw std::invalid_argument("record size");
    if (k > count()) k = count();
    data_.insert(data_.begin() + static_cast<std::ptrdiff_t>(k * size_), rec.begin(), rec.end());
    changed_ = true;
}

void RecordFile::append(ByteSpan rec) {
    insertAt(count(), rec);
}

void RecordFile::updateAt(std::size_t k, ByteSpan rec) {
    if (rec.size() != size_ || k >= count()) throw std::out_of_range("record");
    std::memcpy(data_.data() + k * size_, rec.data(), size_);
    changed_ = true;
}

void RecordFile::eraseAt(std::size_t k) {
    if (k >= count()) throw std::out_of_range("record");
    const auto first = data_.begin() + static_cast<std::ptrdiff_t>(k * size_);
    data_.erase(first, first + static_cast<std::ptrdiff_t>(size_));
    changed_ = true;
}

std::size_t RecordFile::keepIf(const std::function<bool(ByteSpan)>& keep) {
    std::size_t out = 0;
    const std::size_t n = count();
    for (std::size_t k = 0; k < n; ++k) {
        const ByteSpan r{data_.data() + k * size_, size_};
        if (!keep(r)) continue;
        if (out != k) std::memmove(data_.data() + out * size_, r.data(), size_);
        ++out;
    }
    data_.resize(out * size_);
    if (out != n) changed_ = true;
    return n - out;
}

void RecordFile::commit(bool force) {
    if (!changed_ && !force) return;
    ReplaceFileAtomically(path_, ByteSpan{data_});
    changed_ = false;
}

}  // namespace veltrano
