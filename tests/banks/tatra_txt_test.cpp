#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "banks/banka.h"
#include "banks/riadky.h"
#include "banks/tatra_txt.h"

#include "zbierka.h"

using namespace kasamat;
using namespace kasamat::test;

namespace {

struct Riadok {
    std::string spracovanie = "05.03.2019";
    std::string zuctovanie = "06.03.2019";
    std::string jednotky = "125";
    std::string stotiny = "50";
    std::string typ = "Kredit";
    std::string predcislie = "19";
    std::string cislo = "1234567890";
    std::string kod = "0900";
    std::string ks = "0308";
    std::string vs = "2019001";
    std::string ss = "";
    std::string ucel = "Faktura 2019001";
    std::string popis = "Platba";
};

// A transaction line laid out as the bank exports it: every value in its
// column, the columns closed by "|".
std::string riadok(const Riadok& r)
{
    std::string s(tatraTxtCiara.size(), ' ');
    for (std::size_t i = 0; i < tatraTxtCiara.size(); ++i)
        if (tatraTxtCiara[i] == '+') s[i] = '|';
    auto vloz = [&s](std::size_t pozicia, const std::string& hodnota) {
        s.replace(pozicia - 1, hodnota.size(), hodnota);
    };
    vloz(1, r.spracovanie);
    vloz(14, " " + r.zuctovanie);
    std::string suma(13 - std::min<std::size_t>(13, r.jednotky.size()), ' ');
    vloz(28, suma + r.jednotky + "," + r.stotiny);
    vloz(47, "EUR");
    vloz(54, r.typ);
    vloz(63, r.predcislie);
    vloz(72, r.cislo);
    vloz(85, r.kod);
    vloz(95, r.ks);
    vloz(108, r.vs);
    vloz(121, r.ss);
    vloz(134, r.ucel);
    vloz(207, r.popis);
    return s;
}

std::string subor(const std::vector<std::string>& transakcie)
{
    std::string text;
    for (std::string_view r : {tatraTxtCiara, tatraTxtNadpis1, tatraTxtNadpis2, tatraTxtCiara})
        text.append(r).append("\r\n");
    for (const std::string& r : transakcie) text += r + "\r\n";
    text.append(tatraTxtCiara).append("\r\n");
    return text;
}

Vysledok precitaj(const std::string& obsah)
{
    NastaveniaKonverzie nastavenia;
    nastavenia.cisloUctu = "2628765432";
    Vysledok v = preved(KonverziaTatraTxt, obsah, nastavenia);
    if (v.platny) {
        EXPECT_EQ(v.hlavicka.vlastnyUcet, "2628765432");
    }
    return v;
}

bool testSuboru(const std::string& obsah, KlucSuboru& kluc)
{
    const Vysledok v = precitaj(obsah);
    kluc = v.kluc;
    return v.platny;
}

std::vector<Transakcia> citaj(const std::string& obsah, bool* vysledok = nullptr)
{
    Vysledok v = precitaj(obsah);
    if (vysledok) *vysledok = v.platny;
    return v.transakcie;
}

Riadok dna(const char* datum)
{
    Riadok r;
    r.spracovanie = datum;
    return r;
}

}  // namespace

TEST(TatraTxt, ColumnsStayInsideTheirTitles)
{
    for (const PoleTatraTxt& p : tatraTxtPolia) {
        const std::string_view v = tatraTxtNadpis1.substr(p.pozicia - 1, p.sirka);
        EXPECT_EQ(v.find('|'), std::string_view::npos) << "column at " << p.pozicia;
    }
    EXPECT_EQ(tatraTxtCiara.size(), 278u);
    EXPECT_EQ(tatraTxtNadpis1.size(), 278u);
    EXPECT_EQ(tatraTxtNadpis2.size(), 278u);
}

TEST(TatraTxt, FixedLinesMustMatchWholeAndExact)
{
    const std::string platny = subor({riadok({})});
    auto nahrad = [&platny](std::string_view co, std::string_view cim) {
        std::string s = platny;
        s.replace(s.find(co), co.size(), cim);
        return s;
    };
    std::string nadpisBezMedzery(tatraTxtNadpis1);
    nadpisBezMedzery.erase(nadpisBezMedzery.find("Suma") + 4, 1);
    const std::string hlavickaBezTransakcie = subor({});
    std::string bezZaveru = platny.substr(0, platny.size() - tatraTxtCiara.size() - 2);

    struct Pripad {
        const char* nazov;
        std::string obsah;
        bool platny;
    };
    const Pripad pripady[] = {
        {"header, one transaction, closing line", platny, true},
        {"line ends LF only", nahrad("\r\n", "\n"), true},
        {"no transaction line", hlavickaBezTransakcie, false},
        {"title line one blank short", nahrad(tatraTxtNadpis1, nadpisBezMedzery), false},
        {"title line in other letter case", nahrad("Spracovania", "spracovania"), false},
        {"closing rule line missing", bezZaveru, false},
        {"empty line after the closing line", platny + "\r\n", false},
        {"blank after the closing line", platny.substr(0, platny.size() - 2) + " \r\n", false},
        {"empty file", "", false},
    };
    for (const Pripad& p : pripady) {
        KlucSuboru kluc;
        EXPECT_EQ(testSuboru(p.obsah, kluc), p.platny) << p.nazov;
    }
}

TEST(TatraTxt, KeyTakesTheNewestDateAndTheFileDirection)
{
    struct Pripad {
        const char* nazov;
        std::vector<const char*> datumy;
        const char* kluc;
        char oddelovac;
        std::vector<std::string> poradie;  // processing dates as the statement receives them
    };
    const Pripad pripady[] = {
        {"newest first",
         {"05.03.2019", "03.03.2019", "01.03.2019"},
         "20190305",
         '>',
         {"20190301", "20190303", "20190305"}},
        {"oldest first",
         {"01.03.2019", "03.03.2019", "05.03.2019"},
         "20190305",
         '<',
         {"20190301", "20190303", "20190305"}},
        {"one date", {"02.03.2019", "02.03.2019"}, "20190302", '<', {"20190302", "20190302"}},
        {"across a year end", {"02.01.2020", "31.12.2019"}, "20200102", '>', {"20191231", "20200102"}},
    };
    for (const Pripad& p : pripady) {
        std::vector<std::string> riadky;
        for (const char* d : p.datumy) riadky.push_back(riadok(dna(d)));
        const std::string obsah = subor(riadky);
        KlucSuboru kluc;
        ASSERT_TRUE(testSuboru(obsah, kluc)) << p.nazov;
        EXPECT_EQ(kluc.datum, p.kluc) << p.nazov;
        EXPECT_EQ(kluc.oddelovac, p.oddelovac) << p.nazov;
        std::vector<std::string> poradie;
        for (const Transakcia& t : citaj(obsah)) poradie.push_back(t.datum);
        EXPECT_EQ(poradie, p.poradie) << p.nazov;
    }
}

TEST(TatraTxt, FileWithoutANumericDateAtItsEndsIsInvalid)
{
    KlucSuboru kluc;
    EXPECT_FALSE(testSuboru(subor({riadok(dna("xx.03.2019")), riadok(dna("01.03.2019"))}), kluc));
    EXPECT_FALSE(testSuboru(subor({riadok(dna("01.03.2019")), riadok(dna("          "))}), kluc));
    EXPECT_FALSE(testSuboru(subor({riadok(dna("01.03.2019")), "short"}), kluc));
    EXPECT_TRUE(testSuboru(subor({riadok(dna("01.03.2019")), "short", riadok(dna("02.03.2019"))}), kluc))
        << "lines between the first and the last are not tested";
}

TEST(TatraTxt, TransactionLineMapsIntoTheStatementValues)
{
    struct Pripad {
        const char* nazov;
        Riadok r;
        bool debet;
        const char* sumaText;
        std::int64_t suma;
        const char* kodBanky;
        const char* protiucet;
        // The dates, the currency and the three symbols, joined by "|".
        const char* ostatne = "05.03.2019|20190305|20190306|EUR|0308|2019001|";
        // Where the line ends; a line may end before its columns do.
        std::size_t dlzka = std::string::npos;
    };
    auto s = [](auto zmena) {
        Riadok r;
        zmena(r);
        return r;
    };
    const Pripad pripady[] = {
        {"credit", {}, false, "12550", 12550, "0900", "19 1234567890 Faktura 2019001"},
        {"Debet is a debit", s([](Riadok& r) { r.typ = "Debet"; }), true, "12550", 12550, "0900",
         "19 1234567890 Faktura 2019001"},
        {"lower-case debet is a credit", s([](Riadok& r) { r.typ = "debet"; }), false, "12550", 12550, "0900",
         "19 1234567890 Faktura 2019001"},
        {"amount below one unit", s([](Riadok& r) { r.jednotky = "0"; }), false, "050", 50, "0900",
         "19 1234567890 Faktura 2019001"},
        {"empty account and bank code", s([](Riadok& r) { r.cislo = r.kod = r.predcislie = ""; }), false,
         "12550", 12550, "0000", " 00 Faktura 2019001"},
        {"description when the purpose is empty", s([](Riadok& r) { r.ucel = ""; }), false, "12550", 12550,
         "0900", "19 1234567890 Platba"},
        {"neither purpose nor description", s([](Riadok& r) { r.ucel = r.popis = ""; }), false, "12550",
         12550, "0900", "19 1234567890 "},
        {"purpose cut to 20 bytes", s([](Riadok& r) { r.ucel = "\xDAhrada fakt\xFAry \xE8. 2019001"; }),
         false, "12550", 12550, "0900", "19 1234567890 \xDAhrada fakt\xFAry \xE8. 20"},
        {"thousands separator ends the amount", s([](Riadok& r) { r.jednotky = "1 250"; }), false, "1 25050",
         1, "0900", "19 1234567890 Faktura 2019001"},
        {"values fill their columns", s([](Riadok& r) {
             r.jednotky = "1234567890123";
             r.predcislie = "123456";
             r.kod = "1234567";
             r.ks = "1234567890";
             r.vs = "2345678901";
             r.ss = "3456789012";
             r.ucel = std::string(70, 'U');
         }),
         false, "123456789012350", 123456789012350, "1234567", "123456 1234567890 UUUUUUUUUUUUUUUUUUUU",
         "05.03.2019|20190305|20190306|EUR|1234567890|2345678901|3456789012"},
        {"control and high bytes at the ends of values", s([](Riadok& r) {
             r.predcislie = " \x01";
             r.cislo = "\00142\037";
             r.kod = "\t0900";
             r.vs = "\03777";
             r.ucel = "\xA0Platba\x7F";
         }),
         false, "12550", 12550, "0900", " 42 \xA0Platba\x7F", "05.03.2019|20190305|20190306|EUR|0308|77|"},
        {"purpose in the last bytes of its column",
         s([](Riadok& r) { r.ucel = std::string(66, ' ') + "Late"; }), false, "12550", 12550, "0900",
         "19 1234567890 Late"},
        {"line ends inside the purpose",
         {},
         false,
         "12550",
         12550,
         "0900",
         "19 1234567890 Faktur",
         "05.03.2019|20190305|20190306|EUR|0308|2019001|",
         139},
        {"line ends inside the hundredths",
         {},
         false,
         "1255",
         1255,
         "0000",
         " 00 ",
         "05.03.2019|20190305|20190306||||",
         42},
        {"line ends inside the booking date",
         {},
         false,
         "",
         0,
         "0000",
         " 00 ",
         "05.03.2019|20190305|0306||||",
         20},
    };
    for (const Pripad& p : pripady) {
        const auto transakcie = citaj(subor({riadok(p.r).substr(0, p.dlzka)}));
        ASSERT_EQ(transakcie.size(), 1u) << p.nazov;
        const Transakcia& t = transakcie.front();
        EXPECT_EQ(t.debet, p.debet) << p.nazov;
        EXPECT_EQ(t.sumaText, p.sumaText) << p.nazov;
        EXPECT_EQ(t.suma, p.suma) << p.nazov;
        EXPECT_EQ(t.kodBanky, p.kodBanky) << p.nazov;
        EXPECT_EQ(t.protiucet, p.protiucet) << p.nazov;
        EXPECT_EQ(t.rezDatum + '|' + t.datum + '|' + t.datum2 + '|' + t.mena + '|' + t.konstantnySymbol + '|'
                      + t.variabilnySymbol + '|' + t.specifickySymbol,
                  p.ostatne)
            << p.nazov;
    }

    const Transakcia t = citaj(subor({riadok({})})).front();
    EXPECT_EQ(t.rezDatum, "05.03.2019");
    EXPECT_EQ(t.datum, "20190305");
    EXPECT_EQ(t.datum2, "20190306");
    EXPECT_EQ(t.mena, "EUR");
    EXPECT_EQ(t.konstantnySymbol, "0308");
    EXPECT_EQ(t.variabilnySymbol, "2019001");
    EXPECT_EQ(t.specifickySymbol, "");
}

TEST(TatraTxt, ReadingStopsWhereItMustAnswerFalse)
{
    Riadok velka;
    velka.jednotky = "9999999999999";
    velka.stotiny = "99";
    bool ok = true;
    const std::vector<std::string> mnoho(10000, riadok(velka));
    EXPECT_LT(citaj(subor(mnoho), &ok).size(), mnoho.size());
    EXPECT_FALSE(ok) << "a file whose sums would leave 64 bits is refused";

    citaj(subor({riadok({})}).substr(0, 500), &ok);
    EXPECT_FALSE(ok) << "a file that no longer passes its test is not read";
}
