#include "shell/ui/window_host.h"

#include "shell/ui/form_view.h"

namespace veltrano {

WindowHost::WindowHost(const WindowRegistry& registry, Session& session, UserDialogs& dialogs)
    : registry_(registry), session_(session), dialogs_(dialogs) {}

WindowHost::~WindowHost() = default;

void WindowHost::setView(const std::string& window, ViewFactory factory) {
    views_[window] = std::move(factory);
}

WindowResult WindowHost::open(const std::string& window, const std::string& mode) {
    const FormFactory* factory = registry_.find(window);
    if (factory == nullptr) return {};  // a window of a later Part
    auto it = windows_.find(window);
    if (it == windows_.end()) {
        Window w;
        w.model = (*factory)(session_, dialogs_);
        const auto view = views_.find(window);
        w.view = view != views_.end() ? view->second(*w.model, parent_)
                                      : std::make_unique<FormView>(*w.model, parent_);
        it = windows_.emplace(window, std::move(w)).first;
    }
    if (!mode.empty()) session_.mode = mode;
    FormModel& model = *it->second.model;
    WindowResult result;
    result.opened = true;
    result.confirmed = it->second.view->run();
    result.entry = model.resultEntry();
    result.id = model.resultId();
    return result;
}

}  // namespace veltrano
