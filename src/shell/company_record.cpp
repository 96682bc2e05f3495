#include "shell/company_record.h"

#include <array>

namespace veltrano {
namespace {

// Every text field with its offset and width, in record order.
template <class Rec, class F>
void ForEachText(Rec& r, F&& f) {
    using L = CompanyRecord::Layout;
    f(r.CACCI1, L::CACCI1, L::wCACCI1);
    f(r.reserved23, L::reserved23, L::wreserved23);
    f(r.DENOM1, L::DENOM1, L::wDENOM1);
    f(r.DENOM2, L::DENOM2, L::wDENOM2);
    f(r.PARIVA, L::PARIVA, L::wPARIVA);
    f(r.CODFIS, L::CODFIS, L::wCODFIS);
    f(r.INDIR1, L::INDIR1, L::wINDIR1);
    f(r.INDIR2, L::INDIR2, L::wINDIR2);
    f(r.addressComplement, L::addressComplement, L::waddressComplement);
    f(r.reserved417, L::reserved417, L::wreserved417);
    f(r.C_A_P1, L::C_A_P1, L::wC_A_P1);
    f(r.C_A_P2, L::C_A_P2, L::wC_A_P2);
    f(r.CITTA1, L::CITTA1, L::wCITTA1);
    f(r.CITTA2, L::CITTA2, L::wCITTA2);
    f(r.CODUTE, L::CODUTE, L::wCODUTE);
    f(r.UFFDO1, L::UFFDO1, L::wUFFDO1);
    f(r.reserved567, L::reserved567, L::wreserved567);
    f(r.officeTail, L::officeTail, L::wofficeTail);
    f(r.DENOM2tail, L::DENOM2tail, L::wDENOM2tail);
    f(r.CAUESO, L::CAUESO, L::wCAUESO);
    f(r.TIPOIN, L::TIPOIN, L::wTIPOIN);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

}  // namespace

Bytes CompanyRecord::encode() const {
    Bytes out(kSize, 0);
    PutInt32(out, Layout::leading, leading);
    ForEachText(*this, [&](const std::string& s, std::size_t off, std::size_t n) {
        PutText(out, off, n, s);
    });
    return out;
}

CompanyRecord CompanyRecord::decode(ByteSpan in) {
    CompanyRecord r;
    r.leading = GetInt32(in, Layout::leading);
    ForEachText(r,
                [&](std::string& s, std::size_t off, std::size_t n) { s = GetText(in, off, n); });
    return r;
}

std::string CompanyRecord::passwordPageAddress() const {
    return TrimText(DENOM2 + DENOM2tail);
}

void CompanyBlank(CompanyRecord& rec) {
    rec = CompanyRecord{};
    ForEachText(rec, [](std::string& s, std::size_t, std::size_t n) { s.assign(n, ' '); });
}

void CompanyTrim(CompanyRecord& rec) {
    ForEachText(rec, [](std::string& s, std::size_t, std::size_t) { s = TrimText(s); });
}

void CompanyPad(CompanyRecord& rec) {
    ForEachText(rec, [](std::string& s, std::size_t, std::size_t n) { s = PadText(s, n); });
}

bool IsValidPartitaIva(std::string_view text) {
    if (text.size() != 11) return false;
    for (const char c : text) {
        if (!IsDigit(c)) return false;
    }
    int sum = 0;
    for (std::size_t i = 0; i < 10; ++i) {
        const int d = text[i] - '0';
        if (i % 2 == 0) {
            sum += d;  // odd position (1-based)
        } else {
            const int twice = 2 * d;
            sum += twice / 10 + twice % 10;
        }
    }
    return (10 - sum % 10) % 10 == text[10] - '0';
}

bool IsValidCodiceFiscale(std::string_view text) {
    if (text.size() != 16) return false;
    // Odd positions: the published conversion, one scale for 0-9 and A-Z.
    static constexpr std::array<int, 26> kOdd = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                                 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
    int sum = 0;
    for (std::size_t i = 0; i < 15; ++i) {
        const char c = text[i];
        int index = -1;
        if (IsDigit(c)) index = c - '0';
        if (IsUpper(c)) index = c - 'A';
        if (index < 0) continue;  // any other character counts 0
        sum += (i % 2 == 0) ? kOdd[static_cast<std::size_t>(index)] : index;
    }
    return text[15] == static_cast<char>('A' + sum % 26);
}

bool IsValidExciseCode(std::string_view text) {
    std::string code(text);
    if (code.size() < 13) code.resize(13, ' ');
    if (code.compare(0, 4, "IT00") != 0) return false;
    if (code[6] != 'A' && code[6] != 'X') return false;
    for (std::size_t i = 0; i < 13; ++i) {
        if (!IsDigit(code[i]) && !IsUpper(code[i])) return false;
    }
    return true;
}

}  // namespace veltrano
