#include "admin/record_kinds.h"

#include <array>

#include "core/table_record.h"
#include "registers/movement.h"
#include "shell/company_record.h"

namespace veltrano::admin {
namespace {

using L = MovementRecord::Layout;

constexpr std::array<std::string_view, 8> kRegisterExtensions = {"CTT", "CND", "MPR", "PRV",
                                                                 "DER", "GMP", "GMS", "GCN"};
constexpr std::array<std::string_view, 6> kMachineExtensions = {"SND", "RCV", "CTS",
                                                                "CTR", "TCH", "TFR"};

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& list, std::string_view s) {
    for (const auto& e : list) {
        if (e == s) return true;
    }
    return false;
}

bool endsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// The movement layout; `amounts` for the conditioned-beer register, where
// DATFLU holds the transfer duty and DATPRE a guarantee or deposit amount.
std::vector<Field> movementFields(bool amounts) {
    const FieldType second = amounts ? FieldType::Double : FieldType::Date;
    return {
        {"NUMMOV", FieldType::Integer, L::NUMMOV},
        {"NUMRIF", FieldType::Integer, L::NUMRIF},
        {"NUMAUX", FieldType::Integer, L::NUMAUX},
        {"DATFLU", second, L::DATFLU},
        {"NUMFLU", FieldType::Integer, L::NUMFLU},
        {"TIPRET", FieldType::Text, L::TIPRET, L::wTIPRET},
        {"TIPOPE", FieldType::Text, L::TIPOPE, L::wTIPOPE},
        {"TIPREC", FieldType::Text, L::TIPREC, L::wTIPREC},
        {"CODPAE", FieldType::Text, L::CODPAE, L::wCODPAE},
        {"DATMOV", FieldType::Date, L::DATMOV},
        {"NUMCTT", FieldType::Integer, L::NUMCTT},
        {"TIPMOV", FieldType::Text, L::TIPMOV, L::wTIPMOV},
        {"NUMDOC", FieldType::Text, L::NUMDOC, L::wNUMDOC},
        {"TBIRRA", FieldType::Text, L::TBIRRA, L::wTBIRRA},
        {"DATPRE", second, L::DATPRE},
        {"LITPRE", FieldType::Double, L::LITPRE},
        {"GRAPRE", FieldType::Double, L::GRAPRE},
        {"RESPRE", FieldType::Double, L::RESPRE},
        {"INIZIO", FieldType::Integer, L::INIZIO},
        {"FINALE", FieldType::Integer, L::FINALE},
        {"LITRII", FieldType::Double, L::LITRII},
        {"GRAREA", FieldType::Double, L::GRAREA},
        {"LMOSTO", FieldType::Text, L::LMOSTO, L::wLMOSTO},
        {"ANNOTA", FieldType::Text, L::ANNOTA, L::wANNOTA},
        {"KIWATT", FieldType::Double, L::KIWATT},
        {"MECUBI", FieldType::Double, L::MECUBI},
        {"KILOGR", FieldType::Double, L::KILOGR},
        {"ELITRI", FieldType::Double, L::ELITRI},
    };
}

std::vector<Field> tableFields() {
    using T = TableRecord;
    std::vector<Field> f;
    f.push_back({"ID", FieldType::Integer, T::OffsetID});
    const auto slot = [](const char* name, std::size_t k) {
        return std::string(name) + "[" + std::to_string(k) + "]";
    };
    for (std::size_t k = 0; k < T::kSlots; ++k) {
        f.push_back({slot("STR1", k), FieldType::Text, T::OffsetSTR1(k), T::kTextWidth});
    }
    for (std::size_t k = 0; k < T::kSlots; ++k) {
        f.push_back({slot("STR2", k), FieldType::Text, T::OffsetSTR2(k), T::kTextWidth});
    }
    for (std::size_t k = 0; k < T::kSlots; ++k) {
        f.push_back({slot("INTERI", k), FieldType::Integer, T::OffsetINTERI(k)});
    }
    for (std::size_t k = 0; k < T::kSlots; ++k) {
        f.push_back({slot("REALI1", k), FieldType::Double, T::OffsetREALI1(k)});
    }
    for (std::size_t k = 0; k < T::kSlots; ++k) {
        f.push_back({slot("REALI2", k), FieldType::Double, T::OffsetREALI2(k)});
    }
    for (std::size_t k = 0; k < T::kSlots; ++k) {
        f.push_back({slot("REALI3", k), FieldType::Double, T::OffsetREALI3(k)});
    }
    return f;
}

std::vector<Field> companyFields() {
    using C = CompanyRecord::Layout;
    const auto text = [](const char* name, std::size_t off, std::size_t width) {
        return Field{name, FieldType::Text, off, width};
    };
    return {
        {"leading", FieldType::Integer, C::leading},
        text("CACCI1", C::CACCI1, C::wCACCI1),
        text("reserved23", C::reserved23, C::wreserved23),
        text("DENOM1", C::DENOM1, C::wDENOM1),
        text("DENOM2", C::DENOM2, C::wDENOM2),
        text("PARIVA", C::PARIVA, C::wPARIVA),
        text("CODFIS", C::CODFIS, C::wCODFIS),
        text("INDIR1", C::INDIR1, C::wINDIR1),
        text("INDIR2", C::INDIR2, C::wINDIR2),
        text("addressComplement", C::addressComplement, C::waddressComplement),
        text("reserved417", C::reserved417, C::wreserved417),
        text("C_A_P1", C::C_A_P1, C::wC_A_P1),
        text("C_A_P2", C::C_A_P2, C::wC_A_P2),
        text("CITTA1", C::CITTA1, C::wCITTA1),
        text("CITTA2", C::CITTA2, C::wCITTA2),
        text("CODUTE", C::CODUTE, C::wCODUTE),
        text("UFFDO1", C::UFFDO1, C::wUFFDO1),
        text("reserved567", C::reserved567, C::wreserved567),
        text("officeTail", C::officeTail, C::wofficeTail),
        text("DENOM2tail", C::DENOM2tail, C::wDENOM2tail),
        text("CAUESO", C::CAUESO, C::wCAUESO),
        text("TIPOIN", C::TIPOIN, C::wTIPOIN),
    };
}

bool isCompanyFile(std::string_view name) {
    return name == "UTENTE.001";
}

bool isConditionedYearFile(std::string_view name) {
    const auto y = ParseYearFileName(name);
    return y && y->extension == "CND";
}

bool isOtherMovementYearFile(std::string_view name) {
    const auto y = ParseYearFileName(name);
    return y && y->extension != "CND" &&
           (IsRegisterExtension(y->extension) || IsMachineExtension(y->extension));
}

bool isTableFile(std::string_view name) {
    if (name.size() <= 4) return false;  // an extension alone is no name
    if (endsWith(name, ".TAB") || endsWith(name, ".STR") || endsWith(name, ".CFG") ||
        endsWith(name, ".RCT")) {
        return true;
    }
    return name.starts_with("ACCOUNT") && endsWith(name, ".DAT");
}

}  // namespace

const std::vector<RecordKind>& RecordKinds() {
    static const std::vector<RecordKind> kinds = {
        {"registro dei movimenti", MovementRecord::kSize, movementFields(true),
         isConditionedYearFile},
        {"registro dei movimenti", MovementRecord::kSize, movementFields(false),
         isOtherMovementYearFile},
        {"tabella", TableRecord::kSize, tableFields(), isTableFile},
        {"dati della ditta", CompanyRecord::kSize, companyFields(), isCompanyFile},
    };
    return kinds;
}

const RecordKind* FindRecordKind(std::string_view fileName) {
    const std::string upper = ToUpperAscii(BaseName(fileName));
    for (const auto& k : RecordKinds()) {
        if (k.matches(upper)) return &k;
    }
    return nullptr;
}

std::optional<YearFileName> ParseYearFileName(std::string_view fileName) {
    const std::string name = ToUpperAscii(BaseName(fileName));
    if (name.size() != 8 || name[4] != '.') return std::nullopt;
    int year = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        if (name[k] < '0' || name[k] > '9') return std::nullopt;
        year = year * 10 + (name[k] - '0');
    }
    std::string ext = name.substr(5);
    if (!IsRegisterExtension(ext) && !IsMachineExtension(ext)) return std::nullopt;
    return YearFileName{year, ext};
}

bool IsRegisterExtension(std::string_view ext) {
    return contains(kRegisterExtensions, ext);
}
bool IsMachineExtension(std::string_view ext) {
    return contains(kMachineExtensions, ext);
}
bool IsStockExtension(std::string_view ext) {
    return ext == "GMP" || ext == "GMS" || ext == "GCN";
}

std::string BaseName(std::string_view path) {
    const auto slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ToUpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

}  // namespace veltrano::admin
