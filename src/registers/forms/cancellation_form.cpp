#include "registers/forms/cancellation_form.h"

#include <cmath>

#include "core/dates.h"
#include "registers/forms/period_fields.h"

namespace veltrano {
namespace {

char stateOf(const Session& s) {
    return s.mode.empty() ? 'C' : s.mode[0];
}

}  // namespace

CancellationForm::CancellationForm(Session& session, UserDialogs& dialogs)
    : FormModel(dialogs, "TFCANCMOVIM", CancellationCaption(stateOf(session))),
      session_(session),
      state_(stateOf(session)) {
    addField(PeriodFromField());
    addField(PeriodToField());
    FieldSpec list;
    list.name = "ELENCO";
    list.kind = FieldKind::Display;
    addField(list);
    FieldSpec confirm;
    confirm.name = "ECONF";
    confirm.caption = "Digita \"SI\" per cancellare:";
    confirm.maxLength = 2;
    addField(confirm);
    ButtonSpec all;
    all.name = "BTUTTI";
    all.caption = "Tutti";
    addButton(all);
    ButtonSpec none;
    none.name = "BNESSUNO";
    none.caption = "Nessuno";
    addButton(none);
}

void CancellationForm::setTicked(std::size_t line, bool on) {
    if (line < ticks_.size()) ticks_[line] = on;
}

void CancellationForm::onOpen() {
    // The window is kept between openings; each menu entry brings its own state.
    state_ = stateOf(session_);
    setCaption(CancellationCaption(state_));
    const double today = session_.clock.today();
    set("MDAAL", FormatDate(today));
    set("MDADA", "01/01/" + std::to_string(YearOf(today)));
    set("ECONF", "");
    builtFrom_ = builtTo_ = -1e9;
    list_ = CancellationList{};
    ticks_.clear();
    refreshList();
}

Check CancellationForm::checkPeriod(bool whole) {
    const auto from = PeriodDate(text("MDADA"));
    if (!from) return Check::StayOn("MDADA");
    if (!whole) return Check::Pass();
    const auto to = PeriodDate(text("MDAAL"));
    if (!to) return Check::StayOn("MDAAL");
    if (YearOf(*from) != YearOf(*to)) {
        dialogs().inform(kNotSameYear);
        return Check::StayOn("MDAAL");
    }
    if (*to < *from) return Check::StayOn("MDAAL");
    return Check::Pass();
}

void CancellationForm::refreshList() {
    if (!checkPeriod(true)) return;
    const double from = *ParseDate(text("MDADA"));
    const double to = *ParseDate(text("MDAAL"));
    if (std::fabs(from - builtFrom_) <= 0.1 && std::fabs(to - builtTo_) <= 0.1) return;
    list_ = BuildCancellationList(session_.folders, state_, from, to);
    ticks_.assign(list_.lines.size(), false);
    builtFrom_ = from;
    builtTo_ = to;
    std::string shown;
    for (const auto& line : list_.lines)
        shown += line + "\n";
    set("ELENCO", shown);
    set("ECONF", "");
}

Check CancellationForm::onLeave(const std::string& field) {
    if (field == "MDADA") return checkPeriod(false);
    if (field == "MDAAL") {
        const Check c = checkPeriod(true);
        if (c) refreshList();
        return c;
    }
    if (field == "ECONF") {
        if (text("ECONF") != "SI") return Check::StayOn("ELENCO");
        deleteTicked();
    }
    return Check::Pass();
}

Check CancellationForm::onReachConfirm() {
    return checkPeriod(true);
}

// There is no confirm button: the deletion runs on leaving ECONF with "SI".
void CancellationForm::onConfirm() {}

void CancellationForm::onPress(const std::string& button) {
    if (button != "BTUTTI" && button != "BNESSUNO") return;
    refreshList();
    ticks_.assign(list_.lines.size(), button == "BTUTTI");
}

void CancellationForm::deleteTicked() {
    CancellationOutcome outcome;
    {
        BusyCursor busy(dialogs());
        // The machine exchange files of lots and preventive communications are
        // rebuilt after each deletion once that subsystem exists.
        outcome = DeleteTickedMovements(session_.folders, list_, ticks_, dialogs(), nullptr);
    }
    if (outcome.error) {
        std::string done;
        for (const std::size_t k : outcome.deleted)
            done += "\r" + list_.lines[k];
        dialogs().warn(*outcome.error + "\r\rCancellazione interrotta. Righe già cancellate: " +
                       std::to_string(outcome.deleted.size()) + done);
    }
    close();
}

}  // namespace veltrano
