#include "core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <random>

#include "core/io_error.h"

namespace veltrano {
namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Close and report the result (network file systems report write errors here).
    int release() {
        const int r = ::close(fd_);
        fd_ = -1;
        return r;
    }

private:
    int fd_;
};

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string baseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string uniqueTempPath(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    static const unsigned long long salt = std::random_device{}();
    char host[HOST_NAME_MAX + 1] = "host";
    ::gethostname(host, sizeof host - 1);
    host[HOST_NAME_MAX] = '\0';
    const std::string folder = folderOf(path);
    return (folder == "/" ? "" : folder) + "/" + kTempPrefix + baseName(path) + "." + host + "." +
           std::to_string(::getpid()) + "." + std::to_string(salt % 100000) + "." +
           std::to_string(counter++);
}

// Errors name the file the user knows, not the temporary file.
void writeAll(int fd, std::span<const ByteSpan> pieces, const std::string& path) {
    std::vector<iovec> iov;
    iov.reserve(pieces.size());
    for (const auto& p : pieces) {
        if (!p.empty()) iov.push_back({const_cast<std::uint8_t*>(p.data()), p.size()});
    }
    std::size_t first = 0;
    while (first < iov.size()) {
        const int n = static_cast<int>(std::min<std::size_t>(iov.size() - first, IOV_MAX));
        const ssize_t w = ::writev(fd, iov.data() + first, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            throw IoError::fromErrno(path, "Scrittura", errno);
        }
        auto left = static_cast<std::size_t>(w);
        while (first < iov.size() && left >= iov[first].iov_len) {
            left -= iov[first].iov_len;
            ++first;
        }
        if (left > 0) {
            iov[first].iov_base = static_cast<std::uint8_t*>(iov[first].iov_base) + left;
            iov[first].iov_len -= left;
        }
    }
}

}  // namespace

std::optional<Bytes> ReadWholeFile(const std::string& path) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        if (errno == ENOENT) return std::nullopt;
        throw IoError::fromErrno(path, "Apertura", errno);
    }
    Fd guard(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw IoError::fromErrno(path, "Lettura", errno);
    if (S_ISDIR(st.st_mode)) throw IoError(path, "è una cartella, non un file");
    Bytes data;
    // Spare room for the end-of-file probe below and for an inserted record, so
    // that neither moves the bytes already read.
    data.reserve(static_cast<std::size_t>(st.st_size) + 65536);
    data.resize(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    for (;;) {
        if (got == data.size()) data.resize(data.size() + 65536);  // the file grew meanwhile
        const ssize_t r = ::read(fd, data.data() + got, data.size() - got);
        if (r < 0) {
            if (errno == EINTR) continue;
            throw IoError::fromErrno(path, "Lettura", errno);
        }
        if (r == 0) break;
        got += static_cast<std::size_t>(r);
    }
    data.resize(got);
    return data;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

void ReplaceFileAtomically(const std::string& path, ByteSpan content) {
    const ByteSpan pieces[] = {content};
    ReplaceFileAtomically(path, pieces);
}

void ReplaceFileAtomically(const std::string& path, std::span<const ByteSpan> pieces) {
    std::string tmp;
    int fd = -1;
    // A name left by a crashed writer of another run may come round again: take
    // the next one.
    for (int attempt = 0; fd < 0; ++attempt) {
        tmp = uniqueTempPath(path);
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) break;
        if (errno == EINTR || (errno == EEXIST && attempt < 100)) continue;
        throw IoError::fromErrno(path, "Creazione del file temporaneo " + tmp, errno);
    }
    Fd guard(fd);
    try {
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0) (void)::fchmod(fd, st.st_mode & 07777);
        writeAll(fd, pieces, path);
        if (::fdatasync(fd) != 0) throw IoError::fromErrno(path, "Scrittura su disco", errno);
        if (guard.release() != 0) throw IoError::fromErrno(path, "Chiusura", errno);
        if (::rename(tmp.c_str(), path.c_str()) != 0) {
            throw IoError::fromErrno(path, "Sostituzione", errno);
        }
    } catch (...) {
        ::unlink(tmp.c_str());
        throw;
    }
    // Make the rename itself durable; some network file systems refuse to sync a
    // folder, which is harmless there.
    const int dfd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        (void)::fsync(dfd);
        ::close(dfd);
    }
}

void CreateEmptyIfMissing(const std::string& path) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) throw IoError::fromErrno(path, "Creazione", errno);
    if (::close(fd) != 0) throw IoError::fromErrno(path, "Chiusura", errno);
}

void RemoveFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        throw IoError::fromErrno(path, "Cancellazione", errno);
    }
}

void MakeFolders(const std::string& path) {
    if (path.empty()) return;
    std::string partial;
    std::size_t pos = 0;
    while (pos != std::string::npos) {
        pos = path.find('/', pos + 1);
        partial = path.substr(0, pos);
        if (partial.empty()) continue;
        if (::mkdir(partial.c_str(), 0777) != 0 && errno != EEXIST) {
            throw IoError::fromErrno(partial, "Creazione della cartella", errno);
        }
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        throw IoError(path, "non è una cartella");
    }
}

}  // namespace veltrano
