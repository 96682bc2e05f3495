#include "registers/forms/stock_form.h"

#include "core/dates.h"
#include "core/values.h"

namespace veltrano {

StockForm::StockForm(Session& session, UserDialogs& dialogs)
    : FormModel(dialogs, "TFGIACENZE", "Calcola le giacenze di inizio anno"), session_(session) {
    FieldSpec year;
    year.name = "LANNO";
    year.caption = "Calcola le giacenze all'inizio dell'anno:";
    year.kind = FieldKind::Integer;
    year.maxLength = 4;
    year.note =
        "Saranno memorizzate le giacenze da considerare come riporti iniziali per l'anno "
        "indicato. L'operazione deve essere ripetuta nel caso di aggiornamenti riferiti ad anni "
        "precedenti ";
    addField(year);
    FieldSpec list;
    list.name = "RIPORTI";
    list.kind = FieldKind::Display;
    addField(list);
}

void StockForm::onOpen() {
    yearChecked_ = false;
    result_ = OpeningStock{};
    set("LANNO", std::to_string(YearOf(session_.clock.today())));
    set("RIPORTI", "");
    setVisible("BCONF", true);
    focusOn("LANNO");
}

Check StockForm::checkYear() {
    const std::string typed = text("LANNO");
    const int year = ParseInteger(typed);
    // Only four digits make a year; anything else is refused like a year before 2019.
    const bool fourDigits =
        typed.size() == 4 && typed.find_first_not_of("0123456789") == std::string::npos;
    const auto refusal = fourDigits ? OpeningStockYearRefusal(year, YearOf(session_.clock.today()))
                                    : std::optional<std::string>("");
    if (refusal) {
        if (!refusal->empty()) dialogs().inform(*refusal);
        yearChecked_ = false;
        return Check::StayOn("LANNO");
    }
    yearChecked_ = true;
    return Check::Pass();
}

Check StockForm::onLeave(const std::string& field) {
    if (field == "LANNO") return checkYear();
    return Check::Pass();
}

Check StockForm::onReachConfirm() {
    return checkYear();
}

void StockForm::onConfirm() {
    if (!yearChecked_ || !visible("BCONF")) return;
    // One computation per opening: the button comes back when the window is
    // opened again.
    setVisible("BCONF", false);
    BusyCursor busy(dialogs());
    const int year = ParseInteger(text("LANNO"));
    result_ = ComputeOpeningStock(session_.folders, year, session_.company.TIPOIN);
    WriteOpeningStock(session_.folders, result_);
    std::string list;
    for (const std::string& line : result_.lines)
        list += line + "\n";
    set("RIPORTI", list);
}

}  // namespace veltrano
