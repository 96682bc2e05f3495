#include "admin/terminal_prompt.h"

#include <chrono>
#include <ostream>
#include <thread>

#include "admin/dump.h"

namespace veltrano::admin {

TerminalPrompt::TerminalPrompt(std::ostream& err, int pauseMilliseconds)
    : err_(err), pause_(pauseMilliseconds) {}

std::string TerminalText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
        out += c == '\r' ? '\n' : c;
    return out;
}

void TerminalPrompt::message(const std::string& text) {
    // The same wait message once, not once per attempt.
    if (text != last_) err_ << TerminalText(text) << '\n' << std::flush;
    last_ = text;
    std::this_thread::sleep_for(std::chrono::milliseconds(pause_));
}

bool TerminalPrompt::askYesNo(const std::string& text) {
    err_ << TerminalText(text) << '\n' << std::flush;
    throw AdminError(
        "operazione interrotta: il file è bloccato da un altro utente; se nessuno lo sta usando, "
        "cancellare il marker (il file con \"$\" finale) e riprovare");
}

}  // namespace veltrano::admin
