#include "prints/register_print_form.h"

#include "prints/wort_print.h"

namespace veltrano {

namespace {
FieldKind KindOf(PrintDialogField::Kind k) {
    switch (k) {
        case PrintDialogField::Kind::Date:
            return FieldKind::Date;
        case PrintDialogField::Kind::Integer:
            return FieldKind::Integer;
        case PrintDialogField::Kind::Display:
            return FieldKind::Display;
        case PrintDialogField::Kind::Choice:
            return FieldKind::Choice;
        case PrintDialogField::Kind::Check:
            return FieldKind::Check;
        case PrintDialogField::Kind::Text:
            return FieldKind::Text;
    }
    return FieldKind::Text;
}
}  // namespace

PrintCompany PrintCompanyOf(const CompanyRecord& c) {
    PrintCompany p;
    p.block = {c.DENOM1, c.INDIR1, c.addressComplement, c.C_A_P1, c.CITTA1, c.PARIVA, c.CACCI1};
    p.UFFDO1 = c.UFFDO1;
    return p;
}

RegisterPrintForm::RegisterPrintForm(Session& session, UserDialogs& dialogs,
                                     std::unique_ptr<RegisterPrintDialog> dialog,
                                     std::string formName)
    : FormModel(dialogs, std::move(formName), dialog->caption()),
      session_(session),
      dialog_(std::move(dialog)) {
    for (const PrintDialogField& f : dialog_->fields()) {
        FieldSpec def;
        def.name = f.name;
        def.kind = KindOf(f.kind);
        def.maxLength = f.maxLength;
        def.caption = f.caption;
        def.choices = f.choices;
        addField(def);
    }
}

void RegisterPrintForm::pull() {
    pulling_ = true;
    for (const PrintDialogField& f : dialog_->fields()) {
        set(f.name, dialog_->text(f.name));
        setVisible(f.name, dialog_->visible(f.name));
    }
    pulling_ = false;
    if (const auto focus = dialog_->takeFocus()) focusOn(*focus);
}

void RegisterPrintForm::onOpen() {
    dialog_->open(session_.tag, session_.clock.today(), PrintCompanyOf(session_.company));
    setCaption(dialog_->caption());
    pull();
    suspendChecks();
}

void RegisterPrintForm::onTyped(const std::string& field) {
    if (pulling_) return;
    dialog_->type(field, text(field));
    pull();
}

Check RegisterPrintForm::onLeave(const std::string& field) {
    const bool ok = dialog_->leave(field);
    const auto focus = dialog_->takeFocus();
    pull();
    return ok ? Check::Pass() : Check::StayOn(focus.value_or(field));
}

Check RegisterPrintForm::onReachConfirm() {
    const bool ok = dialog_->reachConfirm();
    const auto focus = dialog_->takeFocus();
    pull();
    return ok ? Check::Pass() : Check::StayOn(focus.value_or("MDADA"));
}

void RegisterPrintForm::onConfirm() {
    if (dialog_->confirm()) close();
    pull();
}

void RegisterPrintWindows(WindowRegistry& registry, const PrintServices& services) {
    registry.add(kWortPrintForm, [services](Session& session, UserDialogs& dialogs) {
        auto dialog = MakeWortPrintDialog(session.folders, *services.metrics, services.printers,
                                          *services.viewer);
        return std::make_unique<RegisterPrintForm>(session, dialogs, std::move(dialog),
                                                   kWortPrintForm);
    });
}

}  // namespace veltrano
