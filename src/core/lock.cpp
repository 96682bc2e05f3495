#include "core/lock.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "core/file_io.h"
#include "core/io_error.h"

namespace veltrano {

std::string LockMarkerPath(const std::string& path) {
    return path + "$";
}

std::string LockWaitMessage(const std::string& path) {
    return "ATTENDERE! IL FILE: " + path +
           " E` APERTO DA UN ALTRO UTENTE \r\r PREMI OK PER RIPROVARE ";
}

std::string LockOverrideQuestion(const std::string& path) {
    return "ATTENZIONE! ACCERTARSI CHE IL FILE: " + path +
           " NON SIA APERTO DA UN ALTRO UTENTE\r\r PREMI \"YES\" SE NESSUN UTENTE STA UTILIZZANDO "
           "IL FILE";
}

void LockFile(const std::string& path, Prompt& prompt) {
    const std::string marker = LockMarkerPath(path);
    int attempts = 0;
    for (;;) {
        const int fd = ::open(marker.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (::close(fd) != 0) throw IoError::fromErrno(marker, "Chiusura", errno);
            return;
        }
        if (errno == EINTR) continue;
        if (errno != EEXIST) throw IoError::fromErrno(marker, "Creazione", errno);
        ++attempts;
        prompt.message(LockWaitMessage(path));
        if (attempts > 10 && prompt.askYesNo(LockOverrideQuestion(path))) {
            // The user vouches that the marker is stale: take it over as it is.
            const int over = ::open(marker.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
            if (over < 0) throw IoError::fromErrno(marker, "Creazione", errno);
            if (::close(over) != 0) throw IoError::fromErrno(marker, "Chiusura", errno);
            return;
        }
    }
}

void UnlockFile(const std::string& path) {
    RemoveFile(LockMarkerPath(path));
}

FileLock::FileLock(const std::string& path, Prompt& prompt) : path_(path) {
    LockFile(path, prompt);
}

FileLock::~FileLock() {
    if (!held_) return;
    try {
        UnlockFile(path_);
    } catch (const IoError&) {
        // Only reached while another error is already on its way to the user;
        // the marker then waits for the next writer's override.
    }
}

void FileLock::release() {
    if (!held_) return;
    held_ = false;
    UnlockFile(path_);
}

}  // namespace veltrano
