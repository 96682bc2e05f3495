#include "shell/form_model.h"

#include <stdexcept>

#include "core/cp1252.h"
#include "shell/input_rules.h"

namespace veltrano {

FormModel::FormModel(UserDialogs& dialogs, std::string name, std::string caption)
    : dialogs_(dialogs), name_(std::move(name)), caption_(std::move(caption)) {}

FormModel::~FormModel() = default;

FieldSpec& FormModel::addField(FieldSpec spec) {
    if (field(spec.name) != nullptr) throw std::logic_error("duplicate field " + spec.name);
    texts_[spec.name] = {};
    fields_.push_back(std::move(spec));
    return fields_.back();
}

void FormModel::addButton(ButtonSpec spec) {
    buttons_.push_back(std::move(spec));
}

const FieldSpec* FormModel::field(const std::string& name) const {
    for (const auto& f : fields_) {
        if (f.name == name) return &f;
    }
    return nullptr;
}

std::string FormModel::text(const std::string& field) const {
    const auto it = texts_.find(field);
    if (it == texts_.end()) throw std::out_of_range("no field " + field);
    return it->second;
}

bool FormModel::visible(const std::string& name) const {
    const auto it = visible_.find(name);
    return it == visible_.end() || it->second;
}

bool FormModel::enabled(const std::string& name) const {
    const auto it = enabled_.find(name);
    return it == enabled_.end() || it->second;
}

void FormModel::set(const std::string& field, const std::string& text) {
    auto it = texts_.find(field);
    if (it == texts_.end()) throw std::out_of_range("no field " + field);
    if (it->second == text) return;
    it->second = text;
    checksPassed_ = false;
    changed();
}

void FormModel::setVisible(const std::string& name, bool visible) {
    if (this->visible(name) == visible) return;
    visible_[name] = visible;
    changed();
}

void FormModel::setEnabled(const std::string& name, bool enabled) {
    if (this->enabled(name) == enabled) return;
    enabled_[name] = enabled;
    changed();
}

void FormModel::focusOn(const std::string& field) {
    focusRequest_ = field;
    changed();
}

void FormModel::close() {
    closed_ = true;
    changed();
}

std::optional<std::string> FormModel::takeFocusRequest() {
    auto f = std::move(focusRequest_);
    focusRequest_.reset();
    return f;
}

template <class F>
bool FormModel::guarded(F&& step) {
    try {
        step();
        return true;
    } catch (const std::exception& e) {
        dialogs_.showError(e);
        return false;
    }
}

void FormModel::open() {
    closed_ = false;
    confirmed_ = false;
    saving_ = false;
    checksPassed_ = false;
    resultEntry_.reset();
    resultId_ = -1;
    focusRequest_.reset();
    suspended_ = true;
    if (!guarded([&] { onOpen(); })) close();
    changed();
}

Typing FormModel::type(const std::string& field, const std::string& text, std::size_t cursor) {
    const FieldSpec* spec = this->field(field);
    if (spec == nullptr) throw std::out_of_range("no field " + field);
    const std::string before = this->text(field);
    if (spec->kind == FieldKind::Display || !enabled(field)) return {before, Utf8Length(before)};
    const Typing typed{text, cursor};
    Typing accepted = spec->kind == FieldKind::Amount ? FormatAmountTyping(before, typed)
                                                      : ApplyInputRules(*spec, typed);
    set(field, accepted.text);
    guarded([&] { onTyped(field); });
    return accepted;
}

void FormModel::type(const std::string& field, const std::string& text) {
    type(field, text, Utf8Length(text));
}

Check FormModel::leave(const std::string& field) {
    if (closed_ || suspended_) return Check::Pass();
    Check result;
    if (!guarded([&] { result = onLeave(field); })) result = Check::StayOn(field);
    if (!result) focusOn(result.field);
    changed();
    return result;
}

Check FormModel::reachConfirm() {
    if (closed_) return Check::Pass();
    Check result;
    if (!guarded([&] { result = onReachConfirm(); })) result = Check::StayOn({});
    checksPassed_ = result.passed;
    if (!result && !result.field.empty()) focusOn(result.field);
    changed();
    return result;
}

void FormModel::confirm() {
    if (closed_ || saving_) return;
    if (!checksPassed_ && !reachConfirm()) return;
    saving_ = true;
    const bool done = guarded([&] { onConfirm(); });
    saving_ = false;
    if (done && closed_) confirmed_ = true;
    changed();
}

void FormModel::abandon() {
    if (saving_) return;
    close();
}

void FormModel::press(const std::string& button) {
    if (closed_ || saving_) return;
    guarded([&] { onPress(button); });
    changed();
}

Check FormModel::onLeave(const std::string&) {
    return Check::Pass();
}
Check FormModel::onReachConfirm() {
    return Check::Pass();
}
void FormModel::onPress(const std::string&) {}
void FormModel::onTyped(const std::string&) {}

}  // namespace veltrano
