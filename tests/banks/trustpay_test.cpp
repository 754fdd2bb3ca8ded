#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "banks/banka.h"
#include "banks/riadky.h"
#include "banks/trustpay.h"

#include "zbierka.h"

using namespace kasamat;
using namespace kasamat::test;

namespace {

const std::string subor =
    "\xEF\xBB\xBF"
    "02. 02. 2024;\"SK3111000000002628765432\";+125,50;EUR;\"Fakt\xFAra VS:2024001 KS:0308\";\"R-1\";11;\"J\xE1n\"\r\n"
    "03. 02. 2024;\"19-123/0900\";-10,00;EUR;\"Poplatok\";\"\";12;\"Banka\"\r\n";

PolozkaTrustPay polozka()
{
    PolozkaTrustPay p;
    p.konstantnySymbol = "0308";
    p.variabilnySymbol = "123";
    p.specifickySymbol = "77";
    p.referencia = "REF1";
    p.zvysnyText = "Platba ";
    p.nazovProtiuctu = "J\xE1n Nov\xE1k";
    return p;
}

}  // namespace

TEST(TrustPay, PaymentTextTemplate)
{
    struct Pripad {
        const char* nazov;
        const char* sablona;
        const char* text;
        void (*zmena)(PolozkaTrustPay&);
    };
    const Pripad pripady[] = {
        {"constant symbol", "$ks", "0308", nullptr},
        {"variable symbol", "$vs", "123", nullptr},
        {"specific symbol", "$ss", "77", nullptr},
        {"reference", "$ref", "REF1", nullptr},
        {"remaining text, trimmed", "$txt", "Platba", nullptr},
        {"counter-account name", "$npu", "J\xE1n Nov\xE1k", nullptr},
        {"several variables", "$vs/$ks/$ss", "123/0308/77", nullptr},
        {"a variable twice keeps the second", "$vs $vs", "123 $vs", nullptr},
        {"case-sensitive", "$VS", "$VS", nullptr},
        {"later variable inside an inserted value", "$ref", "J\xE1n Nov\xE1k",
         [](PolozkaTrustPay& p) { p.referencia = "$npu"; }},
        {"earlier variable inside an inserted value stays", "$txt", "Platba $vs",
         [](PolozkaTrustPay& p) { p.zvysnyText = "Platba $vs"; }},
        {"a variable formed where an earlier one was replaced", "$$ksref", "REF1",
         [](PolozkaTrustPay& p) { p.konstantnySymbol = ""; }},
        {"empty template", "", "", nullptr},
        {"only blanks", "   ", "", nullptr},
        {"cut to 20 bytes", "$txt $npu $vs $ks", "Platba  J\xE1n Nov\xE1k 12", nullptr},
        {"diacritics in the template", "\xDAhrada $vs", "\xDAhrada 123", nullptr},
        {"no variable: the template itself, trimmed and cut", "  Platba za tovar a sluzby ",
         "Platba za tovar a sl", nullptr},
    };
    for (const Pripad& p : pripady) {
        PolozkaTrustPay polozkaPripadu = polozka();
        if (p.zmena) p.zmena(polozkaPripadu);
        EXPECT_EQ(textPlatbyZoSablony(p.sablona, polozkaPripadu), p.text) << p.nazov;
    }
}

TEST(TrustPay, FileKeyIsTheLastRecordsDate)
{
    const Vysledok v = preved(KonverziaTrustPay, subor);
    ASSERT_TRUE(v.platny);
    EXPECT_EQ(v.kluc.datum, "20240203");
    EXPECT_EQ(v.kluc.oddelovac, ' ');
    EXPECT_FALSE(preved(KonverziaTrustPay, subor + "koniec\r\n").platny);
}

TEST(TrustPay, RecordsMapIntoTransactionsByTheTaskOptions)
{
    struct Pripad {
        const char* nazov;
        int variabilnySymbol;
        const char* sablona;
        const char* zd1;
        const char* zd2;
        const char* protiucet1;
    };
    const Pripad pripady[] = {
        {"variable symbol, template", 0, "$txt $vs", "2024001", "", "000000 2628765432 Fakt\xFAra  2024001"},
        {"reference, no template", 1, "", "R-1", "", "000000 2628765432 "},
    };
    for (const Pripad& p : pripady) {
        NastaveniaKonverzie nastavenia{"2628765432", p.variabilnySymbol, p.sablona};
        const Vysledok v = preved(KonverziaTrustPay, subor, nastavenia);
        ASSERT_TRUE(v.platny) << p.nazov;
        EXPECT_EQ(v.hlavicka.vlastnyUcet, "2628765432");
        ASSERT_EQ(v.transakcie.size(), 2u) << p.nazov;
        const Transakcia& t1 = v.transakcie[0];
        const Transakcia& t2 = v.transakcie[1];
        EXPECT_EQ(t1.variabilnySymbol, p.zd1) << p.nazov;
        EXPECT_EQ(t2.variabilnySymbol, p.zd2) << p.nazov;
        EXPECT_EQ(t1.protiucet, p.protiucet1) << p.nazov;
        EXPECT_EQ(t1.rezDatum, "02. 02. 2024");
        EXPECT_EQ(t1.datum, "20240202");
        EXPECT_EQ(t1.datum2, "20240202");
        EXPECT_FALSE(t1.debet);
        EXPECT_EQ(t1.kodBanky, "1100");
        EXPECT_EQ(t1.konstantnySymbol, "0308");
        EXPECT_TRUE(t2.debet);
        EXPECT_EQ(t2.sumaText, "1000");
        EXPECT_EQ(t2.suma, 1000);
        EXPECT_EQ(t2.kodBanky, "0900");
    }
}

TEST(TrustPay, FileCutShortOrExtendedIsNotRead)
{
    EXPECT_FALSE(preved(KonverziaTrustPay, subor.substr(0, subor.size() - 10)).platny);
    EXPECT_FALSE(preved(KonverziaTrustPay, subor + "x\r\n").platny);
}

TEST(TrustPay, SumsThatWouldLeave64BitsRefuseTheFile)
{
    const std::string velky = "01. 01. 2024;\"1/2\";+9999999999999999999999,00;EUR;\"\";\"\";1;\"x\"\r\n";
    EXPECT_FALSE(preved(KonverziaTrustPay, velky + velky).platny);
}
