#pragma once

#include <stdexcept>
#include <string>

namespace veltrano {

// An input/output failure on a file: ends the current operation. The text names
// the file and the system's reason so the user can act on it.
class IoError : public std::runtime_error {
public:
    IoError(std::string path, std::string reason);
    // Builds the reason from errno.
    static IoError fromErrno(const std::string& path, const std::string& action, int err);

    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }

private:
    std::string path_;
    std::string reason_;
};

// A record file whose bytes cannot be records of its kind (size not a multiple of
// the record size, and the like). Nothing is written when this is raised.
class DamagedFile : public std::runtime_error {
public:
    DamagedFile(std::string path, const std::string& reason);
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace veltrano
