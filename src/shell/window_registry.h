#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "shell/form_model.h"
#include "shell/session.h"

namespace veltrano {

// Makes the model of one window.
using FormFactory = std::function<std::unique_ptr<FormModel>(Session&, UserDialogs&)>;

// The windows of the program by name (`TFDATIAZIENDA`). Each subsystem offers a
// Register...Windows(WindowRegistry&) that add()s its own, and main() calls it;
// UserDialogs::open finds them here (a window that needs a view of its own gets
// it with WindowHost::setView). A name that is not here is a window of a later
// Part: opening it does nothing.
//
// A new window, in short: a class derived from FormModel that declares its
// fields in tab order and overrides onOpen / onLeave / onReachConfirm /
// onConfirm; a registry entry; tests that drive it with a scripted UserDialogs
// and a FixedClock (tests/shell_support.h).
class WindowRegistry {
public:
    void add(const std::string& name, FormFactory factory);
    const FormFactory* find(const std::string& name) const;

private:
    std::map<std::string, FormFactory> factories_;
};

// The settings windows of this subsystem: TFDATIAZIENDA, TFPERCORSI, TFINDWEB,
// TFARROTONDAMENTI.
void RegisterShellWindows(WindowRegistry& registry);

// When an activation of the main window runs the activation sequence. The
// sequence's own messages and windows take the activation away and hand it back
// when they close; those hand-backs must not start it again. So it runs at the
// first activation and then once after each menu operation (the user's return to
// the main window from another window of the program); activations in between,
// and while it runs, are ignored.
class ActivationGuard {
public:
    // The main window became active: true when the sequence is to run now.
    bool activated();
    void begin() { running_ = true; }
    void end() { running_ = false; }
    // A menu operation ended: the next activation runs the sequence.
    void operationFinished() { armed_ = true; }
    bool running() const { return running_; }

private:
    bool armed_ = true;
    bool running_ = false;
};

}  // namespace veltrano
