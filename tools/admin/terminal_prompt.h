#pragma once

#include <iosfwd>
#include <string>

#include "core/prompt.h"

namespace veltrano::admin {

// The lock-marker messages on the terminal. Nobody is there to press OK, so a
// message is written to `err` and the next attempt follows after a short pause;
// the question whether to override a marker is never answered yes on someone
// else's behalf: the operation stops with an error instead.
class TerminalPrompt : public Prompt {
public:
    explicit TerminalPrompt(std::ostream& err, int pauseMilliseconds = 300);
    void message(const std::string& text) override;
    bool askYesNo(const std::string& text) override;

private:
    std::ostream& err_;
    int pause_;
    std::string last_;
};

// "\r" of the record layer's messages as line breaks, for a terminal.
std::string TerminalText(const std::string& text);

}  // namespace veltrano::admin
