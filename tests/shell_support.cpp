#include "shell_support.h"

#include <cstdlib>
#include <filesystem>

#include "core/dates.h"
#include "core/file_io.h"
#include "core/record_file.h"

namespace veltrano::testing {

bool ScriptedDialogs::answer(const std::string& kind, const std::string& text) {
    shown.push_back({kind, text});
    if (answers.empty()) {
        ADD_FAILURE() << "unscripted question: " << text;
        return false;
    }
    const bool a = answers.front();
    answers.pop_front();
    return a;
}

int ScriptedDialogs::chooseFromList(const std::string& table) {
    shown.push_back({"list", table});
    if (listChoices.empty()) return -1;
    const int id = listChoices.front();
    listChoices.pop_front();
    return id;
}

int ScriptedDialogs::pickMovement(const std::string& state, int year) {
    shown.push_back({"picker", state + ":" + std::to_string(year)});
    return -1;
}

WindowResult ScriptedDialogs::open(const std::string& window, const std::string& mode) {
    shown.push_back({"open", window + (mode.empty() ? "" : " " + mode)});
    if (windowResults.empty()) return {};
    WindowResult r = windowResults.front();
    windowResults.pop_front();
    return r;
}

std::optional<std::string> ScriptedDialogs::chooseFile(const std::string& startPath) {
    shown.push_back({"file", startPath});
    if (files.empty()) return std::nullopt;
    auto f = files.front();
    files.pop_front();
    return f;
}

std::vector<std::string> ScriptedDialogs::messages() const {
    std::vector<std::string> out;
    for (const auto& s : shown) {
        if (s.kind == "inform" || s.kind == "warn") out.push_back(s.text);
    }
    return out;
}

TempWorkFolder::TempWorkFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "veltrano-shell-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp");
    root_ = pattern;
    folders_ = Folders::At(root_ + "/work", root_ + "/temp");
    MakeFolders(folders_.work);
}

TempWorkFolder::~TempWorkFolder() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
}

CompanyRecord SampleCompany() {
    CompanyRecord c;
    CompanyBlank(c);
    c.CACCI1 = "IT00ABA123456";
    c.DENOM1 = "Birrificio Val Brenta S.r.l. ";
    c.PARIVA = "01234567897";
    c.CODFIS = "01234567897";
    c.INDIR1 = "Via Roma 12 ";
    c.C_A_P1 = "36061 ";
    c.CITTA1 = "BASSANO DEL GRAPPA ";
    c.CODUTE = "AB12";
    c.UFFDO1 = "VI01";
    c.INDIR2 = "VALBRENTA01";
    c.CITTA2 = "segreta!";
    c.C_A_P2 = "01/10/2026";
    c.DENOM2 = "https://example.test/psw?UC=1&";
    c.DENOM2tail = "SC=1&ST=1";
    c.CAUESO = "C";
    c.TIPOIN = "S";
    return c;
}

void WriteCompany(const Session& s, const CompanyRecord& rec) {
    MakeFolders(s.folders.datiGen);
    SaveCompanyRecord(s.companyPath(), rec);
}

void WriteCompleteSettings(const Session& s) {
    MakeFolders(s.folders.datiGen);
    MakeFolders(s.folders.temp);
    TableRecord signing;
    TableBlank(signing);
    signing.STR1[1] = "/srv/firma/dafirmare/";
    signing.STR1[2] = "/srv/firma/firmati/";
    SaveSettingsRecord(s.signingPath(), signing);
    TableRecord web;
    TableBlank(web);
    web.STR1[3] = "https://edi.example.test/reale";
    web.STR1[5] = "https://edi.example.test/prova";
    web.STR1[7] = "https://www.example.test/";
    SaveSettingsRecord(s.webPath(), web);
}

void WriteOfficeTable(const Folders& f,
                      const std::vector<std::pair<std::string, std::string>>& offices) {
    MakeFolders(f.datiGen);
    TableStructure st;
    st.searchFields = 1;
    st.name = "TA03";
    st.title = "UFFICI DOGANALI";
    st.columns = "CODICE;DESCRIZIONE";
    st.sizes[0] = 8;
    st.sizes[1] = 60;
    st.labels[0] = "CODICE";
    st.labels[1] = "DESCRIZIONE";
    TableRecord str = st.toRecord();
    TablePad(str);
    ReplaceFileAtomically(JoinPath(f.datiGen, "TA03.STR"), str.encode());
    struct Silent : Prompt {
        void message(const std::string&) override {}
        bool askYesNo(const std::string&) override { return false; }
    } silent;
    for (const auto& [code, description] : offices) {
        TableRecord e;
        TableBlank(e);
        e.STR1[0] = code;
        e.STR1[1] = description;
        e.STR2[0] = "TA03";
        TableInsertOrdered(JoinPath(f.datiGen, "TA03.TAB"), e, silent);
    }
}

void AppendMovement(const std::string& path, const MovementRecord& rec) {
    RecordFile file = RecordFile::OpenOrCreate(path, MovementRecord::kSize);
    MovementRecord padded = rec;
    MovementPad(padded);
    file.append(padded.encode());
    file.commit();
}

Bytes FileBytes(const std::string& path) {
    return ReadWholeFile(path).value_or(Bytes{});
}

double Date(int year, int month, int day) {
    return EncodeDate(year, month, day);
}

}  // namespace veltrano::testing
