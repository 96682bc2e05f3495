// Helper program of the crash test: applies one change to the files of a folder,
// the way a workstation does, so that the test can kill it at any moment.
//
//   crash_writer [--fsize-limit BYTES] FOLDER CHANGE...
//       applies the change; prints "done messages=M questions=Q at=A,B..." (A, B: the
//       messages shown before each override question); exit 0. An IoError prints
//       "ioerror TEXT" and exits 2.
//   crash_writer FOLDER --hold-lock NAME
//       takes the lock marker of FOLDER/NAME, prints "locked" and waits to be killed.

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "core/io_error.h"
#include "core/lock.h"
#include "crash_change.h"

using namespace veltrano;

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() >= 2 && args[0] == "--fsize-limit") {
            // A disk that fills up: writing past the limit fails with EFBIG instead
            // of killing the process.
            const rlim_t limit = std::stoull(args[1]);
            const rlimit rl{limit, limit};
            std::signal(SIGXFSZ, SIG_IGN);
            if (::setrlimit(RLIMIT_FSIZE, &rl) != 0) {
                std::perror("setrlimit");
                return 3;
            }
            args.erase(args.begin(), args.begin() + 2);
        }
        if (args.size() < 2) {
            std::fprintf(stderr, "usage: crash_writer [--fsize-limit BYTES] FOLDER CHANGE...\n");
            return 3;
        }
        const std::string folder = args[0];
        if (args[1] == "--hold-lock" && args.size() == 3) {
            crashtest::ScriptedPrompt prompt;
            LockFile(folder + "/" + args[2], prompt);
            std::printf("locked\n");
            std::fflush(stdout);
            for (;;)
                ::pause();
        }
        const auto change =
            crashtest::Change::fromArgs(std::vector<std::string>(args.begin() + 1, args.end()));
        crashtest::ScriptedPrompt prompt(1);
        crashtest::Apply(change, folder, prompt);
        std::string at;
        for (const int m : prompt.messagesAtQuestion)
            at += (at.empty() ? "" : ",") + std::to_string(m);
        std::printf("done messages=%d questions=%d at=%s\n", prompt.messages, prompt.questions,
                    at.c_str());
        return 0;
    } catch (const IoError& e) {
        std::printf("ioerror %s\n", e.what());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "crash_writer: %s\n", e.what());
        return 3;
    }
}
