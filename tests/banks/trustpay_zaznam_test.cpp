#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "banks/riadky.h"
#include "banks/trustpay_zaznam.h"

#include "zbierka.h"

using namespace kasamat;

namespace {

const std::string zaznam =
    "01. 02. 2024;\"SK3111000000002628765432\";+125,50;EUR;\"Platba VS:123 KS:0308\";\"REF123\";4711;\"J\xE1n Nov\xE1k\"";

std::string s(std::string text, std::string_view co, std::string_view cim)
{
    text.replace(text.find(co), co.size(), cim);
    return text;
}

// A record with the given counter-account, payment text and field 6.
std::string zaznamS(std::string_view ucet, std::string_view text, std::string_view pole6)
{
    return "15. 03. 2024;\"" + std::string(ucet) + "\";-0,50;EUR;\"" + std::string(text) + "\";\""
        + std::string(pole6) + "\";1;\"Firma s.r.o.\"";
}

}  // namespace

TEST(TrustPayZaznam, RecordTest)
{
    struct Pripad {
        const char* nazov;
        std::string text;
        int vysledok;
    };
    const Pripad pripady[] = {
        {"complete record", zaznam, 1},
        {"byte-order mark in front", "\xEF\xBB\xBF" + zaznam, 1},
        {"field 7 ending in a quote", s(zaznam, ";4711;", ";4711\";"), 1},
        {"semicolons inside quoted values", s(zaznam, "Platba", "Platba;a;b"), 1},
        {"counter-account still open", zaznam.substr(0, 30), -1},
        {"payment text still open", zaznam.substr(0, 60), -1},
        {"field 6 still open", zaznam.substr(0, zaznam.find("REF123") + 3), -1},
        {"name still open", zaznam.substr(0, zaznam.size() - 1), -1},
        {"empty line", "", 0},
        {"header line", "D\xE1tum;Proti\xFA\xE8\x65t;Suma;Mena;Text;Referencia;\xC8\xEDslo;N\xE1zov", 0},
        {"one-digit day", s(zaznam, "01. 02.", "1. 02."), 0},
        {"one-digit month", s(zaznam, "01. 02.", "01. 2."), 0},
        {"amount without sign", s(zaznam, ";+125", ";125"), 0},
        {"amount with one decimal", s(zaznam, "125,50", "125,5"), 0},
        {"amount with a full stop", s(zaznam, "125,50", "125.50"), 0},
        {"amount without whole part", s(zaznam, "125,50", ",50"), 0},
        {"two-byte currency", s(zaznam, "EUR", "EU"), 0},
        {"four-byte currency", s(zaznam, "EUR", "EURO"), 0},
        {"empty field 7", s(zaznam, ";4711;", ";;"), 0},
        {"letters in field 7", s(zaznam, ";4711;", ";47a1;"), 0},
        {"doubled quote in the payment text", s(zaznam, "Platba", "Platba \"\"x\"\""), 0},
        {"blank after the last quote", zaznam + " ", 0},
        {"anything after the last quote", zaznam + ";", 0},
        // The date and the amount are written into the statement as they stand.
        {"blank in the date", s(zaznam, "01. 02.", " 1. 02."), 0},
        {"sign in the amount's whole part", s(zaznam, "+125,50", "+-125,50"), 0},
        {"blank in the amount's decimals", s(zaznam, "125,50", "125, 5"), 0},
    };
    for (const Pripad& p : pripady) EXPECT_EQ(KontrolaRiadkuTrustPay(p.text), p.vysledok) << p.nazov;
}

TEST(TrustPayZaznam, RecordsJoinLinesAndOneBadRecordRejectsTheWholeFile)
{
    struct Pripad {
        const char* nazov;
        std::string obsah;
        bool platny;
        std::size_t transakcii;
        // The counterparty of the last transaction, its payment text made by "$vs/$ref/$txt".
        const char* protiucet;
    };
    const std::string druhy = zaznamS("0900/19-123", "VS:7", "");
    const Pripad pripady[] = {
        {"two records", zaznam + "\r\n" + druhy + "\r\n", true, 2, " 0900 7//"},
        {"byte-order mark before the first record", "\xEF\xBB\xBF" + druhy + "\n", true, 1, " 0900 7//"},
        {"payment text over two lines", zaznamS("1/2", "prvy\r\ndruhy", "") + "\r\n", true, 1,
         " 01 //prvy druhy"},
        {"a tag found across the break", zaznamS("1/2", "VS:1\r\nzvysok", "") + "\r\n", true, 1,
         " 01 1//zvysok"},
        {"counter-account over two lines", zaznamS("19-\r\n123/0900", "", "") + "\r\n", true, 1, "19 123 //"},
        {"reference over two lines", zaznamS("1/2", "", "R\r\n1") + "\r\n", true, 1, " 01 /R 1/"},
        {"name over three lines", s(zaznam, "J\xE1n", "a\r\n\r\nb") + "\r\n", true, 1, nullptr},
        {"a record after one over two lines", zaznamS("1/2", "prvy\r\ndruhy", "") + "\r\n" + druhy, true, 2,
         " 0900 7//"},
        {"bytes after the closing quote on a joined line", s(zaznam, "J\xE1n", "a\r\nb\" x"), false, 0,
         nullptr},
        {"quote open at the end of the file", zaznam + "\r\n" + druhy.substr(0, 40) + "\r\nkoniec\r\n", false,
         0, nullptr},
        {"empty line between records", zaznam + "\r\n\r\n" + druhy, false, 0, nullptr},
        {"a bad record after good ones", zaznam + "\r\n" + druhy + "\r\n" + s(druhy, "0,50", "0,5"), false, 0,
         nullptr},
        {"empty file", "", false, 0, nullptr},
        {"only a byte-order mark", "\xEF\xBB\xBF", false, 0, nullptr},
    };
    const NastaveniaKonverzie nastavenia{"2628765432", 0, "$vs/$ref/$txt"};
    for (const Pripad& p : pripady) {
        const test::Vysledok v = test::preved(KonverziaTrustPay, p.obsah, nastavenia);
        ASSERT_EQ(v.platny, p.platny) << p.nazov;
        if (!p.platny) continue;
        ASSERT_EQ(v.transakcie.size(), p.transakcii) << p.nazov;
        if (p.protiucet) {
            EXPECT_EQ(v.transakcie.back().protiucet, p.protiucet) << p.nazov;
        }
    }
    const test::Vysledok v = test::preved(KonverziaTrustPay, "\xEF\xBB\xBF" + druhy);
    ASSERT_TRUE(v.platny);
    EXPECT_EQ(v.transakcie[0].rezDatum, "15. 03. 2024") << "the mark is part of no value";
    EXPECT_EQ(v.kluc.datum, "20240315");
}

TEST(TrustPayZaznam, HostileFilesEndWithoutHanging)
{
    std::string otvoreny = zaznam.substr(0, 60);
    for (int i = 0; i < 1'000'000; ++i) otvoreny += "\nriadok";
    EXPECT_FALSE(test::preved(KonverziaTrustPay, otvoreny).platny);

    std::string dlhy = zaznam;
    dlhy.insert(dlhy.find("Platba"), 100'000'000, 'x');
    const test::Vysledok v = test::preved(KonverziaTrustPay, dlhy);
    ASSERT_TRUE(v.platny);
    EXPECT_EQ(v.transakcie[0].konstantnySymbol, "0308");
}

TEST(TrustPayZaznam, CounterAccountSplit)
{
    struct Pripad {
        const char* nazov;
        const char* ucet;
        const char* predcislie;
        const char* cislo;
        const char* kod;
    };
    const Pripad pripady[] = {
        {"IBAN", "SK3111000000002628765432", "000000", "2628765432", "1100"},
        {"IBAN with a prefix", "SK6809000000190123456789", "000019", "0123456789", "0900"},
        {"IBAN with spaces is domestic", "SK31 1100 0000 0026 2876 5432", "", " 2876 5432", "0000"},
        {"foreign IBAN is domestic", "CZ6508000000192000145399", "", "2000145399", "0000"},
        {"prefix-number/bank", "19-2000145399/0800", "19", "2000145399", "0800"},
        {"bank/prefix-number", "0800/19-2000145399", "19", "2000145399", "0800"},
        {"bank first, account three bytes longer", "0800/1234567", "", "1234567", "0800"},
        {"bank first, account two bytes longer", "0800/123456", "", "0800", "123456"},
        {"short bank code", "123/900", "", "123", "0900"},
        {"two-byte bank code, one-digit number", "5/12", "", "05", "0012"},
        {"nothing before the slash", "/0900", "", "0900", "0000"},
        {"no slash", "19-123", "19", "123", "0000"},
        {"empty", "", "", "00", "0000"},
        {"blanks around the parts", " 19 - 123 / 0900 ", "19", "123", "0900"},
        {"everything too long", "1234567-12345678901/12345678", "234567", "2345678901", "2345678"},
    };
    for (const Pripad& p : pripady) {
        const std::string z = zaznamS(p.ucet, "", "");
        ASSERT_EQ(KontrolaRiadkuTrustPay(z), 1) << p.nazov;
        const PolozkaTrustPay polozka = NacitatPolozkuTrustPay(z);
        EXPECT_EQ(polozka.predcislie, p.predcislie) << p.nazov;
        EXPECT_EQ(polozka.cislo, p.cislo) << p.nazov;
        EXPECT_EQ(polozka.kodBanky, p.kod) << p.nazov;
    }
}

TEST(TrustPayZaznam, TagsOfThePaymentText)
{
    struct Pripad {
        const char* nazov;
        const char* text;
        const char* pole6;
        const char* ks;
        const char* vs;
        const char* ss;
        const char* ref;
        const char* zvysny;
    };
    const Pripad pripady[] = {
        {"all four tags", "KS:0308 VS:123 SS:77 REF:abc Platba", "f6", "0308", "123", "77", "abc", "Platba"},
        {"tag as the last word", "Platba VS:123", "", "", "123", "", "", "Platba "},
        {"tag value trimmed", "Platba VS:  123  ", "", "", "123", "", "", "Platba "},
        {"later tag inside an earlier value's rest", "REF:x KS:1", "", "1", "", "", "x", ""},
        {"second occurrence stays in the text", "VS:1 VS:2", "", "", "1", "", "", "VS:2"},
        {"value cut to 10 bytes", "VS:123456789012345 text", "", "", "1234567890", "", "", "text"},
        {"tags are case-sensitive", "vs:123", "", "", "", "", "", "vs:123"},
        {"tags inside a word", "XVS:5Y", "", "", "5Y", "", "", "X"},
        {"no REF: takes field 6 cut to 10", "Platba", "REFERENCIA-2024", "", "", "", "REFERENCIA", "Platba"},
        {"no REF: and empty field 6", "Platba", "", "", "", "", "", "Platba"},
        {"REF: wins over field 6", "REF:R1", "F6", "", "", "", "R1", ""},
        {"a value joined where an earlier tag was taken out", "VS:xKS:1 y", "", "1", "xy", "", "", ""},
        {"colons that open no tag", "S: a:b VS:5", "", "", "5", "", "", "S: a:b "},
    };
    for (const Pripad& p : pripady) {
        const std::string z = zaznamS("1/2", p.text, p.pole6);
        ASSERT_EQ(KontrolaRiadkuTrustPay(z), 1) << p.nazov;
        const PolozkaTrustPay polozka = NacitatPolozkuTrustPay(z);
        EXPECT_EQ(polozka.konstantnySymbol, p.ks) << p.nazov;
        EXPECT_EQ(polozka.variabilnySymbol, p.vs) << p.nazov;
        EXPECT_EQ(polozka.specifickySymbol, p.ss) << p.nazov;
        EXPECT_EQ(polozka.referencia, p.ref) << p.nazov;
        EXPECT_EQ(polozka.zvysnyText, p.zvysny) << p.nazov;
    }
}

TEST(TrustPayZaznam, DateAmountCurrencyAndName)
{
    const PolozkaTrustPay p = NacitatPolozkuTrustPay("\xEF\xBB\xBF" + s(zaznam, ";4711;", ";4711\";"));
    EXPECT_EQ(p.datumText, "01. 02. 2024");
    EXPECT_EQ(p.datumKluc, "20240201");
    EXPECT_FALSE(p.debet);
    EXPECT_EQ(p.sumaText, "12550");
    EXPECT_EQ(p.suma, 12550);
    EXPECT_EQ(p.mena, "EUR");
    EXPECT_EQ(p.nazovProtiuctu, "J\xE1n Nov\xE1k");

    const PolozkaTrustPay d = NacitatPolozkuTrustPay(zaznamS("1/2", "", ""));
    EXPECT_TRUE(d.debet);
    EXPECT_EQ(d.sumaText, "050");
    EXPECT_EQ(d.suma, 50);
}

// The reader fills one kept transaction from record to record: each record
// must read exactly as it reads alone, whatever the one before left there.
TEST(TrustPayZaznam, AKeptTransactionHoldsNothingOfThePreviousRecord)
{
    const std::string zaznamy[] = {
        zaznamS("SK6809000000190123456789", "KS:0308 VS:123 SS:77 REF:abc Platba za tovar a sluzby", "F6"),
        zaznamS("", "", ""),
        zaznamS("19-2000145399/0800", "VS:1 text", "REFERENCIA-2024"),
        "\xEF\xBB\xBF" + s(zaznam, ";4711;", ";4711\";"),
        zaznamS("5/12", "XVS:5Y\r\nna dvoch riadkoch", ""),
        zaznamS("1/2", "", ""),
    };
    const auto polia = [](const Transakcia& t) {
        return std::tie(t.rezDatum, t.datum, t.datum2, t.sumaText, t.suma, t.debet, t.mena, t.kodBanky,
                        t.protiucet, t.konstantnySymbol, t.variabilnySymbol, t.specifickySymbol);
    };
    std::string subor;
    for (int kolo = 0; kolo < 2; ++kolo)
        for (const std::string& z : zaznamy) subor += z + "\r\n";
    for (const int variabilny : {0, 1}) {
        const NastaveniaKonverzie nastavenia{"2628765432", variabilny, "$vs $ref $txt"};
        const test::Vysledok spolu = test::preved(KonverziaTrustPay, subor, nastavenia);
        ASSERT_TRUE(spolu.platny);
        ASSERT_EQ(spolu.transakcie.size(), 2 * std::size(zaznamy));
        for (std::size_t i = 0; i < spolu.transakcie.size(); ++i) {
            const std::string& z = zaznamy[i % std::size(zaznamy)];
            const test::Vysledok sam = test::preved(KonverziaTrustPay, z, nastavenia);
            ASSERT_TRUE(sam.platny) << z;
            EXPECT_EQ(polia(spolu.transakcie[i]), polia(sam.transakcie[0])) << z;
        }
    }
}
