#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace veltrano::testsupport {

// A helper program started by a test, with pipes to its stdin and from its stdout.
struct Child {
    pid_t pid = -1;
    int stdinFd = -1;   // write end of the child's stdin, -1 when not piped
    int stdoutFd = -1;  // read end of the child's stdout
};

// argv[0] is the program's path. With pipeStdin the child reads what the test
// writes to stdinFd (and sees end of file when the test closes it); otherwise its
// stdin is /dev/null.
Child Spawn(const std::vector<std::string>& argv, bool pipeStdin = false);

struct ExitStatus {
    bool signaled = false;
    int code = -1;   // exit code when !signaled
    int signal = 0;  // signal number when signaled
};
ExitStatus Wait(pid_t pid);

// Everything up to end of file; closes fd.
std::string ReadAll(int fd);
// One line without its '\n' (blocks until it arrives); empty at end of file.
std::string ReadLine(int fd);
void CloseFd(int& fd);

// Monotonic clock in microseconds.
long long NowMicros();
void SleepMicros(long long us);

// True in a build with AddressSanitizer, where everything runs several times slower.
constexpr bool kSanitized =
#if defined(__SANITIZE_ADDRESS__)
    true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    true;
#else
    false;
#endif
#else
    false;
#endif

// An iteration count: the variable `name` of the environment when set, otherwise
// normal (divided by sanitizedDivisor in a sanitized build).
int IterationsFromEnv(const char* name, int normal, int sanitizedDivisor = 1);

// A fresh folder below the system's temporary folder, removed with its content
// by the destructor.
class TempFolder {
public:
    explicit TempFolder(const std::string& label);
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Names in a folder (no "." and ".."), sorted.
std::vector<std::string> ListFolder(const std::string& folder);

}  // namespace veltrano::testsupport
