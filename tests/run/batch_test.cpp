// kasamat-batch as a user runs it: the command line, a one-task run, and the
// tasks of user.dat in its program folder.

#include <gtest/gtest.h>

#include "platform/cesta.h"
#include "podpora/proces.h"
#include "podpora/subor_nastaveni.h"
#include "run/hlasenie.h"

namespace kasamat::test {
namespace {

namespace fs = std::filesystem;

TEST(KasamatBatch, UnusableCommandLinesPrintTheUsageAndExitWith2)
{
    const struct {
        const char* nazov;
        std::vector<std::string> argumenty;
    } riadky[] = {
        {"unknown option", {"--format", "3", "--input", "a", "--output", "b", "--verbose", "1"}},
        {"positional argument", {"vstup"}},
        {"missing value", {"--format", "3", "--input", "a", "--output"}},
        {"format not an integer", {"--format", "fio", "--input", "a", "--output", "b"}},
        {"number with trailing text", {"--format", "3", "--input", "a", "--output", "b", "--number", "7x"}},
        {"empty periodicity", {"--format", "3", "--input", "a", "--output", "b", "--periodicity", ""}},
        {"variable symbol beyond int",
         {"--format", "1", "--input", "a", "--output", "b", "--variable-symbol", "99999999999"}},
        {"no output folder", {"--format", "3", "--input", "a"}},
        {"no input folder", {"--format", "3", "--output", "b"}},
        {"no format", {"--input", "a", "--output", "b"}},
    };
    DocasnyPriecinok priecinok;
    for (const auto& riadok : riadky) {
        SCOPED_TRACE(riadok.nazov);
        const Beh beh = spusti(programBehu(), riadok.argumenty, priecinok.cesta());
        EXPECT_EQ(beh.status, 2);
        EXPECT_TRUE(beh.vystup.empty());
        EXPECT_NE(beh.chyby.find("Usage: kasamat-batch"), std::string::npos);
    }
}

TEST(KasamatBatch, OneTaskPrintsItsBlockWithTheGivenValues)
{
    DocasnyPriecinok priecinok;
    fs::create_directory(priecinok.cesta() / "vstup");
    const Beh beh =
        spusti(programBehu(),
               {"--input", utf8ZCesty(priecinok.cesta() / "vstup"), "--output", utf8ZCesty(priecinok.cesta()),
                "--format", "-4", "--number", "-7", "--name", "Fio 'účet'; --", "--text", ""},
               priecinok.cesta());
    EXPECT_EQ(beh.status, 0) << beh.chyby;
    EXPECT_EQ(beh.vystup, oddelovaciRiadok + "\n1. Fio 'účet'; --\n"
                                             "Vstupný priečinok neobsahuje žiadne *.csv súbory.\n"
                                             "Číslo ďalšieho výpisu: 1\n");
}

// kasamat-batch in a program folder of its own, before its first run.
class ProgramovyPriecinok : public ::testing::Test, public PriecinokProgramuBehu {};

TEST_F(ProgramovyPriecinok, FailedValidationPrintsTheSummaryAndExitsWith1)
{
    const Beh beh = spustiBeh();
    EXPECT_EQ(beh.status, 1);
    EXPECT_TRUE(fs::exists(userDat()));
    EXPECT_EQ(beh.vystup.substr(0, beh.vystup.find(oddelovaciRiadok)), "Úlohy: \n");
    EXPECT_TRUE(beh.vystup.ends_with("Uvedené parametre môžete zmeniť na záložke Nastavenie.\n"));
}

TEST_F(ProgramovyPriecinok, UsableTasksRunWithoutTheSummaryAndKeepTheirNumbers)
{
    ASSERT_EQ(spustiBeh().status, 1);
    {
        Databaza databaza;
        ASSERT_TRUE(databaza.otvor(utf8ZCesty(userDat())));
        const Uloha fio{0, "úloha", utf8ZCesty(vstup()), utf8ZCesty(vystup()), 3, "", 1500, 0, 0, ""};
        const Uloha tatra{1, "druhá", utf8ZCesty(vstup()), utf8ZCesty(vystup()), 0, "123", 4, 0, 0, ""};
        ASSERT_TRUE(zapisUlohy(databaza, {fio, tatra}, 0));
    }
    const Beh beh = spustiBeh();
    EXPECT_EQ(beh.status, 0) << beh.chyby;
    EXPECT_EQ(beh.vystup, oddelovaciRiadok + "\n1. úloha\nVstupný priečinok neobsahuje žiadne *.csv súbory.\n"
                              "Číslo ďalšieho výpisu: 999\n" + oddelovaciRiadok + "\n2. druhá\n"
                              "Vstupný priečinok neobsahuje žiadne *.txt súbory.\nČíslo ďalšieho výpisu: 4\n");
    Databaza databaza;
    ASSERT_TRUE(databaza.otvor(utf8ZCesty(userDat())));
    ASSERT_EQ(databaza.SQL("SELECT CisloVypisu FROM Ulohy WHERE ID=0;"), 1);
    EXPECT_EQ(databaza.cislo(0, "CisloVypisu"), 999);
}

// A statement number that cannot be stored (another program holds user.dat
// for writing longer than the wait) is named; the statement stands.
TEST_F(ProgramovyPriecinok, NumberThatCannotBeStoredIsNamed)
{
    ASSERT_EQ(spustiBeh().status, 1);
    Databaza ina;
    ASSERT_TRUE(ina.otvor(utf8ZCesty(userDat())));
    const Uloha fio{0, "úloha", utf8ZCesty(vstup()), utf8ZCesty(vystup()), 3, "", 7, 0, 0, ""};
    ASSERT_TRUE(zapisUlohy(ina, {fio}, 0));
    fs::copy_file(fs::path(KASAMAT_TEST_DATA) / "golden/fio-per-file/input/vypis_marec.csv",
                  vstup() / "vypis_marec.csv");
    ina.SQL("BEGIN IMMEDIATE;");
    const Beh beh = spustiBeh();
    ina.SQL("COMMIT;");
    EXPECT_EQ(beh.status, 0) << beh.chyby;
    EXPECT_NE(beh.vystup.find("Vygenerovaný výpis č. 7: vypis_marec (20190329).gpc\n"
                              "Číslo ďalšieho výpisu 8 sa nepodarilo uložiť do nastavení úlohy.\n"),
              std::string::npos)
        << beh.vystup;
    EXPECT_TRUE(fs::exists(vystup() / "vypis_marec.csv"));
    ASSERT_EQ(ina.SQL("SELECT CisloVypisu FROM Ulohy WHERE ID=0;"), 1);
    EXPECT_EQ(ina.cislo(0, "CisloVypisu"), 7);
}

TEST_F(ProgramovyPriecinok, MissingCompanionFileStopsWithTheErrorText)
{
    fs::remove(koren() / "release.nfo");
    const Beh beh = spustiBeh();
    EXPECT_EQ(beh.status, 1);
    EXPECT_TRUE(beh.vystup.empty());
    EXPECT_NE(beh.chyby.find("Súbory aplikácie nie sú v poriadku"), std::string::npos);
}

}  // namespace
}  // namespace kasamat::test
