#include "registers/forms/meter_continuity_form.h"

#include "core/dates.h"
#include "registers/stock.h"

namespace veltrano {
namespace {

constexpr double kMargin = 42;  // points, about 15 mm

std::optional<double> periodDate(const std::string& text) {
    const auto d = ParseDate(text);
    if (!d) return std::nullopt;
    const int y = YearOf(*d);
    if (y < 2000 || y > 2100) return std::nullopt;
    return d;
}

void heading(ReportSurface& s, const std::string& from, const std::string& to) {
    s.setFontName("TIMES NEW ROMAN");
    s.setFontSize(12);
    s.setBold(true);
    s.setY(kMargin + s.lineHeight());
    s.printAt(kMargin, s.y(),
              "Controllo della continuità del contalitri  dal " + from + " al " + to);
    s.setY(s.y() + s.lineHeight() * 1.5);
    s.setBold(false);
    s.setFontSize(8);
}

}  // namespace

void DrawMeterContinuityReport(ReportSurface& s, const std::string& from, const std::string& to,
                               const std::vector<std::string>& lines) {
    heading(s, from, to);
    const std::vector<std::string> none{kNoMeterBreaks};
    for (const std::string& line : lines.empty() ? none : lines) {
        if (s.y() + s.lineHeight() > s.pageHeight() - kMargin) {
            s.newPage();
            heading(s, from, to);
        }
        s.printAt(kMargin, s.y(), line);
        s.setY(s.y() + s.lineHeight());
    }
}

MeterContinuityForm::MeterContinuityForm(Session& session, UserDialogs& dialogs,
                                         const TextMetrics& metrics, ReportViewer& viewer)
    : FormModel(dialogs, "TFCONTR_CONTAL", "Controlla continuità del contalitri"),
      session_(session),
      metrics_(metrics),
      viewer_(viewer) {
    FieldSpec from;
    from.name = "MDADA";
    from.caption = "Dalla data";
    from.kind = FieldKind::Date;
    addField(from);
    FieldSpec to;
    to.name = "MDAAL";
    to.caption = "Alla data";
    to.kind = FieldKind::Date;
    to.besideOf = "MDADA";
    addField(to);
}

void MeterContinuityForm::onOpen() {
    const double today = session_.clock.today();
    set("MDAAL", FormatDate(today));
    set("MDADA", "01/01/" + std::to_string(YearOf(today)));
}

Check MeterContinuityForm::onLeave(const std::string&) {
    return Check::Pass();
}

Check MeterContinuityForm::onReachConfirm() {
    const auto from = periodDate(text("MDADA"));
    if (!from) return Check::StayOn("MDADA");
    const auto to = periodDate(text("MDAAL"));
    if (!to || *to < *from) return Check::StayOn("MDAAL");
    return Check::Pass();
}

void MeterContinuityForm::onConfirm() {
    const double from = *ParseDate(text("MDADA"));
    const double to = *ParseDate(text("MDAAL"));
    RecordingSurface surface(metrics_);
    {
        BusyCursor busy(dialogs());
        DrawMeterContinuityReport(surface, text("MDADA"), text("MDAAL"),
                                  FindMeterBreaks(session_.folders, from, to));
    }
    viewer_.show(surface.takeDocument(), caption());
}

}  // namespace veltrano
