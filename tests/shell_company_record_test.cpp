// The company record's byte layout, its routines, and the Italian code checks.
#include <gtest/gtest.h>

#include "core/bytes.h"
#include "shell/company_record.h"

namespace veltrano {
namespace {

TEST(CompanyRecordLayout, EveryFieldAtItsOffsetInPaddedForm) {
    CompanyRecord r;
    CompanyBlank(r);
    r.CACCI1 = "IT00ABA123456";
    r.DENOM1 = "Birrificio Èrba";
    r.DENOM2 = "https://x/?UC=1&";
    r.PARIVA = "01234567897";
    r.CODFIS = "RSSMRA85T10A562S";
    r.INDIR1 = "Via Roma 1";
    r.INDIR2 = "UTENTE";
    r.C_A_P1 = "36061";
    r.C_A_P2 = "01/02/2026";
    r.CITTA1 = "BASSANO";
    r.CITTA2 = "pw";
    r.CODUTE = "AB12";
    r.UFFDO1 = "VI01";
    r.DENOM2tail = "SC=1&ST=1";
    r.CAUESO = "E";
    r.TIPOIN = "S";
    CompanyPad(r);
    const Bytes b = r.encode();
    ASSERT_EQ(b.size(), 608u);
    EXPECT_EQ(GetInt32(b, 0), 0);
    struct Case {
        std::size_t offset;
        std::size_t width;
        std::string raw;  // Windows-1252 value before padding
    };
    const Case cases[] = {
        {4, 18, "IT00ABA123456"},
        {23, 18, ""},
        {42, 100, "Birrificio \xC8rba"},
        {143, 100, "https://x/?UC=1&"},
        {244, 11, "01234567897"},
        {256, 16, "RSSMRA85T10A562S"},
        {273, 65, "Via Roma 1"},
        {339, 65, "UTENTE"},
        {405, 11, ""},
        {417, 11, ""},
        {429, 10, "36061"},
        {440, 10, "01/02/2026"},
        {451, 50, "BASSANO"},
        {502, 50, "pw"},
        {553, 4, "AB12"},
        {558, 8, "VI01"},
        {567, 8, ""},
        {576, 6, ""},
        {583, 17, "SC=1&ST=1"},
        {601, 1, "E"},
        {603, 1, "S"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offset);
        EXPECT_EQ(b[c.offset], c.width);  // padded: length byte = width
        std::string expected = c.raw;
        expected.resize(c.width, ' ');
        EXPECT_EQ(std::string(GetRawString(b, c.offset, c.width)), expected);
    }
    EXPECT_EQ(b[605], 0);
    EXPECT_EQ(b[606], 0);
    EXPECT_EQ(b[607], 0);

    CompanyRecord back = CompanyRecord::decode(b);
    CompanyTrim(back);
    EXPECT_EQ(back.DENOM1, "Birrificio Èrba");
    EXPECT_EQ(back.passwordPageAddress(), "https://x/?UC=1&SC=1&ST=1");
    CompanyPad(back);
    EXPECT_EQ(back.encode(), b);
}

TEST(CompanyRecordLayout, BlankTrimPad) {
    CompanyRecord r;
    CompanyBlank(r);
    EXPECT_EQ(r.DENOM1, std::string(100, ' '));
    EXPECT_EQ(r.TIPOIN, " ");
    r.CITTA1 = "  VICENZA \t";
    r.PARIVA = "0123456789012345";  // longer than its 11 characters
    CompanyTrim(r);
    EXPECT_EQ(r.CITTA1, "VICENZA");
    EXPECT_EQ(r.DENOM1, "");
    CompanyPad(r);
    EXPECT_EQ(r.CITTA1, "VICENZA" + std::string(43, ' '));
    EXPECT_EQ(r.PARIVA, "01234567890");
}

TEST(ItalianCodes, PartitaIva) {
    struct Case {
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {"01234567897", true}, {"01234567890", false},
        {"0123456789", false}, {"0123456789A", false},
        {"", false},           {"012345678970", false},
        {"12345670017", true}, {"00000000000", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidPartitaIva(c.text), c.valid) << c.text;
}

TEST(ItalianCodes, CodiceFiscale) {
    struct Case {
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {"RSSMRA85T10A562S", true},  {"RSSMRA85T10A562T", false},  // wrong check letter
        {"BNCLRA80A41L736D", true},  {"BNCLRA80A41L736W", false},
        {"rssmra85t10a562s", false},  // the check is on capitals
        {"01234567897", false},       // not 16 characters: no check applies
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidCodiceFiscale(c.text), c.valid) << c.text;
}

TEST(ItalianCodes, ExciseCode) {
    struct Case {
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {"IT00ABA123456", true},  {"IT00ABX12345Z", true},  {"IT00ABB123456", false},
        {"IT01ABA123456", false}, {"IT00ABA12345", false},  // too short: the blank fails
        {"IT00aBA123456", false}, {"IT00AB-123456", false}, {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidExciseCode(c.text), c.valid) << c.text;
}

}  // namespace
}  // namespace veltrano
