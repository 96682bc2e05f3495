// The print dialog's behaviour and the print settings files, without widgets.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/dates.h"
#include "core/file_io.h"
#include "core/folders.h"
#include "core/io_error.h"
#include "core/record_file.h"
#include "core/table_record.h"
#include "platform/report/qt_text_metrics.h"
#include "prints/print_dialog.h"
#include "prints/print_settings.h"
#include "prints/wort_print.h"
#include "registers/year_files.h"

namespace veltrano {
namespace {

namespace fs = std::filesystem;

class PrintDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("veltrano_dialog_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        folders_ = Folders::At((root_ / "work").string(), (root_ / "tmp").string());
        folders_.create();
        company_.UFFDO1 = "ITMIC0";
    }
    void TearDown() override { fs::remove_all(root_); }

    void WriteOffices() {
        RecordFile f =
            RecordFile::Empty(JoinPath(folders_.datiGen, "TA03.TAB"), TableRecord::kSize);
        for (auto [code, name] : {std::pair{"ITCOM1", "COMO"}, std::pair{"ITMIC0", "MILANO 1"}}) {
            TableRecord r;
            TableBlank(r);
            r.STR1[0] = code;
            r.STR1[1] = name;
            TablePad(r);
            f.append(r.encode());
        }
        f.commit(true);
    }
    RegisterPrintDialog Dialog() {
        return RegisterPrintDialog(folders_, "Registro del Mosto", "CTT",
                                   [this](const PrintRequest& r) { runs_.push_back(r); });
    }

    fs::path root_;
    Folders folders_;
    PrintCompany company_;
    std::vector<PrintRequest> runs_;
};

TEST_F(PrintDialogTest, DefaultsFollowTodayAndTheMenuTag) {
    struct Case {
        int tag;
        CivilDate today;
        const char* caption;
        const char* from;
        const char* year;
    } cases[] = {
        {1, {2025, 10, 31}, "Registro del Mosto per GIORNO", "01/10/2025", "2025"},
        {2, {2025, 11, 3}, "Registro del Mosto per PERIODO", "01/11/2025", "2026"},
        {2, {2025, 12, 31}, "Registro del Mosto per PERIODO", "01/12/2025", "2026"},
        {1, {2026, 1, 1}, "Registro del Mosto per GIORNO", "01/01/2026", "2026"},
    };
    for (const Case& c : cases) {
        RegisterPrintDialog d = Dialog();
        const double today = EncodeDate(c.today);
        d.open(c.tag, today, company_);
        EXPECT_EQ(d.caption(), c.caption);
        EXPECT_EQ(d.text("MDADA"), c.from);
        EXPECT_EQ(d.text("MDAAL"), FormatDate(today));
        EXPECT_EQ(d.text("INTERI0"), c.year) << FormatDate(today);
        EXPECT_EQ(d.text("RTIPO"), "1");
        EXPECT_EQ(d.text("IDAPAG"), "1");
        EXPECT_EQ(d.text("ST12501"), "");  // no TA03 table
        EXPECT_EQ(d.takeFocus(), "MDADA");
    }
}

TEST_F(PrintDialogTest, VisibilityFollowsTheChoice) {
    RegisterPrintDialog d = Dialog();
    d.open(2, EncodeDate(2025, 5, 10), company_);
    const std::vector<std::string> datesGroup = {"MDADA", "MDAAL", "ST12502"};
    const std::vector<std::string> panel = {"IDAPAG",  "MFOGLI",  "DIFOGLI", "INTERI0",
                                            "ST12501", "ST12500", "CTEST",   "CMANUALE"};
    for (int choice : {0, 1, 2}) {
        d.type("RTIPO", std::to_string(choice));
        for (const auto& f : datesGroup)
            EXPECT_EQ(d.visible(f), choice != 2) << f << choice;
        for (const auto& f : panel)
            EXPECT_EQ(d.visible(f), choice == 2) << f << choice;
        EXPECT_EQ(d.visible("INTERI2"), choice == 1) << choice;
    }
}

TEST_F(PrintDialogTest, OfficeProposalAndSettingsRoundTrip) {
    WriteOffices();
    {
        RegisterPrintDialog d = Dialog();
        d.open(2, EncodeDate(2025, 5, 10), company_);
        EXPECT_EQ(d.text("ST12501"), "ITMIC0 di MILANO 1");
        EXPECT_EQ(d.text("ST12502"), "");  // no settings file yet
        d.type("ST12500", "Aut. 55/2024");
        d.type("ST12502", "Prot. 9 del 07/01/2025");
        d.type("INTERI2", "4x");
        d.type("ST12501", "ITMIC0 di MILANO 1 - SEZIONE OPERATIVA TERRITORIALE DI LEGNANO EXTRA");
        EXPECT_EQ(d.text("ST12501").size(), 50u);
        EXPECT_EQ(d.text("INTERI2"), "4");
        ASSERT_TRUE(d.confirm());
        ASSERT_EQ(runs_.size(), 1u);
        EXPECT_EQ(runs_[0].protocolLine, 4);
        EXPECT_EQ(runs_[0].choice, PrintChoice::ValidatedSheets);
        EXPECT_EQ(runs_[0].sheets, 1);
        EXPECT_EQ(runs_[0].firstPage, 1);
        EXPECT_FALSE(runs_[0].perDay);
        EXPECT_EQ(runs_[0].from, EncodeDate(2025, 5, 1));
        EXPECT_EQ(runs_[0].to, EncodeDate(2025, 5, 10));
    }
    // One record of 5304 bytes, texts padded with blanks to 250.
    const auto bytes = ReadWholeFile(BookSettingsPath(folders_, "CTT"));
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), TableRecord::kSize);
    const TableRecord raw = TableRecord::decode(*bytes);
    EXPECT_EQ(raw.STR1[2].size(), 250u);
    EXPECT_EQ(raw.STR1[2].substr(0, 22), "Prot. 9 del 07/01/2025");
    EXPECT_EQ(raw.STR1[2].back(), ' ');
    EXPECT_EQ(raw.INTERI[0], 2025);
    EXPECT_EQ(raw.INTERI[2], 4);
    EXPECT_EQ(raw.INTERI[1], 0);
    const auto s = ReadBookSettings(folders_, "CTT");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->authorisation, "Aut. 55/2024");
    EXPECT_EQ(s->office.size(), 50u);

    // Reopened: ST12500, ST12502 and INTERI2 come back; the office is proposed
    // again from the company data.
    RegisterPrintDialog again = Dialog();
    again.open(1, EncodeDate(2025, 6, 2), company_);
    EXPECT_EQ(again.text("ST12500"), "Aut. 55/2024");
    EXPECT_EQ(again.text("ST12502"), "Prot. 9 del 07/01/2025");
    EXPECT_EQ(again.text("INTERI2"), "4");
    EXPECT_EQ(again.text("ST12501"), "ITMIC0 di MILANO 1");
    // Another register's file is another file.
    EXPECT_FALSE(ReadBookSettings(folders_, "CND"));
}

TEST_F(PrintDialogTest, InvalidDatesSendTheFocusBackAndPrintNothing) {
    struct Case {
        const char* from;
        const char* to;
        bool valid;
    } cases[] = {
        {"01/03/2025", "31/03/2025", true},  {"01/03/2025", "01/03/2025", true},
        {"31/12/2100", "31/12/2100", true},  {"01/03/2025", "28/02/2025", false},
        {"01/12/2025", "05/01/2026", false}, {"01/01/1999", "31/01/1999", false},
        {"01/01/2101", "02/01/2101", false}, {"31/02/2025", "28/03/2025", false},
        {"", "31/03/2025", false},
    };
    for (const Case& c : cases) {
        runs_.clear();
        fs::remove(BookSettingsPath(folders_, "CTT"));
        RegisterPrintDialog d = Dialog();
        d.open(1, EncodeDate(2025, 3, 15), company_);
        d.takeFocus();
        d.type("RTIPO", "0");
        d.type("MDADA", c.from);
        d.type("MDAAL", c.to);
        EXPECT_EQ(d.leave("MDAAL"), c.valid) << c.from << " " << c.to;
        EXPECT_EQ(d.confirm(), c.valid) << c.from << " " << c.to;
        EXPECT_EQ(runs_.size(), c.valid ? 1u : 0u);
        EXPECT_EQ(FileExists(BookSettingsPath(folders_, "CTT")), c.valid);
        if (!c.valid) {
            EXPECT_EQ(d.takeFocus(), "MDADA");
        }
    }
    RegisterPrintDialog d = Dialog();
    d.open(1, EncodeDate(2025, 3, 15), company_);
    d.type("MDADA", "01/03/2025");
    d.type("MDAAL", "31/03/2025");
    EXPECT_EQ(d.days(), 31);
}

TEST_F(PrintDialogTest, HeadingBookAndTestRequests) {
    RegisterPrintDialog d = Dialog();
    d.open(2, EncodeDate(2025, 11, 20), company_);
    d.type("RTIPO", "2");
    d.type("IDAPAG", "7");
    d.type("MFOGLI", "100");
    ASSERT_TRUE(d.leave("MFOGLI"));
    EXPECT_EQ(d.text("DIFOGLI"), " di 100 Es. Fin. 2026");
    // Changing the year afterwards keeps the numbering text in step.
    d.type("INTERI0", "2025");
    d.leave("INTERI0");
    EXPECT_EQ(d.text("DIFOGLI"), " di 100 Es. Fin. 2025");
    d.type("MDADA", "not a date");  // hidden and unused for headings only
    ASSERT_TRUE(d.confirm());
    ASSERT_EQ(runs_.size(), 1u);
    EXPECT_EQ(runs_[0].choice, PrintChoice::HeadingsOnly);
    EXPECT_EQ(runs_[0].sheets, 100);
    EXPECT_EQ(runs_[0].firstPage, 7);
    EXPECT_EQ(runs_[0].sheetsText, " di 100 Es. Fin. 2025");
    EXPECT_EQ(runs_[0].financialYear, 2025);

    d.type("CTEST", "1");
    d.type("CMANUALE", "1");
    EXPECT_FALSE(d.confirm());  // the test register needs valid dates
    d.type("MDADA", "01/11/2025");
    ASSERT_TRUE(d.confirm());
    EXPECT_EQ(runs_.back().choice, PrintChoice::Test);
    EXPECT_TRUE(runs_.back().manual);

    // A choice of 0 or 1 prints one sheet whatever MFOGLI says, and CTEST is
    // hidden there so it does not count.
    d.type("RTIPO", "0");
    ASSERT_TRUE(d.confirm());
    EXPECT_EQ(runs_.back().choice, PrintChoice::PlainSheets);
    EXPECT_EQ(runs_.back().sheets, 1);
}

TEST_F(PrintDialogTest, SecondConfirmationWhileRunningIsIgnored) {
    int nested = 0;
    RegisterPrintDialog* self = nullptr;
    RegisterPrintDialog d(folders_, "Registro del Mosto", "CTT", [&](const PrintRequest&) {
        ++nested;
        EXPECT_TRUE(self->running());
        EXPECT_FALSE(self->confirm());
    });
    self = &d;
    d.open(2, EncodeDate(2025, 5, 10), company_);
    EXPECT_TRUE(d.confirm());
    EXPECT_EQ(nested, 1);
    EXPECT_FALSE(d.running());
    EXPECT_TRUE(d.confirm());
    EXPECT_EQ(nested, 2);
}

TEST_F(PrintDialogTest, PrinterFile) {
    EXPECT_FALSE(ReadPrinterName(folders_));
    WritePrinterName(folders_, "HP LaserJet Ufficio");
    EXPECT_EQ(ReadPrinterName(folders_), "HP LaserJet Ufficio");
    const auto raw = ReadWholeFile(PrinterFilePath(folders_));
    ASSERT_TRUE(raw);
    EXPECT_EQ(std::string(raw->begin(), raw->end()), "HP LaserJet Ufficio\r\n");
    // Only the first line counts; an empty first line means the default printer.
    const std::string two = "Kyocera Magazzino\nseconda riga\n";
    ReplaceFileAtomically(PrinterFilePath(folders_),
                          ByteSpan(reinterpret_cast<const std::uint8_t*>(two.data()), two.size()));
    EXPECT_EQ(ReadPrinterName(folders_), "Kyocera Magazzino");
    const std::string empty = "\r\nKyocera\r\n";
    ReplaceFileAtomically(
        PrinterFilePath(folders_),
        ByteSpan(reinterpret_cast<const std::uint8_t*>(empty.data()), empty.size()));
    EXPECT_FALSE(ReadPrinterName(folders_));
}

}  // namespace
}  // namespace veltrano

namespace veltrano {
namespace {

class KeepingViewer : public ReportViewer {
public:
    void show(ReportDocument d, const std::string& caption) override {
        shown.push_back({std::move(d), caption});
    }
    std::vector<std::pair<ReportDocument, std::string>> shown;
};

class OnePrinter : public PrinterCatalog {
public:
    std::vector<std::string> printerNames() const override { return {"Ufficio"}; }
    bool paperOf(const std::string& n, PaperSize& p) const override {
        p = {612, 792};
        return n == "Ufficio";
    }
};

TEST_F(PrintDialogTest, WortFormRunsTheRegisterIntoThePreview) {
    RecordFile f = RecordFile::Empty(YearFilePath(folders_, 2025, "CTT"), MovementRecord::kSize);
    MovementRecord r;
    MovementBlank(r);
    r.NUMMOV = 1;
    r.DATMOV = EncodeDate(2025, 5, 6);
    r.TIPMOV = "C";
    r.NUMDOC = "12";
    r.TBIRRA = "BIONDA";
    r.LITRII = 1010.5;
    r.LMOSTO = "M25-012";
    MovementPad(r);
    f.append(r.encode());
    f.commit(true);
    WritePrinterName(folders_, "Ufficio");

    QtTextMetrics metrics;
    KeepingViewer viewer;
    OnePrinter printers;
    auto dialog = MakeWortPrintDialog(folders_, metrics, &printers, viewer);
    company_.block.DENOM1 = "BIRRIFICIO DEL LAGO SRL";
    dialog->open(2, EncodeDate(2025, 5, 20), company_);
    dialog->type("RTIPO", "0");
    ASSERT_TRUE(dialog->confirm());
    ASSERT_EQ(viewer.shown.size(), 1u);
    const ReportDocument& d = viewer.shown[0].first;
    EXPECT_EQ(viewer.shown[0].second, "Registro del Mosto per PERIODO");
    EXPECT_EQ(d.printerName, "Ufficio");
    EXPECT_EQ(d.orientation, Orientation::Landscape);
    EXPECT_EQ(d.pageWidth, 792);  // the printer's Letter paper, turned
    EXPECT_EQ(d.find("BIRRIFICIO DEL LAGO SRL").size(), 1u);
    EXPECT_EQ(d.find("M25-012").size(), 1u);
    EXPECT_EQ(d.find("1.010,5").size(), 2u);  // the row and the closing total
    EXPECT_EQ(d.find("Pagina 1").size(), 1u);
}

TEST_F(PrintDialogTest, DamagedYearFileEndsThePrintButKeepsTheSettings) {
    const std::string path = YearFilePath(folders_, 2025, "CTT");
    const std::string junk(MovementRecord::kSize + 7, 'x');
    ReplaceFileAtomically(
        path, ByteSpan(reinterpret_cast<const std::uint8_t*>(junk.data()), junk.size()));
    QtTextMetrics metrics;
    KeepingViewer viewer;
    auto dialog = MakeWortPrintDialog(folders_, metrics, nullptr, viewer);
    dialog->open(2, EncodeDate(2025, 5, 20), company_);
    dialog->type("ST12502", "Prot. 3");
    EXPECT_THROW(dialog->confirm(), DamagedFile);
    EXPECT_FALSE(dialog->running());
    EXPECT_TRUE(viewer.shown.empty());
    const auto s = ReadBookSettings(folders_, "CTT");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->protocol, "Prot. 3");
    // The file itself is left as it was.
    EXPECT_EQ(fs::file_size(path), junk.size());
}

}  // namespace
}  // namespace veltrano
