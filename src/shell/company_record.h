#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/bytes.h"
#include "core/file_io.h"

namespace veltrano {

// The company record, the one 608-byte record of DATI_GEN/UTENTE.001. Texts are
// held as UTF-8 and stored as Windows-1252; fields without a window keep their
// offset's name.
struct CompanyRecord {
    static constexpr std::size_t kSize = 608;

    std::int32_t leading = 0;       // always 0
    std::string CACCI1;             // excise code of the warehouse
    std::string reserved23;         // written blank
    std::string DENOM1;             // company name
    std::string DENOM2;             // password-change page address, characters 1 to 100
    std::string PARIVA;             // partita IVA
    std::string CODFIS;             // codice fiscale
    std::string INDIR1;             // street address
    std::string INDIR2;             // user name of the customs EDI service
    std::string addressComplement;  // printed after INDIR1; no window fills it
    std::string reserved417;        // written blank
    std::string C_A_P1;             // postal code
    std::string C_A_P2;             // date of the last EDI password change, DD/MM/YYYY
    std::string CITTA1;             // town
    std::string CITTA2;             // password of the customs EDI service
    std::string CODUTE;             // user code of the customs telematic service
    std::string UFFDO1;             // supervising customs office (key of TA03)
    std::string reserved567;        // written blank
    std::string officeTail;         // UFFDO1 characters 3 to 8 while a flow is built
    std::string DENOM2tail;         // password-change page address, characters 101 to 117
    std::string CAUESO;             // production meter: "C" litre counter, "E" energy meter
    std::string TIPOIN;             // excise regime: "A" assolta, "S" sospesa

    struct Layout {
        static constexpr std::size_t leading = 0, CACCI1 = 4, reserved23 = 23, DENOM1 = 42,
                                     DENOM2 = 143, PARIVA = 244, CODFIS = 256, INDIR1 = 273,
                                     INDIR2 = 339, addressComplement = 405, reserved417 = 417,
                                     C_A_P1 = 429, C_A_P2 = 440, CITTA1 = 451, CITTA2 = 502,
                                     CODUTE = 553, UFFDO1 = 558, reserved567 = 567,
                                     officeTail = 576, DENOM2tail = 583, CAUESO = 601, TIPOIN = 603;
        static constexpr std::size_t wCACCI1 = 18, wreserved23 = 18, wDENOM1 = 100, wDENOM2 = 100,
                                     wPARIVA = 11, wCODFIS = 16, wINDIR1 = 65, wINDIR2 = 65,
                                     waddressComplement = 11, wreserved417 = 11, wC_A_P1 = 10,
                                     wC_A_P2 = 10, wCITTA1 = 50, wCITTA2 = 50, wCODUTE = 4,
                                     wUFFDO1 = 8, wreserved567 = 8, wofficeTail = 6,
                                     wDENOM2tail = 17, wCAUESO = 1, wTIPOIN = 1;
    };

    // Bytes 0..607 as stored; texts longer than their width are cut; the padding
    // bytes 605..607 are zero.
    Bytes encode() const;
    static CompanyRecord decode(ByteSpan in);

    // The full password-change page address: DENOM2 followed by DENOM2tail, trimmed.
    std::string passwordPageAddress() const;

    friend bool operator==(const CompanyRecord&, const CompanyRecord&) = default;
};

void CompanyBlank(CompanyRecord& rec);  // 0 and every text spaces to its width
void CompanyTrim(CompanyRecord& rec);
void CompanyPad(CompanyRecord& rec);

// The customs telematic service's password-change page written by the settings
// check when DENOM2 holds no address: DENOM2 gets the part up to "UC=1&",
// DENOM2tail the rest.
inline constexpr std::string_view kDefaultPasswordPageHead =
    "https://telematico.adm.gov.it/TelematicoFunzioniDiAccessoWEB/"
    "FunzioniDiAccessoAutServlet?UC=1&";
inline constexpr std::string_view kDefaultPasswordPageTail = "SC=1&ST=1";
static_assert(kDefaultPasswordPageHead.size() <= CompanyRecord::Layout::wDENOM2);

// The Italian VAT number: 11 digits with the Luhn-like check digit.
bool IsValidPartitaIva(std::string_view text);
// The check letter of a person's 16-character codice fiscale (upper case).
bool IsValidCodiceFiscale(std::string_view text);

// The excise code check of the company window: the code padded to 13 characters
// starts with "IT00", has "A" or "X" as seventh character, and digits or capital
// letters as its first 13 characters.
bool IsValidExciseCode(std::string_view text);

}  // namespace veltrano
