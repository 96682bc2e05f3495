#include "platform/report/report_preview.h"

#include <QtGui/QPainter>
#include <QtPrintSupport/QPrintDialog>
#include <QtPrintSupport/QPrintPreviewWidget>
#include <QtPrintSupport/QPrinter>
#include <QtPrintSupport/QPrinterInfo>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QVBoxLayout>

#include "platform/report/report_render.h"

namespace veltrano {

std::vector<std::string> QtPrinterCatalog::printerNames() const {
    std::vector<std::string> out;
    for (const QString& n : QPrinterInfo::availablePrinterNames())
        out.push_back(n.toStdString());
    return out;
}

bool QtPrinterCatalog::paperOf(const std::string& name, PaperSize& paper) const {
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(name));
    if (info.isNull()) return false;
    const QPageSize size = info.defaultPageSize();
    if (size.isValid()) {
        const QSizeF pt = size.size(QPageSize::Point);
        if (pt.width() > 0 && pt.height() > 0) paper = {pt.width(), pt.height()};
    }
    return true;
}

ReportPreviewDialog::ReportPreviewDialog(ReportDocument document, const QString& caption,
                                         QWidget* parent)
    : QDialog(parent), doc_(std::move(document)), printer_(std::make_unique<QPrinter>()) {
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    if (!doc_.printerName.empty())
        printer_->setPrinterName(QString::fromStdString(doc_.printerName));
    printer_->setFullPage(true);
    printer_->setPageLayout(ReportPageLayout(doc_));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QToolBar(this);
    layout->addWidget(bar);
    view_ = new QPrintPreviewWidget(printer_.get(), this);
    layout->addWidget(view_, 1);

    bar->addAction(QStringLiteral("|<"), this, [this] { goToPage(1); })
        ->setToolTip(QStringLiteral("Prima pagina"));
    bar->addAction(QStringLiteral("<"), this, [this] { goToPage(currentPage() - 1); })
        ->setToolTip(QStringLiteral("Pagina precedente"));
    pageLabel_ = new QLabel(this);
    pageLabel_->setMinimumWidth(120);
    pageLabel_->setAlignment(Qt::AlignCenter);
    bar->addWidget(pageLabel_);
    bar->addAction(QStringLiteral(">"), this, [this] { goToPage(currentPage() + 1); })
        ->setToolTip(QStringLiteral("Pagina successiva"));
    bar->addAction(QStringLiteral(">|"), this, [this] { goToPage(pageCount()); })
        ->setToolTip(QStringLiteral("Ultima pagina"));
    bar->addSeparator();
    bar->addAction(QStringLiteral("Adatta"), this, [this] { fitPage(); })
        ->setToolTip(QStringLiteral("Pagina intera"));
    bar->addAction(QStringLiteral("Larghezza"), this, [this] { view_->fitToWidth(); })
        ->setToolTip(QStringLiteral("Adatta alla larghezza"));
    bar->addAction(QStringLiteral("+"), this, [this] { view_->zoomIn(1.25); })
        ->setToolTip(QStringLiteral("Ingrandisci"));
    bar->addAction(QStringLiteral("-"), this, [this] { view_->zoomOut(1.25); })
        ->setToolTip(QStringLiteral("Riduci"));
    bar->addSeparator();
    bar->addAction(QStringLiteral("&Stampa..."), this, [this] { print(); });
    bar->addAction(QStringLiteral("Salva &PDF..."), this, [this] { askAndSavePdf(); });
    bar->addSeparator();
    bar->addAction(QStringLiteral("&Chiudi"), this, [this] { accept(); });

    connect(view_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* p) {
        QPainter painter(p);
        RenderReport(painter, *p, doc_);
    });
    connect(view_, &QPrintPreviewWidget::previewChanged, this, [this] { updatePageLabel(); });
    view_->setViewMode(QPrintPreviewWidget::SinglePageView);
    view_->updatePreview();
    fitPage();
    setWindowState(windowState() | Qt::WindowMaximized);
}

ReportPreviewDialog::~ReportPreviewDialog() {
    // The view paints through the printer: it goes first.
    delete view_;
    view_ = nullptr;
}

int ReportPreviewDialog::pageCount() const {
    return view_->pageCount();
}
int ReportPreviewDialog::currentPage() const {
    return view_->currentPage();
}

void ReportPreviewDialog::goToPage(int page) {
    if (pageCount() == 0) return;
    view_->setCurrentPage(std::clamp(page, 1, pageCount()));
    updatePageLabel();
}

void ReportPreviewDialog::fitPage() {
    view_->setZoomMode(QPrintPreviewWidget::FitInView);
}

void ReportPreviewDialog::updatePageLabel() {
    pageLabel_->setText(QStringLiteral("Pagina %1 di %2").arg(currentPage()).arg(pageCount()));
}

void ReportPreviewDialog::print() {
    // A printer of its own: the preview's stays untouched.
    QPrinter printer(QPrinter::HighResolution);
    if (!doc_.printerName.empty()) printer.setPrinterName(QString::fromStdString(doc_.printerName));
    printer.setFullPage(true);
    printer.setPageLayout(ReportPageLayout(doc_));
    printer.setFromTo(1, pageCount());
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    dialog.setMinMax(1, std::max(1, pageCount()));
    if (dialog.exec() != QDialog::Accepted) return;
    if (!PrintReport(printer, doc_))
        QMessageBox::warning(
            this, windowTitle(),
            QStringLiteral("Stampa non riuscita sulla stampante %1").arg(printer.printerName()));
}

bool ReportPreviewDialog::saveAsPdf(const QString& path) {
    std::string error;
    if (WriteReportPdf(doc_, path.toStdString(), &error)) return true;
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(error));
    return false;
}

void ReportPreviewDialog::askAndSavePdf() {
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Salva come PDF"), QString(),
                                                QStringLiteral("Documenti PDF (*.pdf)"));
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    saveAsPdf(path);
}

void QtReportViewer::show(ReportDocument document, const std::string& caption) {
    ReportPreviewDialog dialog(std::move(document), QString::fromStdString(caption), parent_);
    dialog.exec();
}

DefaultPrinterDialog::DefaultPrinterDialog(DefaultPrinterForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
    setObjectName(QStringLiteral("TFIMPOSTALASTAMPANTE"));
    setWindowTitle(QString::fromUtf8(DefaultPrinterForm::kCaption));
    form_.open();
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("LISTA"));
    for (const auto& name : form_.printers())
        list_->addItem(QString::fromStdString(name));
    if (form_.selected() >= 0) list_->setCurrentRow(form_.selected());
    layout->addWidget(list_);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("&CONFERMA"), this);
    ok->setObjectName(QStringLiteral("BCONF"));
    auto* cancel = new QPushButton(QStringLiteral("&Abbandona"), this);
    cancel->setObjectName(QStringLiteral("BABBANDONA"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { form_.select(row); });
    connect(ok, &QPushButton::clicked, this, [this] {
        form_.confirm();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        form_.abandon();
        reject();
    });
}

}  // namespace veltrano
