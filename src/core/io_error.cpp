#include "core/io_error.h"

#include <cstring>

namespace veltrano {

IoError::IoError(std::string path, std::string reason)
    : std::runtime_error("Errore di accesso al file " + path + ": " + reason),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

IoError IoError::fromErrno(const std::string& path, const std::string& action, int err) {
    return IoError(path, action + " non riuscita (" + std::strerror(err) + ")");
}

DamagedFile::DamagedFile(std::string path, const std::string& reason)
    : std::runtime_error("Il file " + path + " è danneggiato: " + reason), path_(std::move(path)) {}

}  // namespace veltrano
