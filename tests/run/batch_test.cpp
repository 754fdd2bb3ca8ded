// kasamat-batch as a user runs it: the command line, a one-task run, and the
// tasks of user.dat in its program folder.

#include <gtest/gtest.h>

#include "run/hlasenie.h"
#include "platform/cesta.h"
#include "podpora/proces.h"
#include "podpora/subor_nastaveni.h"

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
        {"variable symbol beyond int", {"--format", "1", "--input", "a", "--output", "b", "--variable-symbol",
                                        "99999999999"}},
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
    const Beh beh = spusti(programBehu(),
                           {"--input", utf8ZCesty(priecinok.cesta() / "vstup"), "--output", utf8ZCesty(priecinok.cesta()),
                            "--format", "-4", "--number", "-7", "--name", "Fio 'účet'; --", "--text", ""},
                           priecinok.cesta());
    EXPECT_EQ(beh.status, 0) << beh.chyby;
    EXPECT_EQ(beh.vystup, oddelovaciRiadok + "\n1. Fio 'účet'; --\n"
                                             "Vstupný priečinok neobsahuje žiadne *.csv súbory.\n"
                                             "Číslo ďalšieho výpisu: 1\n");
}

// A program folder of its own: the runner, the files that ship beside it,
// and the user.dat it makes there.
class ProgramovyPriecinok : public ::testing::Test {
protected:
    void SetUp() override
    {
        kopirujProgram(program());
        fs::create_directory(m_priecinok.cesta() / "vstup");
        fs::create_directory(m_priecinok.cesta() / cestaZUtf8("výstup"));
    }
    fs::path program() const { return m_priecinok.cesta(); }
    std::string vstup() const { return utf8ZCesty(m_priecinok.cesta() / "vstup"); }
    std::string vystup() const { return utf8ZCesty(m_priecinok.cesta() / cestaZUtf8("výstup")); }
    Beh spustiBezVolieb() { return spusti(program() / menoProgramuBehu, {}, m_priecinok.cesta()); }

private:
    DocasnyPriecinok m_priecinok;
};

TEST_F(ProgramovyPriecinok, FailedValidationPrintsTheSummaryAndExitsWith1)
{
    const Beh beh = spustiBezVolieb();
    EXPECT_EQ(beh.status, 1);
    EXPECT_TRUE(fs::exists(program() / "user.dat"));
    EXPECT_EQ(beh.vystup.substr(0, beh.vystup.find(oddelovaciRiadok)), "Úlohy: \n");
    EXPECT_TRUE(beh.vystup.ends_with("Uvedené parametre môžete zmeniť na záložke Nastavenie.\n"));
}

TEST_F(ProgramovyPriecinok, UsableTasksRunWithoutTheSummaryAndKeepTheirNumbers)
{
    ASSERT_EQ(spustiBezVolieb().status, 1);
    {
        Databaza databaza;
        ASSERT_TRUE(databaza.otvor(utf8ZCesty(program() / "user.dat")));
        const Uloha fio{0, "úloha", vstup(), vystup(), 3, "", 1500, 0, 0, ""};
        const Uloha tatra{1, "druhá", vstup(), vystup(), 0, "123", 4, 0, 0, ""};
        ASSERT_TRUE(zapisUlohy(databaza, {fio, tatra}, 0));
    }
    const Beh beh = spustiBezVolieb();
    EXPECT_EQ(beh.status, 0) << beh.chyby;
    EXPECT_EQ(beh.vystup, oddelovaciRiadok + "\n1. úloha\nVstupný priečinok neobsahuje žiadne *.csv súbory.\n"
                              "Číslo ďalšieho výpisu: 999\n" + oddelovaciRiadok + "\n2. druhá\n"
                              "Vstupný priečinok neobsahuje žiadne *.txt súbory.\nČíslo ďalšieho výpisu: 4\n");
    Databaza databaza;
    ASSERT_TRUE(databaza.otvor(utf8ZCesty(program() / "user.dat")));
    ASSERT_EQ(databaza.SQL("SELECT CisloVypisu FROM Ulohy WHERE ID=0;"), 1);
    EXPECT_EQ(databaza.cislo(0, "CisloVypisu"), 999);
}

// A statement number that cannot be stored (another program holds user.dat
// for writing longer than the wait) is named; the statement stands.
TEST_F(ProgramovyPriecinok, NumberThatCannotBeStoredIsNamed)
{
    ASSERT_EQ(spustiBezVolieb().status, 1);
    Databaza ina;
    ASSERT_TRUE(ina.otvor(utf8ZCesty(program() / "user.dat")));
    const Uloha fio{0, "úloha", vstup(), vystup(), 3, "", 7, 0, 0, ""};
    ASSERT_TRUE(zapisUlohy(ina, {fio}, 0));
    fs::copy_file(fs::path(KASAMAT_TEST_DATA) / "golden/fio-per-file/input/vypis_marec.csv",
                  cestaZUtf8(vstup()) / "vypis_marec.csv");
    ina.SQL("BEGIN IMMEDIATE;");
    const Beh beh = spustiBezVolieb();
    ina.SQL("COMMIT;");
    EXPECT_EQ(beh.status, 0) << beh.chyby;
    EXPECT_NE(beh.vystup.find("Vygenerovaný výpis č. 7: vypis_marec (20190329).gpc\n"
                              "Číslo ďalšieho výpisu 8 sa nepodarilo uložiť do nastavení úlohy.\n"),
              std::string::npos)
        << beh.vystup;
    EXPECT_TRUE(fs::exists(cestaZUtf8(vystup()) / "vypis_marec.csv"));
    ASSERT_EQ(ina.SQL("SELECT CisloVypisu FROM Ulohy WHERE ID=0;"), 1);
    EXPECT_EQ(ina.cislo(0, "CisloVypisu"), 7);
}

TEST_F(ProgramovyPriecinok, MissingCompanionFileStopsWithTheErrorText)
{
    fs::remove(program() / "release.nfo");
    const Beh beh = spustiBezVolieb();
    EXPECT_EQ(beh.status, 1);
    EXPECT_TRUE(beh.vystup.empty());
    EXPECT_NE(beh.chyby.find("Súbory aplikácie nie sú v poriadku"), std::string::npos);
}

}  // namespace
}  // namespace kasamat::test
