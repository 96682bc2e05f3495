#pragma once

#include <string>

namespace veltrano {

// The few ways the record layer speaks to the user: a message with an OK button
// and a question with Yes and No. The shell implements it with message boxes; tests
// script it; the admin tool answers on the terminal.
class Prompt {
public:
    virtual ~Prompt() = default;
    virtual void message(const std::string& text) = 0;
    virtual bool askYesNo(const std::string& text) = 0;
};

}  // namespace veltrano
