// The statement batch, driven through a small test bank (testovacia_banka.h).

#include <gtest/gtest.h>

#include <QLocale>
#include <set>
#include <utility>
#include <vector>

#include "platform/cesta.h"
#include "podpora/docasny_priecinok.h"
#include "podpora/testovacia_banka.h"
#include "podpora/zaznam_behu.h"
#include "run/davka.h"

namespace kasamat::test {
namespace {

namespace fs = std::filesystem;

using Riadky = std::vector<std::string>;

const std::string neplatne = "Súbory, ktoré nie sú platnými bankovými výpismi: ";

class DavkaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
        nastavZmenuCitania(0);
        fs::create_directory(vstup());
        fs::create_directory(vystup());
        uloha.id = 4;
        uloha.priecinokVstup = utf8ZCesty(vstup());
        uloha.priecinokVystup = utf8ZCesty(vystup());
    }

    fs::path vstup() const { return m_priecinok.cesta() / "vstup"; }
    fs::path vystup() const { return m_priecinok.cesta() / cestaZUtf8("výstup"); }
    void vstupnySubor(const std::string& meno, const std::string& obsah)
    {
        zapisSubor(vstup() / cestaZUtf8(meno), obsah);
    }

    void konvertuj() { Konvertuj(testovaciaBanka, uloha, hlasenie); }

    Uloha uloha;
    ZaznamBehu hlasenie;

private:
    DocasnyPriecinok m_priecinok;
};

TEST_F(DavkaTest, FolderWithoutMatchingFileGivesOnlyTheNoFilesLine)
{
    vstupnySubor("vypis.txt", "01.03.2019;100;K\r\n");
    vstupnySubor("csv", "01.03.2019;100;K\r\n");
    konvertuj();
    EXPECT_EQ(hlasenie.riadky, Riadky{"Vstupný priečinok neobsahuje žiadne *.csv súbory."});
    EXPECT_TRUE(hlasenie.cisla.empty());
    EXPECT_TRUE(menaVPriecinku(vystup()).empty());
}

TEST_F(DavkaTest, MissingInputFolderGivesTheNoFilesLine)
{
    uloha.priecinokVstup = utf8ZCesty(vstup() / "nie je");
    konvertuj();
    EXPECT_EQ(hlasenie.riadky, Riadky{"Vstupný priečinok neobsahuje žiadne *.csv súbory."});
}

TEST_F(DavkaTest, InvalidFilesAreNamedInScanOrderAndStay)
{
    vstupnySubor("b.csv", "nie je výpis\r\n");
    vstupnySubor("A.CSV", "01.03.2019;100;X\r\n");
    vstupnySubor("c.Csv", "");
    fs::create_directory(vstup() / "d.csv");
    konvertuj();
    EXPECT_EQ(hlasenie.riadky, Riadky{neplatne + "A.CSV, b.csv, c.Csv, d.csv"});
    EXPECT_EQ(menaVPriecinku(vstup()), (std::set<std::string>{"A.CSV", "b.csv", "c.Csv", "d.csv"}));
    EXPECT_TRUE(menaVPriecinku(vystup()).empty());
}

TEST_F(DavkaTest, ValidFilesAreConvertedAndMovedBeforeTheInvalidLine)
{
    vstupnySubor("a.csv", "nie je výpis\r\n");
    vstupnySubor("b.csv", "PS;1000\r\n01.03.2019;250;D\r\n01.03.2019;1250;K\r\n");
    konvertuj();
    EXPECT_EQ(hlasenie.riadky, (Riadky{"Vygenerovaný výpis č. 1: b (20190301).out", neplatne + "a.csv"}));
    EXPECT_EQ(citajSubor(vystup() / "b (20190301).out"),
              "H;1;1000\r\nT;1;20190301;D;250\r\nT;2;20190301;K;1250\r\nS;2;250;1250;2000;20190301\r\n");
    EXPECT_EQ(menaVPriecinku(vstup()), std::set<std::string>{"a.csv"});
    EXPECT_EQ(menaVPriecinku(vystup()), (std::set<std::string>{"b (20190301).out", "b.csv"}));
    EXPECT_EQ(hlasenie.cisla, (std::vector<std::pair<int, int>>{{4, 2}}));
}

TEST_F(DavkaTest, FileWithoutTransactionIsNamedInKeyOrderWhenItsBankAllowsIt)
{
    vstupnySubor("a.csv", "01.03.2019;100;K\r\n");
    vstupnySubor("b.csv", "PS;500\r\n");
    Konvertuj(testovaciaBanka, uloha, hlasenie);
    EXPECT_EQ(hlasenie.riadky, (Riadky{"Vygenerovaný výpis č. 1: a (20190301).out", neplatne + "b.csv"}));

    hlasenie = {};
    const Banka bezPohybov{"csv", testovaciaBanka.format, testovaciaBanka.citaj, "Bez pohybov: "};
    vstupnySubor("c.csv", "PS;500\r\n");
    vstupnySubor("d.csv", "02.03.2019;100;K\r\n");
    Konvertuj(bezPohybov, uloha, hlasenie);
    EXPECT_EQ(
        hlasenie.riadky,
        (Riadky{"Bez pohybov: b.csv", "Bez pohybov: c.csv", "Vygenerovaný výpis č. 1: d (20190302).out"}));
    EXPECT_EQ(hlasenie.cisla, (std::vector<std::pair<int, int>>{{4, 2}}));
    EXPECT_TRUE(menaVPriecinku(vstup()).empty());
    EXPECT_EQ(
        menaVPriecinku(vystup()),
        (std::set<std::string>{"a (20190301).out", "a.csv", "b.csv", "c.csv", "d (20190302).out", "d.csv"}));
}

TEST_F(DavkaTest, FilesAreConvertedInKeyOrder)
{
    // Newest date first; on one date "<" before ">"; then the name, letter case
    // ignored and by the collation (poradie_klucov_test).
    vstupnySubor("z.csv", "02.03.2019;1;K\r\n01.03.2019;1;K\r\n");  // 20190302 >
    vstupnySubor("y.csv", "01.03.2019;1;K\r\n02.03.2019;1;K\r\n");  // 20190302 <
    vstupnySubor("č.csv", "02.03.2019;1;K\r\n");  // 20190302 <
    vstupnySubor("H.csv", "02.03.2019;1;K\r\n");  // 20190302 <
    vstupnySubor("x.csv", "28.02.2019;1;K\r\n");  // 20190228 <
    konvertuj();
    EXPECT_EQ(hlasenie.riadky,
              (Riadky{
                  "Vygenerovaný výpis č. 1: x (20190228).out",
                  "Vygenerovaný výpis č. 2: č (20190302).out",
                  "Vygenerovaný výpis č. 3: H (20190302).out",
                  "Vygenerovaný výpis č. 4: y (20190302).out",
                  "Vygenerovaný výpis č. 5: z (20190302).out",
              }));
}

TEST_F(DavkaTest, PerFileGivesOneStatementNamedWithTheNewestDate)
{
    vstupnySubor("v.csv", "03.03.2019;3;K\r\n02.03.2019;2;D\r\n01.03.2019;1;K\r\n");
    konvertuj();
    EXPECT_EQ(hlasenie.riadky, Riadky{"Vygenerovaný výpis č. 1: v (20190303).out"});
    // A file listed newest first is read from its last line up.
    EXPECT_EQ(citajSubor(vystup() / "v (20190303).out"),
              "H;1;0\r\nT;1;20190301;K;1\r\nT;2;20190302;D;2\r\nT;3;20190303;K;3\r\nS;3;2;4;2;20190303\r\n");
}

TEST_F(DavkaTest, DailyStatementsAreCutAtEachDateOldestFirst)
{
    uloha.periodicita = 1;
    uloha.cisloVypisu = 7;
    vstupnySubor("v.csv",
                 "PS;100\r\n01.03.2019;10;K\r\n01.03.2019;20;D\r\n02.03.2019;5;K\r\n03.03.2019;1;D\r\n");
    konvertuj();
    EXPECT_EQ(hlasenie.riadky,
              (Riadky{
                  "Vygenerovaný výpis č. 7: v (20190301).out",
                  "Vygenerovaný výpis č. 8: v (20190302).out",
                  "Vygenerovaný výpis č. 9: v (20190303).out",
              }));
    EXPECT_EQ(hlasenie.cisla, (std::vector<std::pair<int, int>>{{4, 8}, {4, 9}, {4, 10}}));
    // The stated opening balance opens the first statement; each later one
    // opens with the closing balance of the one before.
    EXPECT_EQ(citajSubor(vystup() / "v (20190301).out"),
              "H;7;100\r\nT;1;20190301;K;10\r\nT;2;20190301;D;20\r\nS;2;20;10;90;20190301\r\n");
    EXPECT_EQ(citajSubor(vystup() / "v (20190302).out"),
              "H;8;90\r\nT;1;20190302;K;5\r\nS;1;0;5;95;20190302\r\n");
    EXPECT_EQ(citajSubor(vystup() / "v (20190303).out"),
              "H;9;95\r\nT;1;20190303;D;1\r\nS;1;1;0;94;20190303\r\n");
    EXPECT_EQ(menaVPriecinku(vystup()).count("v.csv"), 1u);
}

TEST_F(DavkaTest, OnlyPeriodicityOneCutsByDay)
{
    uloha.periodicita = 2;
    vstupnySubor("v.csv", "01.03.2019;10;K\r\n02.03.2019;5;K\r\n");
    konvertuj();
    EXPECT_EQ(hlasenie.riadky, Riadky{"Vygenerovaný výpis č. 1: v (20190302).out"});
}

TEST_F(DavkaTest, StatementNumberStaysAt999)
{
    uloha.cisloVypisu = 999;
    vstupnySubor("a.csv", "01.03.2019;1;K\r\n");
    vstupnySubor("b.csv", "02.03.2019;1;K\r\n");
    konvertuj();
    EXPECT_EQ(hlasenie.riadky,
              (Riadky{"Vygenerovaný výpis č. 999: a (20190301).out",
                      "Vygenerovaný výpis č. 999: b (20190302).out"}));
    EXPECT_EQ(hlasenie.cisla, (std::vector<std::pair<int, int>>{{4, 999}, {4, 999}}));
}

TEST_F(DavkaTest, NumberThatCannotBeStoredIsNamedAndTheRunGoesOn)
{
    uloha.cisloVypisu = 7;
    hlasenie.uklada = false;
    vstupnySubor("a.csv", "01.03.2019;1;K\r\n");
    vstupnySubor("b.csv", "02.03.2019;1;K\r\n");
    konvertuj();
    EXPECT_EQ(hlasenie.riadky,
              (Riadky{"Vygenerovaný výpis č. 7: a (20190301).out",
                      "Číslo ďalšieho výpisu 8 sa nepodarilo uložiť do nastavení úlohy.",
                      "Vygenerovaný výpis č. 8: b (20190302).out",
                      "Číslo ďalšieho výpisu 9 sa nepodarilo uložiť do nastavení úlohy."}));
    EXPECT_EQ(menaVPriecinku(vystup()),
              (std::set<std::string>{"a (20190301).out", "a.csv", "b (20190302).out", "b.csv"}));
}

TEST_F(DavkaTest, ExistingStatementIsReplacedButExistingInputIsNot)
{
    zapisSubor(vystup() / "a (20190301).out", "starý výpis, dlhší ako nový ...............................");
    zapisSubor(vystup() / "a.csv", "iný súbor");
    vstupnySubor("a.csv", "01.03.2019;1;K\r\n");
    konvertuj();
    EXPECT_EQ(hlasenie.riadky, Riadky{"Vygenerovaný výpis č. 1: a (20190301).out"});
    EXPECT_EQ(citajSubor(vystup() / "a (20190301).out"),
              "H;1;0\r\nT;1;20190301;K;1\r\nS;1;0;1;1;20190301\r\n");
    // The move never replaces: the input stays and the file in the output folder is untouched.
    EXPECT_EQ(citajSubor(vystup() / "a.csv"), "iný súbor");
    EXPECT_EQ(citajSubor(vstup() / "a.csv"), "01.03.2019;1;K\r\n");
    EXPECT_EQ(menaVPriecinku(vystup()), (std::set<std::string>{"a (20190301).out", "a.csv"}));
}

TEST_F(DavkaTest, StatementThatCannotBeWrittenStopsTheTask)
{
    vstupnySubor("a.csv", "01.03.2019;1;K\r\n");
    vstupnySubor("b.csv", "02.03.2019;1;K\r\n");
    vstupnySubor("c.csv", "zlý\r\n");
    // The output folder is gone since the validation: for every user and
    // on every system, nothing can be written there.
    fs::remove(vystup());
    konvertuj();
    EXPECT_EQ(hlasenie.riadky,
              (Riadky{"Výpis č. 1 sa nepodarilo zapísať: a (20190301).out", neplatne + "c.csv"}));
    EXPECT_TRUE(hlasenie.cisla.empty());
    EXPECT_EQ(menaVPriecinku(vstup()), (std::set<std::string>{"a.csv", "b.csv", "c.csv"}));
    EXPECT_FALSE(fs::exists(vystup()));
}

TEST_F(DavkaTest, StatementWhoseNameIsTakenByAFolderStopsTheTask)
{
    vstupnySubor("a.csv", "01.03.2019;1;K\r\n");
    vstupnySubor("b.csv", "02.03.2019;1;K\r\n");
    fs::create_directory(vystup() / "a (20190301).out");
    konvertuj();
    EXPECT_EQ(hlasenie.riadky, Riadky{"Výpis č. 1 sa nepodarilo zapísať: a (20190301).out"});
    EXPECT_TRUE(hlasenie.cisla.empty());
    EXPECT_EQ(menaVPriecinku(vstup()), (std::set<std::string>{"a.csv", "b.csv"}));
    // No temporary file is left behind.
    EXPECT_EQ(menaVPriecinku(vystup()), std::set<std::string>{"a (20190301).out"});
}

TEST_F(DavkaTest, FileThatWouldOverwriteAStatementOfThisRunIsInvalid)
{
    if (!rozlisujeVelkostPismen(vstup())) GTEST_SKIP() << "names that differ only in case are one file here";
    uloha.periodicita = 1;
    // A day that comes back after another would give a second statement of that day.
    vstupnySubor("spat.csv", "01.03.2019;1;K\r\n02.03.2019;1;K\r\n01.03.2019;1;K\r\n");
    // So would two day texts of one date.
    vstupnySubor("lomka.csv", "01.03.2019;1;K\r\n01/03/2019;1;K\r\n");
    // "a.CSV" and "a.csv" both give "a (20190301).out"; the first in key order wins.
    vstupnySubor("a.csv", "01.03.2019;2;K\r\n");
    vstupnySubor("a.CSV", "01.03.2019;3;K\r\n");
    // Several transactions on one date and falling dates are in order.
    vstupnySubor("dole.csv", "05.03.2019;1;K\r\n05.03.2019;2;K\r\n04.03.2019;3;K\r\n");
    konvertuj();
    EXPECT_EQ(hlasenie.riadky,
              (Riadky{
                  "Vygenerovaný výpis č. 1: a (20190301).out",
                  "Vygenerovaný výpis č. 2: dole (20190304).out",
                  "Vygenerovaný výpis č. 3: dole (20190305).out",
                  neplatne + "a.csv, lomka.csv, spat.csv",
              }));
    EXPECT_EQ(citajSubor(vystup() / "a (20190301).out"),
              "H;1;0\r\nT;1;20190301;K;3\r\nS;1;0;3;3;20190301\r\n");
    EXPECT_EQ(menaVPriecinku(vstup()), (std::set<std::string>{"a.csv", "lomka.csv", "spat.csv"}));
}

TEST_F(DavkaTest, PerFileAcceptsADayThatComesBack)
{
    vstupnySubor("spat.csv", "01.03.2019;1;K\r\n02.03.2019;1;K\r\n01.03.2019;1;K\r\n");
    konvertuj();
    EXPECT_EQ(hlasenie.riadky, Riadky{"Vygenerovaný výpis č. 1: spat (20190301).out"});
}

TEST_F(DavkaTest, FileWhoseRecordsDoNotReadOrHoldNoTransactionIsInvalid)
{
    vstupnySubor("velka.csv", "01.03.2019;1234567890123;K\r\n");
    vstupnySubor("prazdna.csv", "PS;100\r\n");
    konvertuj();
    EXPECT_EQ(hlasenie.riadky, Riadky{neplatne + "prazdna.csv, velka.csv"});
    EXPECT_TRUE(menaVPriecinku(vystup()).empty());
}

TEST_F(DavkaTest, FileChangedBetweenThePassesStaysWithoutItsUnfinishedStatement)
{
    uloha.periodicita = 1;
    // A file that no longer reads keeps the statements closed before the
    // reading failed; one that reads with the same key and statement names but
    // other records gives none.
    const std::string a = "Vygenerovaný výpis č. 1: a (20190301).out";
    const struct {
        ZmenaSuboru zmena;
        Riadky hlasenie;
        std::set<std::string> vystup;
    } pripady[] = {
        {ZmenaSuboru::NeCitaSa,
         {a, "Vygenerovaný výpis č. 2: b (20190302).out", neplatne + "b.csv, c.csv"},
         {"a (20190301).out", "a.csv", "b (20190302).out"}},
        {ZmenaSuboru::InaSuma, {a, neplatne + "b.csv, c.csv"}, {"a (20190301).out", "a.csv"}},
    };
    for (const auto& p : pripady) {
        fs::remove_all(vystup());
        fs::create_directories(vystup());
        vstupnySubor("a.csv", "01.03.2019;1;K\r\n");
        vstupnySubor("b.csv", "02.03.2019;1;K\r\n03.03.2019;1;K\r\n");
        vstupnySubor("c.csv", "zlý\r\n");
        // Pass 1 reads a, b and c (calls 1 to 3); pass 2 reads a (4), then b (5) has changed.
        nastavZmenuCitania(5, p.zmena);
        hlasenie = {};
        uloha.cisloVypisu = 1;
        konvertuj();
        EXPECT_EQ(hlasenie.riadky, p.hlasenie);
        EXPECT_EQ(menaVPriecinku(vstup()), (std::set<std::string>{"b.csv", "c.csv"}));
        EXPECT_EQ(menaVPriecinku(vystup()), p.vystup);
    }
}

TEST_F(DavkaTest, BankReadAsAWholeTextGivesWhatItsLinesGive)
{
    uloha.periodicita = 1;
    const std::vector<std::pair<std::string, std::string>> subory = {
        {"a.csv", "PS;100\r\n01.03.2019;10;K\r\n02.03.2019;5;D\r\n"},
        {"b.csv", "04.03.2019;1;K\r\n03.03.2019;2;K\r\n"},
        {"c.csv", "zlý\r\n"},
        {"d.csv", ""},
    };
    const auto konvertujBankou = [&](const Banka& banka) {
        for (const std::string& meno : menaVPriecinku(vystup())) fs::remove(vystup() / cestaZUtf8(meno));
        for (const auto& [meno, obsah] : subory) vstupnySubor(meno, obsah);
        hlasenie = {};
        Konvertuj(banka, uloha, hlasenie);
        std::vector<std::string> vysledok = hlasenie.riadky;
        for (const std::string& meno : menaVPriecinku(vystup()))
            vysledok.push_back(meno + ": " + citajSubor(vystup() / cestaZUtf8(meno)));
        return vysledok;
    };
    const std::vector<std::string> poRiadkoch = konvertujBankou(testovaciaBanka);
    ASSERT_EQ(poRiadkoch.size(), 11u);  // 5 lines, 4 statements and the 2 converted inputs
    EXPECT_EQ(std::vector<std::string>(poRiadkoch.begin(), poRiadkoch.begin() + 5),
              (Riadky{
                  "Vygenerovaný výpis č. 1: a (20190301).out",
                  "Vygenerovaný výpis č. 2: a (20190302).out",
                  "Vygenerovaný výpis č. 3: b (20190303).out",
                  "Vygenerovaný výpis č. 4: b (20190304).out",
                  neplatne + "c.csv, d.csv",
              }));
    EXPECT_EQ(konvertujBankou(testovaciaBankaCelyText), poRiadkoch);
}

}  // namespace
}  // namespace kasamat::test
