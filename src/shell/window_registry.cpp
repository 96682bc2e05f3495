#include "shell/window_registry.h"

#include "shell/company_data_form.h"
#include "shell/settings_forms.h"

namespace veltrano {

void WindowRegistry::add(const std::string& name, FormFactory factory) {
    factories_[name] = std::move(factory);
}

const FormFactory* WindowRegistry::find(const std::string& name) const {
    const auto it = factories_.find(name);
    return it == factories_.end() ? nullptr : &it->second;
}

namespace {

template <class Form>
FormFactory Make() {
    return [](Session& s, UserDialogs& d) -> std::unique_ptr<FormModel> {
        return std::make_unique<Form>(s, d);
    };
}

}  // namespace

void RegisterShellWindows(WindowRegistry& registry) {
    registry.add("TFDATIAZIENDA", Make<CompanyDataForm>());
    registry.add("TFPERCORSI", Make<SigningSettingsForm>());
    registry.add("TFINDWEB", Make<WebAddressesForm>());
    registry.add("TFARROTONDAMENTI", Make<RoundingForm>());
}

bool ActivationGuard::activated() {
    if (running_ || !armed_) return false;
    armed_ = false;
    return true;
}

}  // namespace veltrano
