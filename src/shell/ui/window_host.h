#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "shell/session.h"
#include "shell/window_registry.h"

class QWidget;

namespace veltrano {

class FormView;

// Makes the view of a window that needs more than the generic one (a grid, a
// picture): a class derived from FormView that adds its own widgets.
using ViewFactory = std::function<std::unique_ptr<FormView>(FormModel&, QWidget* parent)>;

// Opens the windows of the registry by name, modally, each with the generic
// view or the one given with setView. Each window is created at its first opening and kept; it
// re-initialises itself (FormModel::open) every time it is shown. The session's mode is set just
// before, as windows that serve several callers read it.
class WindowHost {
public:
    WindowHost(const WindowRegistry& registry, Session& session, UserDialogs& dialogs);
    ~WindowHost();

    WindowResult open(const std::string& window, const std::string& mode);
    void setParent(QWidget* parent) { parent_ = parent; }
    void setView(const std::string& window, ViewFactory factory);

private:
    struct Window {
        std::unique_ptr<FormModel> model;
        std::unique_ptr<FormView> view;
    };
    const WindowRegistry& registry_;
    Session& session_;
    UserDialogs& dialogs_;
    QWidget* parent_ = nullptr;
    std::map<std::string, Window> windows_;
    std::map<std::string, ViewFactory> views_;
};

}  // namespace veltrano
