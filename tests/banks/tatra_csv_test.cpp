#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "banks/banka.h"
#include "banks/riadky.h"
#include "banks/tatra_csv.h"
#include "formats/cp1250.h"

#include "zbierka.h"

using namespace kasamat;
using namespace kasamat::test;

namespace {

const std::string stlpce =
    "\"Dátum spracovania\",\"Dátum zúčtovania\",Suma,Mena,Typ,\"Predčíslie\",\"Číslo účtu\","
    "\"Kód banky\",IBAN,\"Variabilný symbol\",\"Špecifický symbol\",\"Konštantný symbol\","
    "\"Referencia platiteľa\",\"Informácia pre príjemcu\",Popis";

struct Zaznam {
    std::string spracovanie = "05.03.2019";
    std::string zuctovanie = "06.03.2019";
    std::string suma = "12,50";
    std::string mena = "EUR";
    std::string typ = "Kredit";
    std::string predcislie = "";
    std::string cislo = "1234567890";
    std::string kod = "0900";
    std::string iban = "SK3109000000001234567890";
    std::string vs = " 123";
    std::string ss = "";
    std::string ks = "0308";
    std::string referencia = "";
    std::string informacia = "\"Faktúra, marec\"";
    std::string popis = "Platba";

    std::string text() const
    {
        return spracovanie + "," + zuctovanie + ",\"" + suma + "\"," + mena + "," + typ + "," + predcislie
            + "," + cislo + "," + kod + "," + iban + "," + vs + "," + ss + "," + ks + "," + referencia + ","
            + informacia + "," + popis;
    }
};

Zaznam zo(const char* spracovanie)
{
    Zaznam z;
    z.spracovanie = spracovanie;
    return z;
}

// A file of the column line and the given lines (UTF-8), as code page 1250 bytes.
std::string subor(const std::vector<std::string>& riadky)
{
    std::string text = cp1250ZUtf8(stlpce) + "\r\n";
    for (const std::string& r : riadky) text += cp1250ZUtf8(r) + "\r\n";
    return text;
}

Vysledok preved(const std::string& obsah, const std::string& cisloUctu = "2628765432")
{
    NastaveniaKonverzie nastavenia;
    nastavenia.cisloUctu = cisloUctu;
    return kasamat::test::preved(KonverziaTatraCsv, obsah, nastavenia);
}

Vysledok prevedRiadky(const std::vector<std::string>& riadky) { return preved(subor(riadky)); }

std::string sUpravou(void (*uprav)(Zaznam&))
{
    Zaznam z;
    uprav(z);
    return z.text();
}

}  // namespace

TEST(TatraCsv, RecordTest)
{
    struct Riadok {
        const char* nazov;
        std::string zaznam;
        int ocakavany;
    } riadky[] = {
        {"valid", Zaznam().text(), 1},
        {"debit", sUpravou([](Zaznam& z) { z.typ = "Debet"; }), 1},
        {"debet in lower case", sUpravou([](Zaznam& z) { z.typ = "debet"; }), 0},
        {"one-digit day", sUpravou([](Zaznam& z) { z.spracovanie = "5.03.2019"; }), 0},
        {"booking date with a letter", sUpravou([](Zaznam& z) { z.zuctovanie = "06.O3.2019"; }), 0},
        {"amount without decimal comma", sUpravou([](Zaznam& z) { z.suma = "1250"; }), 0},
        {"amount with one decimal", sUpravou([](Zaznam& z) { z.suma = "12,5"; }), 0},
        {"amount without units", sUpravou([](Zaznam& z) { z.suma = ",50"; }), 0},
        {"currency of 2", sUpravou([](Zaznam& z) { z.mena = "EU"; }), 0},
        {"a field of 6 to 12 missing",
         "05.03.2019,06.03.2019,\"12,50\",EUR,Kredit,,1234567890,0900,SK31,123,0308,,\"Faktúra\",Platba", 0},
        {"Informácia open", sUpravou([](Zaznam& z) { z.informacia = "\"Faktúra"; }), -1},
        {"Referencia open", sUpravou([](Zaznam& z) {
             z.referencia = "\"ref";
             z.informacia = "Faktúra";
         }),
         -1},
        {"Referencia closed by the quote of Informácia", sUpravou([](Zaznam& z) { z.referencia = "\"ref"; }),
         0},
        {"Informácia of two quotes", sUpravou([](Zaznam& z) { z.informacia = "\"\""; }), 1},
        {"Popis empty", sUpravou([](Zaznam& z) { z.popis = ""; }), 0},
        {"Popis a lone quote", sUpravou([](Zaznam& z) { z.popis = "\""; }), -1},
        {"Popis open", sUpravou([](Zaznam& z) { z.popis = "\"Platba"; }), -1},
        {"Popis quoted", sUpravou([](Zaznam& z) { z.popis = "\"Platba, SEPA\""; }), 1},
        {"Popis with commas unquoted", sUpravou([](Zaznam& z) { z.popis = "a,b,c"; }), 1},
        {"cut after Typ", "05.03.2019,06.03.2019,\"12,50\",EUR,Kredit,,,", 0},
        {"amount with a sign passes the record test", sUpravou([](Zaznam& z) { z.suma = "+12,50"; }), 1},
        {"empty", "", 0},
    };
    for (const Riadok& r : riadky)
        EXPECT_EQ(KontrolaRiadkuTatraCsv(cp1250ZUtf8(r.zaznam)), r.ocakavany) << r.nazov;
}

TEST(TatraCsv, FileTest)
{
    std::string inyStlpec = stlpce;
    inyStlpec.replace(inyStlpec.find("Suma"), 4, "suma");
    std::string sMedzerou = stlpce;
    sMedzerou.replace(sMedzerou.find(",Suma"), 5, ", Suma");
    const std::string zaznam = cp1250ZUtf8(Zaznam().text()) + "\r\n";
    struct Riadok {
        const char* nazov;
        std::string obsah;
        bool platny;
    } riadky[] = {
        {"valid", subor({Zaznam().text()}), true},
        {"column line only", subor({}), false},
        {"title in lower case", cp1250ZUtf8(inyStlpec) + "\r\n" + zaznam, false},
        {"blank after a comma", cp1250ZUtf8(sMedzerou) + "\r\n" + zaznam, false},
        {"quote open at the end of the file",
         subor({Zaznam().text(), sUpravou([](Zaznam& z) { z.informacia = "\"Faktúra"; }), "pokračovanie"}),
         false},
        {"an invalid record among valid ones", subor({Zaznam().text(), "x", Zaznam().text()}), false},
        // Read from its last record up, the record read last is its first.
        {"newest first, the first record invalid",
         subor({sUpravou([](Zaznam& z) {
                    z.spracovanie = "09.03.2019";
                    z.popis = "";
                }),
                zo("05.03.2019").text(), zo("01.03.2019").text()}),
         false},
        // An open quote takes in the next record's first line, closing at its
        // amount: read from the top, 03.03 swallows 02.03; read up from the
        // bottom, 02.03 stands alone and 04.03's Popis would swallow 03.03.
        // A file that reads otherwise each way is not read.
        {"newest first, records that differ read from the top and from the bottom",
         subor({zo("20.03.2019").text(), zo("04.03.2019").text(), sUpravou([](Zaznam& z) {
                    z.spracovanie = "03.03.2019";
                    z.informacia = "\"Faktúra";
                }),
                "pokračovanie", zo("02.03.2019").text(), zo("01.03.2019").text()}),
         false},
        // Read from the top its last record is 05.03, so it lists oldest first;
        // the last line alone is a record of 01.03, so from the bottom newest first.
        {"oldest first from the top, newest first from the bottom",
         subor({zo("02.03.2019").text(), sUpravou([](Zaznam& z) { z.informacia = "\"Faktúra"; }),
                zo("01.03.2019").text()}),
         false},
        {"amount with a sign", subor({sUpravou([](Zaznam& z) { z.suma = "-12,50"; })}), false},
        {"amount of 13 digits", subor({sUpravou([](Zaznam& z) { z.suma = "12345678901,00"; })}), false},
        {"amount of 12 digits", subor({sUpravou([](Zaznam& z) { z.suma = "1234567890,00"; })}), true},
        {"prefix of 7", subor({sUpravou([](Zaznam& z) { z.predcislie = "1234567"; })}), false},
        {"account of 11", subor({sUpravou([](Zaznam& z) { z.cislo = "12345678901"; })}), false},
        {"bank code of 7", subor({sUpravou([](Zaznam& z) { z.kod = "0900000"; })}), false},
        {"variable symbol of 11", subor({sUpravou([](Zaznam& z) { z.vs = "12345678901"; })}), false},
        {"specific symbol of 11", subor({sUpravou([](Zaznam& z) { z.ss = "12345678901"; })}), false},
        {"constant symbol of 5", subor({sUpravou([](Zaznam& z) { z.ks = "03080"; })}), false},
        {"constant symbol with a letter", subor({sUpravou([](Zaznam& z) { z.ks = "03a"; })}), false},
        {"variable symbol with a blank inside", subor({sUpravou([](Zaznam& z) { z.vs = "12 34"; })}), false},
        {"fields fit after trimming", subor({sUpravou([](Zaznam& z) {
             z.ks = "  0308 ";
             z.vs = " 1234567890 ";
         })}),
         true},
        {"IBAN is not checked", subor({sUpravou([](Zaznam& z) { z.iban = "anything at all"; })}), true},
        {"date with a sign", subor({sUpravou([](Zaznam& z) { z.zuctovanie = "+6.03.2019"; })}), false},
    };
    for (const Riadok& r : riadky) EXPECT_EQ(preved(r.obsah).platny, r.platny) << r.nazov;
}

TEST(TatraCsv, TurnoverOfMoreThanFourteenDigitsMakesTheFileInvalid)
{
    Zaznam velka;
    velka.suma = "9999999999,99";
    std::vector<std::string> riadky(100, velka.text());
    EXPECT_TRUE(prevedRiadky(riadky).platny);
    riadky.push_back(Zaznam().text());
    EXPECT_FALSE(prevedRiadky(riadky).platny);
}

TEST(TatraCsv, KeyAndReadingOrder)
{
    struct Riadok {
        const char* nazov;
        std::vector<std::string> riadky;
        std::string datum;
        char oddelovac;
        std::vector<std::string> poradie;
    } riadky[] = {
        {"newest first",
         {zo("05.03.2019").text(), zo("03.03.2019").text(), zo("01.03.2019").text()},
         "20190305",
         '>',
         {"20190301", "20190303", "20190305"}},
        {"oldest first",
         {zo("01.03.2019").text(), zo("03.03.2019").text(), zo("05.03.2019").text()},
         "20190305",
         '<',
         {"20190301", "20190303", "20190305"}},
        {"one date",
         {zo("05.03.2019").text(), zo("05.03.2019").text()},
         "20190305",
         '<',
         {"20190305", "20190305"}},
        {"last record spans lines",
         {zo("01.03.2019").text(), "07.03.2019,07.03.2019,\"1,00\",EUR,Debet,,,,,,,,,\"Nájom",
          "marec\",Platba"},
         "20190307",
         '<',
         {"20190301", "20190307"}},
        {"newest first, records spanning lines",
         {"07.03.2019,07.03.2019,\"1,00\",EUR,Debet,,,,,,,,,\"Nájom", "marec\",Platba",
          zo("03.03.2019").text(), "01.03.2019,01.03.2019,\"2,00\",EUR,Kredit,,,,,,,,,\"Záloha", "",
          "na tovar\",Platba"},
         "20190307",
         '>',
         {"20190301", "20190303", "20190307"}},
    };
    for (const Riadok& r : riadky) {
        const Vysledok v = prevedRiadky(r.riadky);
        ASSERT_TRUE(v.platny) << r.nazov;
        EXPECT_EQ(v.kluc.datum, r.datum) << r.nazov;
        EXPECT_EQ(v.kluc.oddelovac, r.oddelovac) << r.nazov;
        std::vector<std::string> poradie;
        for (const Transakcia& t : v.transakcie) poradie.push_back(t.rezDatum);
        EXPECT_EQ(poradie, r.poradie) << r.nazov;
    }

    // Each line break becomes one blank, whichever way the file is read.
    const Vysledok v = prevedRiadky(riadky[4].riadky);
    EXPECT_EQ(v.transakcie[0].text, cp1250ZUtf8("Záloha  na tovar"));
    EXPECT_EQ(v.transakcie[2].text, cp1250ZUtf8("Nájom marec"));
}

TEST(TatraCsv, TransactionValues)
{
    Zaznam z;
    z.typ = "Debet";
    z.vs = " 123";
    z.ss = "  ";
    const Vysledok v = prevedRiadky({z.text()});
    ASSERT_TRUE(v.platny);
    EXPECT_EQ(v.hlavicka.vlastnyUcet, "2436262875000000");
    ASSERT_EQ(v.transakcie.size(), 1u);
    const Transakcia& t = v.transakcie[0];
    EXPECT_TRUE(t.debet);
    EXPECT_EQ(t.sumaText, "1250");
    EXPECT_EQ(t.suma, 1250);
    EXPECT_EQ(t.mena, "EUR");
    EXPECT_EQ(t.rezDatum, "20190305");
    EXPECT_EQ(t.datum, "20190305");
    EXPECT_EQ(t.datum2, "20190306");
    EXPECT_EQ(t.protiucet, "0896123457000000");
    EXPECT_EQ(t.kodBanky, "0900");
    EXPECT_EQ(t.variabilnySymbol, "123");
    EXPECT_EQ(t.specifickySymbol, "");
    EXPECT_EQ(t.konstantnySymbol, "0308");
    EXPECT_EQ(t.text, cp1250ZUtf8("Faktúra, marec"));

    Zaznam sPredcislim;
    sPredcislim.predcislie = "19";
    EXPECT_EQ(prevedRiadky({sPredcislim.text()}).transakcie.at(0).protiucet, "0896123457000019");
}

TEST(TatraCsv, TextComesFromInformaciaOrPopis)
{
    struct Riadok {
        const char* nazov;
        std::string informacia;
        std::string popis;
        std::string text;
    } riadky[] = {
        {"Informácia quoted and trimmed", "\"  Faktúra 12 \"", "Platba", "Faktúra 12"},
        {"Informácia unquoted", "Faktúra 12", "Platba", "Faktúra 12"},
        {"Informácia empty", "", " Platba kartou ", "Platba kartou"},
        {"Informácia two quotes", "\"\"", "Platba kartou", "Platba kartou"},
        {"Informácia blanks only", "\"   \"", "\" Platba, SEPA \"", "Platba, SEPA"},
        {"Popis two quotes", "\"\"", "\"\"", ""},
    };
    for (const Riadok& r : riadky) {
        Zaznam z;
        z.informacia = r.informacia;
        z.popis = r.popis;
        const Vysledok v = prevedRiadky({z.text()});
        ASSERT_TRUE(v.platny) << r.nazov;
        EXPECT_EQ(v.transakcie.at(0).text, cp1250ZUtf8(r.text)) << r.nazov;
    }
}

TEST(TatraCsv, OwnAccountFromTheTask)
{
    const std::string obsah = subor({Zaznam().text()});
    EXPECT_EQ(preved(obsah, "19").hlavicka.vlastnyUcet, "9010000000000000");
    EXPECT_FALSE(preved(obsah, "26287654x2").platny);
    EXPECT_FALSE(preved(obsah, "12345678901234567").platny);
}

// A quote left open over a million lines must neither hang nor take
// quadratic time, read in either direction (read from the last line up, a
// record may begin at each line above its last), even when the lines hold
// quotes that cannot close the open field.
TEST(TatraCsv, QuoteLeftOpenOverManyLines)
{
    struct Riadok {
        const char* nazov;
        void (*otvor)(Zaznam&);
        const char* riadok;
    } pripady[] = {
        {"Informácia, lines without quotes", [](Zaznam& z) { z.informacia = "\"Faktúra"; }, "ab"},
        {"Informácia, lines with quotes", [](Zaznam& z) { z.informacia = "\"Faktúra"; }, "a\"b"},
        {"Popis, lines with a quote and a comma", [](Zaznam& z) { z.popis = "\"Platba"; }, "a\",b"},
    };
    for (const Riadok& r : pripady) {
        std::string obsah = subor({sUpravou(r.otvor)});
        obsah.reserve(obsah.size() + 5'000'000);
        for (int i = 0; i < 1'000'000; ++i) (obsah += r.riadok) += "\r\n";
        EXPECT_FALSE(preved(obsah).platny) << r.nazov;
    }

    // Newest first, so also read from the last line up: it must finish as
    // quickly, also where the lines inside the quote begin like records and
    // cannot close it. The quote opened on 05.03 closes on the last line:
    // at the amount of a record of 01.03, which read from the bottom is a
    // record of its own (so the file reads otherwise each way), or at the
    // end of the text, which leaves two records either way.
    Zaznam otvoreny = zo("05.03.2019");
    otvoreny.informacia = "\"Faktúra";
    struct Naspat {
        const char* nazov;
        const char* riadok;
        std::string posledny;
        bool platny;
    } naspat[] = {
        {"lines without quotes, closed by a record", "ab", zo("01.03.2019").text(), false},
        {"lines that begin like records, closed at the end", "05.03.2019,05.03.2019,\"x", "koniec\",Platba",
         true},
    };
    for (const Naspat& r : naspat) {
        std::string obsah = subor({zo("09.03.2019").text(), otvoreny.text()});
        obsah.reserve(obsah.size() + 30'000'000);
        for (int i = 0; i < 1'000'000; ++i) (obsah += r.riadok) += "\r\n";
        obsah += cp1250ZUtf8(r.posledny) + "\r\n";
        const Vysledok v = preved(obsah);
        EXPECT_EQ(v.platny, r.platny) << r.nazov;
        if (r.platny) {
            EXPECT_EQ(v.transakcie.size(), 2u) << r.nazov;
        }
    }
}
