#include "platform/report/report_render.h"

#include <QtCore/QFile>
#include <QtGui/QPageSize>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>
#include <QtPrintSupport/QPrinter>

#include "platform/report/report_fonts.h"

namespace veltrano {

QPageLayout ReportPageLayout(const ReportDocument& doc) {
    const bool landscape = doc.orientation == Orientation::Landscape;
    // QPageSize is always portrait; the orientation turns it.
    const double w = landscape ? doc.pageHeight : doc.pageWidth;
    const double h = landscape ? doc.pageWidth : doc.pageHeight;
    const QPageSize size(QSizeF(w, h), QPageSize::Point, QString(), QPageSize::ExactMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

namespace {

Qt::PenStyle QtStyle(PenStyle s) {
    switch (s) {
        case PenStyle::Solid:
            return Qt::SolidLine;
        case PenStyle::Dash:
            return Qt::DashLine;
        case PenStyle::Dot:
            return Qt::DotLine;
        case PenStyle::DashDot:
            return Qt::DashDotLine;
        case PenStyle::Clear:
            return Qt::NoPen;
    }
    return Qt::SolidLine;
}

QPen QtPen(const Pen& p, double scale) {
    QPen pen(QColor::fromRgb(static_cast<QRgb>(p.color | 0xff000000u)));
    pen.setStyle(QtStyle(p.style));
    // Width 0 is the device's thinnest line; keep hairlines visible on paper.
    pen.setWidthF(p.width > 0 ? p.width * scale : 0.0);
    pen.setCosmetic(p.width <= 0);
    return pen;
}

}  // namespace

void RenderReportPage(QPainter& painter, const ReportDocument& doc, std::size_t page, double dpi) {
    if (page >= doc.pages.size()) return;
    EnsureReportFonts();
    const double s = dpi / 72.0;
    TextFont lastFont;
    bool haveFont = false;
    for (const DrawnItem& it : doc.pages[page].items) {
        switch (it.kind) {
            case DrawnItem::Kind::Text: {
                if (!haveFont || !(it.font == lastFont)) {
                    painter.setFont(ReportQFont(it.font, it.font.size));
                    lastFont = it.font;
                    haveFont = true;
                }
                painter.setPen(QtPen(it.pen, s));
                const QString text = QString::fromStdString(it.text);
                if (it.font.rotation == 0) {
                    painter.drawText(QPointF(it.left * s, it.y * s), text);
                } else {
                    painter.save();
                    painter.translate(it.x * s, it.y * s);
                    painter.rotate(-it.font.rotation);
                    painter.drawText(QPointF((it.left - it.x) * s, 0), text);
                    painter.restore();
                }
                break;
            }
            case DrawnItem::Kind::Line:
                painter.setPen(QtPen(it.pen, s));
                painter.drawLine(QPointF(it.x1 * s, it.y1 * s), QPointF(it.x2 * s, it.y2 * s));
                break;
            case DrawnItem::Kind::Rectangle:
                painter.setPen(QtPen(it.pen, s));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(
                    QRectF(QPointF(it.x1 * s, it.y1 * s), QPointF(it.x2 * s, it.y2 * s))
                        .normalized());
                break;
        }
    }
}

void RenderReport(QPainter& painter, QPagedPaintDevice& device, const ReportDocument& doc) {
    const double dpi = device.logicalDpiX();
    for (std::size_t p = 0; p < doc.pages.size(); ++p) {
        if (p > 0) device.newPage();
        RenderReportPage(painter, doc, p, dpi);
    }
}

bool PrintReport(QPrinter& printer, const ReportDocument& doc) {
    printer.setFullPage(true);
    printer.setPageLayout(ReportPageLayout(doc));
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    // Honour the range the user chose in the print dialog.
    std::size_t first = 0, last = doc.pages.empty() ? 0 : doc.pages.size() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = static_cast<std::size_t>(printer.fromPage() - 1);
        last = std::min(last, static_cast<std::size_t>(printer.toPage() - 1));
    }
    const double dpi = printer.logicalDpiX();
    for (std::size_t p = first; p <= last && p < doc.pages.size(); ++p) {
        if (p > first) printer.newPage();
        RenderReportPage(painter, doc, p, dpi);
    }
    return painter.end();
}

bool WriteReportPdf(const ReportDocument& doc, const std::string& path, std::string* error) {
    QPdfWriter writer(QString::fromStdString(path));
    if (!writer.setPageLayout(ReportPageLayout(doc))) {
        if (error) *error = "formato di pagina non valido";
        return false;
    }
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("VELTRANO"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        if (error) *error = "impossibile scrivere il file " + path;
        return false;
    }
    RenderReport(painter, writer, doc);
    if (!painter.end()) {
        if (error) *error = "errore di scrittura del file " + path;
        return false;
    }
    if (!QFile::exists(QString::fromStdString(path))) {
        if (error) *error = "impossibile scrivere il file " + path;
        return false;
    }
    return true;
}

}  // namespace veltrano
