#include <gtest/gtest.h>

#include <string>

#include "core/bytes.h"
#include "core/cp1252.h"
#include "core/table_record.h"
#include "registers/movement.h"

namespace veltrano {
namespace {

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
    EXPECT_EQ(Utf8Length(utf8), 256u);
}

TEST(Cp1252, ItalianTextAndTheEuro) {
    EXPECT_EQ(Utf8ToCp1252("cauzione di € 10"), "cauzione di \x80 10");
    EXPECT_EQ(Utf8ToCp1252("perché più è"), "perch\xE9 pi\xF9 \xE8");
    EXPECT_EQ(Cp1252ToUtf8("N\xB0 progressivo"), "N° progressivo");
    EXPECT_EQ(Utf8ToCp1252("日本"), "??");
    EXPECT_EQ(Utf8ToCp1252("a\xFF"
                           "b"),
              "a?b");  // invalid UTF-8
}

TEST(Strings, PaddedFormAndTrim) {
    EXPECT_EQ(PadText("ABC", 5), "ABC  ");
    EXPECT_EQ(PadText("ABCDEFG", 5), "ABCDE");
    EXPECT_EQ(PadText("àèìòù€x", 6), "àèìòù€");  // cut by characters, not bytes
    EXPECT_EQ(TrimText(" \t\r\nA B\x01 "), "A B");
    EXPECT_EQ(TrimText("   "), "");
}

TEST(Strings, StoredFieldLayout) {
    Bytes b(21, 0xAA);
    PutText(b, 0, 20, PadText("ABC", 20));
    EXPECT_EQ(b[0], 20);
    EXPECT_EQ(std::string(b.begin() + 1, b.end()), "ABC" + std::string(17, ' '));
    EXPECT_EQ(TrimText(GetText(b, 0, 20)), "ABC");

    PutText(b, 0, 20, "AB");  // not padded: the rest is zero
    EXPECT_EQ(b[0], 2);
    EXPECT_EQ(b[3], 0);

    b[0] = 200;  // a damaged length never reads past the field
    EXPECT_EQ(GetRawString(b, 0, 20).size(), 20u);
    EXPECT_EQ(PaddedRawString(b, 0, 3), std::string("AB\0", 3));
}

TEST(TableRecordLayout, Offsets) {
    TableRecord r;
    TableBlank(r);
    r.ID = 0x01020304;
    r.STR1[0] = "KEY";
    r.STR1[9] = "LAST1";
    r.STR2[0] = "TA03";
    r.STR2[9] = "LAST2";
    r.INTERI[0] = -1;
    r.INTERI[9] = 77;
    r.REALI1[0] = 1.5;
    r.REALI2[9] = -2.25;
    r.REALI3[9] = 1e10;
    TablePad(r);
    const Bytes b = r.encode();
    ASSERT_EQ(b.size(), 5304u);
    EXPECT_EQ(GetInt32(b, 0), 0x01020304);
    EXPECT_EQ(b[0], 0x04);  // little-endian
    EXPECT_EQ(b[4], 250);
    EXPECT_EQ(std::string(b.begin() + 5, b.begin() + 8), "KEY");
    EXPECT_EQ(b[8], ' ');
    EXPECT_EQ(GetRawString(b, 4 + 251 * 9, 250).substr(0, 5), "LAST1");
    EXPECT_EQ(GetRawString(b, 2514, 250).substr(0, 4), "TA03");
    EXPECT_EQ(GetRawString(b, 2514 + 251 * 9, 250).substr(0, 5), "LAST2");
    EXPECT_EQ(GetInt32(b, 5024), -1);
    EXPECT_EQ(GetInt32(b, 5024 + 36), 77);
    EXPECT_EQ(GetDouble(b, 5064), 1.5);
    EXPECT_EQ(GetDouble(b, 5144 + 72), -2.25);
    EXPECT_EQ(GetDouble(b, 5224 + 72), 1e10);
    EXPECT_EQ(TableRecord::decode(b), r);

    TableRecord t = TableRecord::decode(b);
    TableTrim(t);
    EXPECT_EQ(t.STR1[0], "KEY");
    EXPECT_EQ(t.STR1[1], "");
}

TEST(MovementRecordLayout, OffsetsAndPadding) {
    MovementRecord r;
    MovementBlank(r);
    r.NUMMOV = 17;
    r.NUMRIF = 3;
    r.NUMAUX = 4;
    r.DATFLU = 45000.5;
    r.NUMFLU = 9;
    r.TIPRET = "C";
    r.TIPOPE = "I";
    r.TIPREC = "E";
    r.CODPAE = "05";
    r.DATMOV = 45351;
    r.NUMCTT = 1;
    r.TIPMOV = "S";
    r.NUMDOC = "DOC-1";
    r.TBIRRA = "BIONDA";
    r.DATPRE = 1.25;
    r.LITPRE = 2.5;
    r.GRAPRE = 12.5;
    r.RESPRE = 90.125;
    r.INIZIO = 1000;
    r.FINALE = 2000;
    r.LITRII = 999.5;
    r.GRAREA = 12.25;
    r.LMOSTO = "LOTTO1";
    r.ANNOTA = "NOTE";
    r.KIWATT = 1.1;
    r.MECUBI = 2.2;
    r.KILOGR = 3.3;
    r.ELITRI = 4.4;
    MovementPad(r);
    const Bytes b = r.encode();
    ASSERT_EQ(b.size(), 552u);
    struct IntAt {
        std::size_t off;
        std::int32_t v;
    };
    for (const auto& c : {IntAt{0, 17}, IntAt{4, 3}, IntAt{8, 4}, IntAt{24, 9}, IntAt{48, 1},
                          IntAt{224, 1000}, IntAt{228, 2000}}) {
        EXPECT_EQ(GetInt32(b, c.off), c.v) << c.off;
    }
    struct DoubleAt {
        std::size_t off;
        double v;
    };
    for (const auto& c :
         {DoubleAt{16, 45000.5}, DoubleAt{40, 45351}, DoubleAt{192, 1.25}, DoubleAt{200, 2.5},
          DoubleAt{208, 12.5}, DoubleAt{216, 90.125}, DoubleAt{232, 999.5}, DoubleAt{240, 12.25},
          DoubleAt{520, 1.1}, DoubleAt{528, 2.2}, DoubleAt{536, 3.3}, DoubleAt{544, 4.4}}) {
        EXPECT_EQ(GetDouble(b, c.off), c.v) << c.off;
    }
    struct TextAt {
        std::size_t off, width;
        std::string v;
    };
    for (const auto& c :
         {TextAt{28, 1, "C"}, TextAt{30, 1, "I"}, TextAt{32, 1, "E"}, TextAt{34, 2, "05"},
          TextAt{52, 1, "S"}, TextAt{54, 30, "DOC-1"}, TextAt{85, 100, "BIONDA"},
          TextAt{248, 20, "LOTTO1"}, TextAt{269, 250, "NOTE"}}) {
        EXPECT_EQ(b[c.off], c.width) << c.off;
        EXPECT_EQ(std::string(GetRawString(b, c.off, c.width)), PadText(c.v, c.width)) << c.off;
    }
    for (std::size_t off : {12, 13, 14, 15, 37, 38, 39, 186, 187, 188, 189, 190, 191}) {
        EXPECT_EQ(b[off], 0) << "padding byte " << off;
    }
    EXPECT_EQ(MovementRecord::decode(b), r);
    MovementRecord t = MovementRecord::decode(b);
    MovementTrim(t);
    EXPECT_EQ(t.LMOSTO, "LOTTO1");
    EXPECT_EQ(t.TIPREC, "E");
}

TEST(MovementRecordLayout, BlankIsSpacesAndZeros) {
    MovementRecord r;
    MovementBlank(r);
    const Bytes b = r.encode();
    EXPECT_EQ(b[54], 30);
    EXPECT_EQ(std::string(GetRawString(b, 54, 30)), std::string(30, ' '));
    EXPECT_EQ(GetDouble(b, 40), 0.0);
    MovementRecord t = r;
    MovementTrim(t);
    EXPECT_EQ(t.ANNOTA, "");
    MovementPad(t);
    EXPECT_EQ(t, r);
}

}  // namespace
}  // namespace veltrano
