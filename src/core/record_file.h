#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "core/file_io.h"

namespace veltrano {

// A record file held in memory for the length of one operation: read with one
// read, changed in memory, written back with one atomic replacement (commit).
// The edits give exactly the bytes that shifting records in place would give:
// untouched records keep every byte as read.
class RecordFile {
public:
    // For writers: a missing file is created empty. DamagedFile when the size is
    // not a multiple of the record size (nothing is then written).
    static RecordFile OpenOrCreate(const std::string& path, std::size_t recordSize);
    // For readers: a missing or unreadable file is an empty table and nothing is
    // created. A damaged file still raises DamagedFile: a partial list would be
    // taken for the whole one.
    static RecordFile OpenIfPresent(const std::string& path, std::size_t recordSize);
    // An empty in-memory file, for building a file that replaces path as a whole.
    static RecordFile Empty(const std::string& path, std::size_t recordSize);

    const std::string& path() const { return path_; }
    std::size_t recordSize() const { return size_; }
    std::size_t count() const { return data_.size() / size_; }
    bool empty() const { return data_.empty(); }
    ByteSpan record(std::size_t k) const { return {data_.data() + k * size_, size_}; }
    const Bytes& bytes() const { return data_; }

    // Ordered insert with shifting: record k and those after it move down by one.
    void insertAt(std::size_t k, ByteSpan rec);
    void append(ByteSpan rec);
    // Update in place.
    void updateAt(std::size_t k, ByteSpan rec);
    // Delete with truncation: the records after k move up by one.
    void eraseAt(std::size_t k);
    // Filtered rewrite: keeps the records for which keep() is true, in order.
    // Returns the number removed.
    std::size_t keepIf(const std::function<bool(ByteSpan)>& keep);
    void clear() { data_.clear(); }

    bool changed() const { return changed_; }
    // Writes the content back atomically when it changed (or always with force).
    void commit(bool force = false);

private:
    RecordFile(std::string path, std::size_t size, Bytes data);
    std::string path_;
    std::size_t size_;
    Bytes data_;
    bool changed_ = false;
};

}  // namespace veltrano
