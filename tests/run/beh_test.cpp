// The run over all tasks and the validation summary, through a host that
// records what the window would show (podpora/zaznam_behu.h).

#include <gtest/gtest.h>

#include <vector>

#include "platform/cesta.h"
#include "podpora/docasny_priecinok.h"
#include "podpora/zaznam_behu.h"
#include "run/beh.h"

namespace kasamat::test {
namespace {

namespace fs = std::filesystem;
using Riadky = std::vector<std::string>;

const std::string hintNastavenie = "Uvedené parametre môžete zmeniť na záložke Nastavenie.";
const std::string hintStart = "Operáciu spustíte kliknutím na tlačidlo Štart!";

class KontrolaNastaveniTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directory(m_priecinok.cesta() / "vstup");
        fs::create_directory(m_priecinok.cesta() / cestaZUtf8("výstup"));
    }
    std::string vstup() const { return utf8ZCesty(m_priecinok.cesta() / "vstup"); }
    std::string vystup() const { return utf8ZCesty(m_priecinok.cesta() / cestaZUtf8("výstup")); }
    std::string chyba() const { return utf8ZCesty(m_priecinok.cesta() / "nie je"); }

    Uloha uloha(int format, std::string cisloUctu = "2628765432") const
    {
        Uloha u;
        u.nazov = "Účet v TB";
        u.priecinokVstup = vstup();
        u.priecinokVystup = vystup();
        u.format = format;
        u.cisloUctu = std::move(cisloUctu);
        u.cisloVypisu = 12;
        return u;
    }

private:
    DocasnyPriecinok m_priecinok;
};

TEST_F(KontrolaNastaveniTest, UsableTaskGivesTheWholeSummary)
{
    ZaznamBehu prostredie;
    prostredie.ulohy = {uloha(0)};
    prostredie.vybrata = 0;
    EXPECT_TRUE(KontrolaNastaveni(prostredie));
    EXPECT_EQ(prostredie.riadky,
              (Riadky{
                  "Úlohy: ",
                  oddelovaciRiadok,
                  "1. Účet v TB",
                  "Vstupný priečinok: " + vstup(),
                  "Výstupný priečinok: " + vystup(),
                  "Formát: Tatra banka (pôvodný IB) *.txt -> Tatra Banka InternetBanking *.clr",
                  "Číslo účtu: 2628765432/1100",
                  "Periodicita výpisov: podľa vstupu",
                  "Číslo ďalšieho výpisu: 12",
                  oddelovaciRiadok,
                  hintNastavenie,
                  hintStart,
              }));
}

TEST_F(KontrolaNastaveniTest, EachTaskBlockShowsItsValuesOrProblems)
{
    struct Riadok {
        const char* nazov;
        Uloha uloha;
        bool platna;
        Riadky blok;  // the lines between the list entry and the closing separator
    };
    auto s = [](Uloha u, auto zmena) {
        zmena(u);
        return u;
    };
    const std::string fmt0 = "Formát: Tatra banka (pôvodný IB) *.txt -> Tatra Banka InternetBanking *.clr";
    const std::vector<Riadok> riadky = {
        {"same folder text",
         s(uloha(0), [&](Uloha& u) { u.priecinokVystup = vstup(); }),
         false,
         {"Vstupný priečinok: " + vstup(),
          "Priečinok pre výstupné súbory z konverzie výpisov sa musí odlišovať od priečinka so vstupnými súbormi.",
          fmt0, "Číslo účtu: 2628765432/1100", "Periodicita výpisov: podľa vstupu",
          "Číslo ďalšieho výpisu: 12"}},
        {"same folder written otherwise passes",
         s(uloha(0), [&](Uloha& u) { u.priecinokVystup = vstup() + "/"; }),
         true,
         {"Vstupný priečinok: " + vstup(), "Výstupný priečinok: " + vstup() + "/", fmt0,
          "Číslo účtu: 2628765432/1100", "Periodicita výpisov: podľa vstupu", "Číslo ďalšieho výpisu: 12"}},
        {"empty input, missing output",
         s(uloha(2), [&](Uloha& u) { u.priecinokVstup.clear(), u.priecinokVystup = chyba(); }),
         false,
         {"Nebol zadaný existujúci priečinok so vstupnými súbormi pre konverziu výpisov.",
          "Nebol zadaný existujúci priečinok pre výstupné súbory z konverzie výpisov.",
          "Formát: Tatra banka (nový IB) *.csv -> formát ABO *.gpc", "Číslo účtu: 2628765432/1100",
          "Periodicita výpisov: podľa vstupu", "Číslo ďalšieho výpisu: 12"}},
        {"Fio needs no account",
         s(uloha(3, ""), [](Uloha& u) { u.periodicita = 1; }),
         true,
         {"Vstupný priečinok: " + vstup(), "Výstupný priečinok: " + vystup(),
          "Formát: Fio banka *.csv -> formát ABO *.gpc", "Periodicita výpisov: denné výpisy",
          "Číslo ďalšieho výpisu: 12"}},
        {"TrustPay shows its text and option",
         s(uloha(1), [](Uloha& u) { u.variabilnySymbol = 1; }),
         true,
         {"Vstupný priečinok: " + vstup(), "Výstupný priečinok: " + vystup(),
          "Formát: Trust Pay *.csv -> Tatra Banka InternetBanking *.clr", "Číslo účtu: 2628765432/9952",
          "Periodicita výpisov: podľa vstupu", "Číslo ďalšieho výpisu: 12",
          "Text: ", "Ako variabilný symbol použiť: referenciu"}},
        {"TrustPay template",
         s(uloha(1), [](Uloha& u) { u.textPlatby = "$vs $txt"; }),
         true,
         {"Vstupný priečinok: " + vstup(), "Výstupný priečinok: " + vystup(),
          "Formát: Trust Pay *.csv -> Tatra Banka InternetBanking *.clr", "Číslo účtu: 2628765432/9952",
          "Periodicita výpisov: podľa vstupu", "Číslo ďalšieho výpisu: 12", "Text: $vs $txt",
          "Ako variabilný symbol použiť: variabilný symbol"}},
        {"account missing",
         uloha(0, ""),
         false,
         {"Vstupný priečinok: " + vstup(), "Výstupný priečinok: " + vystup(), fmt0,
          "Nebolo zadané číslo bankového účtu spracovávaných výpisov.", "Periodicita výpisov: podľa vstupu",
          "Číslo ďalšieho výpisu: 12"}},
        {"unknown Format needs an account, bank 8330",
         uloha(7),
         true,
         {"Vstupný priečinok: " + vstup(), "Výstupný priečinok: " + vystup(), "Formát: ",
          "Číslo účtu: 2628765432/8330", "Periodicita výpisov: podľa vstupu", "Číslo ďalšieho výpisu: 12"}},
        {"values outside their lists",
         s(uloha(0), [](Uloha& u) { u.periodicita = 5, u.cisloVypisu = 1500; }),
         true,
         {"Vstupný priečinok: " + vstup(), "Výstupný priečinok: " + vystup(), fmt0,
          "Číslo účtu: 2628765432/1100", "Periodicita výpisov: ", "Číslo ďalšieho výpisu: 999"}},
        {"number below the range",
         s(uloha(0), [](Uloha& u) { u.cisloVypisu = 0; }),
         true,
         {"Vstupný priečinok: " + vstup(), "Výstupný priečinok: " + vystup(), fmt0,
          "Číslo účtu: 2628765432/1100", "Periodicita výpisov: podľa vstupu", "Číslo ďalšieho výpisu: 1"}},
    };
    for (const Riadok& r : riadky) {
        SCOPED_TRACE(r.nazov);
        ZaznamBehu prostredie;
        prostredie.ulohy = {r.uloha};
        EXPECT_EQ(KontrolaNastaveni(prostredie), r.platna);
        Riadky ocakavane = {"Úlohy: ", oddelovaciRiadok, "1. Účet v TB"};
        ocakavane.insert(ocakavane.end(), r.blok.begin(), r.blok.end());
        ocakavane.push_back(oddelovaciRiadok);
        ocakavane.push_back(hintNastavenie);
        if (r.platna) ocakavane.push_back(hintStart);
        EXPECT_EQ(prostredie.riadky, ocakavane);
    }
}

TEST_F(KontrolaNastaveniTest, OneFailingTaskDisablesStartAfterEveryTaskIsListed)
{
    ZaznamBehu prostredie;
    prostredie.ulohy = {uloha(0), uloha(0, "")};
    prostredie.vybrata = 0;
    EXPECT_FALSE(KontrolaNastaveni(prostredie));
    EXPECT_EQ(prostredie.riadky.size(), 2u + 2 * 8 + 1);
    EXPECT_EQ(prostredie.riadky[10], "2. Účet v TB");
    EXPECT_EQ(prostredie.riadky.back(), hintNastavenie);
    EXPECT_EQ(prostredie.nacitane, (std::vector<int>{0, 1, 0}));
}

TEST_F(KontrolaNastaveniTest, EmptyTaskListAllowsStart)
{
    ZaznamBehu prostredie;
    EXPECT_TRUE(KontrolaNastaveni(prostredie));
    EXPECT_EQ(prostredie.riadky, (Riadky{"Úlohy: ", oddelovaciRiadok, hintNastavenie, hintStart}));
}

class SpustiUlohyTest : public ::testing::Test {
protected:
    void pridaj(int format, int cislo)
    {
        Uloha& u = prostredie.ulohy.emplace_back();
        u.id = int(prostredie.ulohy.size()) - 1;
        u.nazov = "úloha " + std::to_string(u.id + 1);
        u.priecinokVstup = utf8ZCesty(m_priecinok.cesta() / cestaZUtf8("prázdny"));
        u.priecinokVystup = utf8ZCesty(m_priecinok.cesta());
        u.format = format;
        u.cisloVypisu = cislo;
    }

    ZaznamBehu prostredie;

private:
    DocasnyPriecinok m_priecinok;
};

TEST_F(SpustiUlohyTest, RunsEveryTaskInOrderAndSelectsTheRememberedOneAgain)
{
    pridaj(0, 7);
    pridaj(9, 1);
    pridaj(3, 999);
    prostredie.vybrata = 1;
    SpustiUlohy(prostredie);
    EXPECT_EQ(prostredie.riadky,
              (Riadky{
                  oddelovaciRiadok,
                  "1. úloha 1",
                  "Vstupný priečinok neobsahuje žiadne *.txt súbory.",
                  "Číslo ďalšieho výpisu: 7",
                  oddelovaciRiadok,
                  "2. úloha 2",
                  "Vstupný priečinok neobsahuje žiadne *.csv súbory.",
                  "Číslo ďalšieho výpisu: 1",
                  oddelovaciRiadok,
                  "3. úloha 3",
                  "Vstupný priečinok neobsahuje žiadne *.csv súbory.",
                  "Číslo ďalšieho výpisu: 999",
              }));
    EXPECT_EQ(prostredie.nacitane, (std::vector<int>{0, 1, 2, 1}));
}

TEST_F(SpustiUlohyTest, UnexpectedFailureIsLoggedAndTheNextTaskRuns)
{
    pridaj(2, 5);
    pridaj(2, 6);
    prostredie.zlyhanieNaRiadku = "Vstupný priečinok neobsahuje žiadne *.csv súbory.";
    SpustiUlohy(prostredie);
    EXPECT_EQ(prostredie.riadky,
              (Riadky{
                  oddelovaciRiadok,
                  "1. úloha 1",
                  "Pri spracovaní úlohy nastala neočakávaná chyba: disk je plný",
                  "Číslo ďalšieho výpisu: 5",
                  oddelovaciRiadok,
                  "2. úloha 2",
                  "Vstupný priečinok neobsahuje žiadne *.csv súbory.",
                  "Číslo ďalšieho výpisu: 6",
              }));
}

TEST_F(SpustiUlohyTest, EmptyTaskListWritesNothing)
{
    SpustiUlohy(prostredie);
    EXPECT_TRUE(prostredie.riadky.empty());
    EXPECT_EQ(prostredie.nacitane, std::vector<int>{-1});
}

}  // namespace
}  // namespace kasamat::test
