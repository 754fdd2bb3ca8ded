#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "banks/banka.h"
#include "banks/fio.h"
#include "banks/riadky.h"
#include "formats/cp1250.h"

#include "zbierka.h"

using namespace kasamat;
using namespace kasamat::test;

namespace {

const std::string transakcia =
    "7788;01.03.2019;-1500,00;19-1234567890;0900;0308;2019001;77;Faktúra 12;Platba prevodom;"
    "Ján Novák;Novák s.r.o.;Slovenská sporiteľňa, a.s.;";

// A Fio banka export in UTF-8 lines, turned into code page 1250 bytes.
struct SuborFio {
    std::vector<std::string> hlavicka = {
        "Prehľad vybraných transakcií na účte \"2628765432/8330\"",
        "Majiteľ účtu: Účtovná jednotka, Hlavná 1, Bratislava",
        "Vytvorené v aplikácii Internetbanking: 02.03.2019 10:15",
        "Obdobie: 01.03.2019 - 02.03.2019",
        "Počiatočný stav účtu k 01.03.2019: 1 234,56 EUR",
        "Koncový stav účtu k 02.03.2019: 1 219,56 EUR",
        "Suma príjmov: +0,00",
        "Suma výdajov: -15,00",
        "",
        "Prevod;Dátum;Objem;Protiúčet;Kód banky;KS;VS;ŠS;Užívateľská identifikácia;Typ;Vykonal;"
        "Názov protiúčtu;Názov banky;",
    };
    std::vector<std::string> transakcie = {transakcia};
    std::vector<std::string> zaver = {"0;Suma;-1500,00;;;;;;;;;;;", "Vytvorené 02.03.2019"};

    std::string bajty() const
    {
        std::string text;
        for (const auto* cast : {&hlavicka, &transakcie, &zaver})
            for (const std::string& r : *cast) text += cp1250ZUtf8(r) + "\r\n";
        return text;
    }
};

Vysledok preved(const SuborFio& subor) { return kasamat::test::preved(KonverziaFio, subor.bajty()); }

std::string sPolom(int index, const std::string& hodnota)
{
    std::string riadok = transakcia;
    std::size_t zaciatok = 0;
    for (int i = 0; i < index; ++i) zaciatok = riadok.find(';', zaciatok) + 1;
    return riadok.replace(zaciatok, riadok.find(';', zaciatok) - zaciatok, hodnota);
}

}  // namespace

TEST(Fio, TransactionLineTest)
{
    struct Riadok {
        const char* nazov;
        std::string riadok;
        int ocakavany;
    } riadky[] = {
        {"valid", transakcia, 1},
        {"credit without counter-account or symbols", "1;02.03.2019;25,50;;;;;;;Vklad;;;;", 1},
        {"fourteenth field", transakcia + "x;", 0},
        {"last ; missing", transakcia.substr(0, transakcia.size() - 1), 0},
        {"one-digit day", sPolom(1, "1.03.2019"), 0},
        {"amount without comma", sPolom(2, "-1500"), 0},
        {"amount with one decimal", sPolom(2, "-1500,0"), 0},
        {"no units, a sign before the decimals", sPolom(2, ",-5"), 1},
        {"counter-account, prefix of 6", sPolom(3, "123456-1234567890"), 1},
        {"counter-account, prefix of 7", sPolom(3, "1234567-1234567890"), 0},
        {"counter-account, empty prefix", sPolom(3, "-1234567890"), 0},
        {"counter-account, number of 11", sPolom(3, "19-12345678901"), 0},
        {"counter-account of 16 digits", sPolom(3, "1234567890123456"), 1},
        {"counter-account of 17 digits", sPolom(3, "12345678901234567"), 0},
        {"counter-account with a letter", sPolom(3, "SK12"), 0},
        {"counter-account with a sign and no prefix", sPolom(3, "+1234567890"), 0},
        {"bank code of 7", sPolom(4, "1234567"), 0},
        {"bank code a lone sign", sPolom(4, "-"), 0},
        {"bank code with a letter", sPolom(4, "09a0"), 0},
        {"constant symbol of 5", sPolom(5, "12345"), 0},
        {"variable symbol 12a", sPolom(6, "12a"), 0},
        {"variable symbol of 11 digits", sPolom(6, "12345678901"), 0},
        {"variable symbol of 10 digits", sPolom(6, "1234567890"), 1},
        {"specific symbol of 11 digits", sPolom(7, "12345678901"), 0},
        {"no field 1", "01.03.2019", 0},
        {"empty", "", 0},
    };
    for (const Riadok& r : riadky)
        EXPECT_EQ(KontrolaRiadkuFio(cp1250ZUtf8(r.riadok)), r.ocakavany) << r.nazov;
}

TEST(Fio, FileTest)
{
    struct Riadok {
        const char* nazov;
        SuborFio subor;
        bool platny;
    } riadky[] = {
        {"valid", {}, true},
        {"column line differs in one character",
         [] {
             SuborFio s;
             s.hlavicka[9][0] = 'p';
             return s;
         }(),
         false},
        {"line 9 holds a blank",
         [] {
             SuborFio s;
             s.hlavicka[8] = " ";
             return s;
         }(),
         false},
        {"account of 9 digits",
         [] {
             SuborFio s;
             s.hlavicka[0] = "Prehľad vybraných transakcií na účte \"262876543/8330\"";
             return s;
         }(),
         false},
        {"other bank code in line 1",
         [] {
             SuborFio s;
             s.hlavicka[0] = "Prehľad vybraných transakcií na účte \"2628765432/0900\"";
             return s;
         }(),
         false},
        {"line 7 without its sign",
         [] {
             SuborFio s;
             s.hlavicka[6] = "Suma príjmov: 0,00";
             return s;
         }(),
         false},
        {"no sum line",
         [] {
             SuborFio s;
             s.zaver[0] = "Suma;-1500,00;";
             return s;
         }(),
         false},
        {"opening balance not a number",
         [] {
             SuborFio s;
             s.hlavicka[4] = "Počiatočný stav účtu k 01.03.2019: 1 2x4,56 EUR";
             return s;
         }(),
         false},
        {"invalid transaction line",
         [] {
             SuborFio s;
             s.transakcie.push_back("x");
             return s;
         }(),
         false},
        {"11 lines",
         [] {
             SuborFio s;
             s.transakcie.clear();
             s.zaver.pop_back();
             return s;
         }(),
         false},
        // A file without transactions would give a statement of a lone "074" record.
        {"no transaction line",
         [] {
             SuborFio s;
             s.transakcie.clear();
             return s;
         }(),
         false},
    };
    for (const Riadok& r : riadky) EXPECT_EQ(preved(r.subor).platny, r.platny) << r.nazov;
}

// Values the line test lets through but a statement cannot carry in its
// digit fields make the file invalid.
TEST(Fio, ValuesThatDoNotFitTheStatement)
{
    struct Riadok {
        const char* nazov;
        std::string riadok;
        bool platny;
    } riadky[] = {
        {"amount with +", sPolom(2, "+25,50"), false},
        {"sign before the decimals", sPolom(2, ",-5"), false},
        {"debit without units", sPolom(2, "-,50"), true},
        {"bank code with +", sPolom(4, "+900"), false},
        {"bank code with -", sPolom(4, "-900"), false},
        {"constant symbol with +", sPolom(5, "+308"), false},
        {"prefix with +", sPolom(3, "+19-1234567890"), false},
        {"date with a sign", sPolom(1, "+1.03.2019"), false},
        {"amount of 12 digits", sPolom(2, "-9999999999,99"), true},
        {"amount of 13 digits", sPolom(2, "-99999999999,99"), false},
    };
    for (const Riadok& r : riadky) {
        SuborFio s;
        s.transakcie = {r.riadok};
        EXPECT_EQ(preved(s).platny, r.platny) << r.nazov;
    }
}

TEST(Fio, BalancesThatOutgrowFourteenDigits)
{
    SuborFio s;
    s.hlavicka[4] = "Počiatočný stav účtu k 01.03.2019: 999 999 999 999,99 EUR";
    EXPECT_TRUE(preved(s).platny) << "14 digits fit";
    s.hlavicka[4] = "Počiatočný stav účtu k 01.03.2019: 1 000 000 000 000,00 EUR";
    EXPECT_FALSE(preved(s).platny) << "the opening balance needs 15 digits";
    s.hlavicka[4] = "Počiatočný stav účtu k 01.03.2019: 999 999 999 999 999 999 999,99 EUR";
    EXPECT_FALSE(preved(s).platny) << "beyond the 64-bit range";

    s.hlavicka[4] = "Počiatočný stav účtu k 01.03.2019: 999 999 999 999,99 EUR";
    s.transakcie = {sPolom(2, "0,01")};
    EXPECT_FALSE(preved(s).platny) << "the closing balance needs 15 digits";

    s.hlavicka[4] = "Počiatočný stav účtu k 01.03.2019: 0,00 EUR";
    s.transakcie.assign(100, sPolom(2, "-9999999999,99"));
    EXPECT_TRUE(preved(s).platny);
    s.transakcie.push_back(sPolom(2, "-1,00"));
    EXPECT_FALSE(preved(s).platny) << "the debit turnover needs 15 digits";
}

TEST(Fio, HeaderValues)
{
    struct Riadok {
        const char* nazov;
        std::string pociatocny;
        std::int64_t hodnota;
    } riadky[] = {
        {"thousands separated", "Počiatočný stav účtu k 01.03.2019: 1 234,56 EUR", 123456},
        {"zero", "Počiatočný stav účtu k 01.03.2019: 0,00 CZK", 0},
        {"negative", "Počiatočný stav účtu k 01.03.2019: -50,00 EUR", -5000},
        {"point as separator", "Počiatočný stav účtu k 01.03.2019: 12.30 EUR", 1230},
    };
    for (const Riadok& r : riadky) {
        SuborFio s;
        s.hlavicka[4] = r.pociatocny;
        const Vysledok v = preved(s);
        ASSERT_TRUE(v.platny) << r.nazov;
        EXPECT_EQ(v.hlavicka.pociatocnyZostatok, r.hodnota) << r.nazov;
    }

    const Vysledok v = preved({});
    EXPECT_EQ(v.hlavicka.vlastnyUcet, "0000002628765432");
    EXPECT_EQ(v.hlavicka.nazovUctu, cp1250ZUtf8("ÚČTOVNÁ JEDNOTKA"));

    SuborFio bezCiarky;
    bezCiarky.hlavicka[1] = "Majiteľ účtu: Ján Novák";
    EXPECT_EQ(preved(bezCiarky).hlavicka.nazovUctu, "");
}

TEST(Fio, TransactionValues)
{
    SuborFio s;
    s.transakcie = {transakcia, "1;02.03.2019;25,50;1234567890;;;;;;Vklad;;;;",
                    "2;15.03.2019;0,05;;8330;;;;Úrok;Pripísanie úroku;;;;"};
    const Vysledok v = preved(s);
    ASSERT_TRUE(v.platny);
    EXPECT_EQ(v.kluc.datum, "20190315");
    EXPECT_EQ(v.kluc.oddelovac, ' ');
    ASSERT_EQ(v.transakcie.size(), 3u);

    const Transakcia& debet = v.transakcie[0];
    EXPECT_TRUE(debet.debet);
    EXPECT_EQ(debet.sumaText, "150000");
    EXPECT_EQ(debet.suma, 150000);
    EXPECT_EQ(debet.rezDatum, "20190301");
    EXPECT_EQ(debet.datum, "20190301");
    EXPECT_EQ(debet.datum2, "20190301");
    EXPECT_EQ(debet.protiucet, "0000191234567890");
    EXPECT_EQ(debet.kodBanky, "0900");
    EXPECT_EQ(debet.konstantnySymbol, "0308");
    EXPECT_EQ(debet.variabilnySymbol, "2019001");
    EXPECT_EQ(debet.specifickySymbol, "77");
    EXPECT_EQ(debet.text, cp1250ZUtf8("Faktúra 12"));

    const Transakcia& kredit = v.transakcie[1];
    EXPECT_FALSE(kredit.debet);
    EXPECT_EQ(kredit.suma, 2550);
    EXPECT_EQ(kredit.protiucet, "0000001234567890");
    EXPECT_EQ(kredit.text, "Vklad") << "Typ when the identification is empty";
    EXPECT_EQ(kredit.datum2, "20190302");

    EXPECT_EQ(v.transakcie[2].protiucet, std::string(16, '0'));
    EXPECT_EQ(v.transakcie[2].sumaText, "005");
    EXPECT_EQ(v.transakcie[2].suma, 5);
}
