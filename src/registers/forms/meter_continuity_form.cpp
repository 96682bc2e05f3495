#include "registers/forms/meter_continuity_form.h"

#include "core/dates.h"
#include "registers/forms/period_fields.h"
#include "registers/stock.h"

namespace veltrano {
namespace {

constexpr double kMargin = 42;  // points, about 15 mm

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
    addField(PeriodFromField());
    addField(PeriodToField());
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
    const auto from = PeriodDate(text("MDADA"));
    if (!from) return Check::StayOn("MDADA");
    const auto to = PeriodDate(text("MDAAL"));
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
