#include "support/child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <thread>

extern char** environ;

namespace veltrano::testsupport {
namespace {

[[noreturn]] void fail(const std::string& what, int err) {
    throw std::system_error(err, std::generic_category(), what);
}

}  // namespace

Child Spawn(const std::vector<std::string>& argv, bool pipeStdin) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) fail("pipe", errno);
    int in[2] = {-1, -1};
    if (pipeStdin && ::pipe2(in, O_CLOEXEC) != 0) fail("pipe", errno);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (pipeStdin) {
        posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    } else {
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    }
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);

    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    Child child;
    const int rc = ::posix_spawn(&child.pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (pipeStdin) ::close(in[0]);
    if (rc != 0) {
        ::close(out[0]);
        if (pipeStdin) ::close(in[1]);
        fail("posix_spawn " + argv[0], rc);
    }
    child.stdoutFd = out[0];
    child.stdinFd = pipeStdin ? in[1] : -1;
    return child;
}

ExitStatus Wait(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) fail("waitpid", errno);
    }
    ExitStatus s;
    if (WIFSIGNALED(status)) {
        s.signaled = true;
        s.signal = WTERMSIG(status);
    } else {
        s.code = WEXITSTATUS(status);
    }
    return s;
}

std::string ReadAll(int fd) {
    std::string text;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        text.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
}

std::string ReadLine(int fd) {
    std::string line;
    char c;
    for (;;) {
        const ssize_t n = ::read(fd, &c, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0 || c == '\n') break;
        line.push_back(c);
    }
    return line;
}

void CloseFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

long long NowMicros() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SleepMicros(long long us) {
    if (us > 0) std::this_thread::sleep_for(std::chrono::microseconds(us));
}

int IterationsFromEnv(const char* name, int normal, int sanitizedDivisor) {
    if (const char* v = std::getenv(name); v != nullptr && *v != '\0') {
        const int n = std::atoi(v);
        if (n > 0) return n;
    }
    if (kSanitized && sanitizedDivisor > 1) return std::max(1, normal / sanitizedDivisor);
    return normal;
}

TempFolder::TempFolder(const std::string& label) {
    std::string templ =
        (std::filesystem::temp_directory_path() / ("veltrano-" + label + "-XXXXXX")).string();
    if (::mkdtemp(templ.data()) == nullptr) fail("mkdtemp " + templ, errno);
    path_ = templ;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::vector<std::string> ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace veltrano::testsupport
