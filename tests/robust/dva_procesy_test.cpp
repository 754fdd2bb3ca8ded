// Two Kasamats on one settings file, started for real: one of them works,
// the other stays off user.dat, and no task or statement number is lost.

#include <array>

#include "platform/zamok.h"
#include "podpora/stare_verzie.h"
#include "program.h"

namespace kasamat::test {
namespace {

// Both start at the same moment on a user.dat of an older release.
TEST(TwoProcesses, SimultaneousStartsOnEachOlderLayoutKeepEveryTaskAndTheBackup)
{
    for (const StaraVerzia& stara : stareVerzie) {
        for (int pokus = 0; pokus < 10; ++pokus) {
            SCOPED_TRACE(std::string(stara.verzia) + ", try " + std::to_string(pokus + 1));
            DocasnyPriecinok priecinok;
            kopirujProgram(priecinok.cesta());
            const std::string user = utf8ZCesty(priecinok.cesta() / "user.dat");
            vykonaj(user, staryUser(stara.verzia, stara.rozlozenie));
            const std::string stareBajty = citajSubor(user);
            const std::array<fs::path, 2> vystupy = {priecinok.cesta() / "1", priecinok.cesta() / "2"};
            for (const fs::path& vystup : vystupy) fs::create_directory(vystup);
            std::array<int, 2> stavy{};
            {
                Proces prvy(priecinok.cesta() / menoProgramuBehu, {}, vystupy[0]);
                Proces druhy(priecinok.cesta() / menoProgramuBehu, {}, vystupy[1]);
                stavy = {prvy.cakaj(), druhy.cakaj()};
            }
            // The tasks' folders do not exist: a run that got the settings
            // stops at the validation (1); one that found them in use, 3.
            for (const int stav : stavy) EXPECT_TRUE(stav == 1 || stav == 3) << stav;
            EXPECT_NE(stavy, (std::array<int, 2>{3, 3}));
            Databaza databaza;
            ASSERT_TRUE(databaza.otvor(user));
            EXPECT_EQ(citajUlohy(databaza), ulohyPoAktualizacii(stara.rozlozenie));
            EXPECT_TRUE(citajSubor(user + ".bak") == stareBajty) << "user.dat.bak is not the older user.dat";
            // One failing try tells all.
            if (::testing::Test::HasFailure()) return;
        }
    }
}

TEST(TwoProcesses, SimultaneousRunsOfOneTaskGiveEachStatementNumberOnce)
{
    ProgramovyPriecinok p;
    // Five exports of 90 days: 450 daily statements, a run of a few seconds.
    for (const auto& [meno, obsah] : dennyVstup(5, 90)) zapisSubor(p.vstup() / meno, obsah);
    const std::array<fs::path, 2> vystupy = {p.koren() / "1", p.koren() / "2"};
    for (const fs::path& vystup : vystupy) fs::create_directory(vystup);
    std::array<int, 2> stavy{};
    {
        Proces prvy(p.program(), {}, vystupy[0]);
        Proces druhy(p.program(), {}, vystupy[1]);
        stavy = {prvy.cakaj(), druhy.cakaj()};
    }
    // One converts everything; the other finds the settings in use.
    const std::size_t druhy = stavy[0] == 0 ? 1 : 0;
    EXPECT_EQ(stavy[1 - druhy], 0);
    EXPECT_EQ(stavy[druhy], 3);
    EXPECT_EQ(citajSubor(vystupy[druhy] / "stderr"), "Nastavenia používa iný spustený Kasamat.\n");
    const std::set<int> cisla = cislaVypisov(p.vystup());
    EXPECT_EQ(cisla.size(), 450u);
    EXPECT_EQ(p.cisloVypisu(), *cisla.rbegin() + 1);
    EXPECT_TRUE(menaVPriecinku(p.vstup()).empty());
}

// A backup or settings file left read-only (as an upgrade of a read-only
// user.dat used to leave its backup) stands in the way of no later start,
// and the files the start makes are the user's to write.
TEST(TwoProcesses, ReadOnlyFilesBesideTheSettingsBlockNoUpgrade)
{
    const auto citatelny = [](const fs::path& cesta) {
        fs::permissions(cesta, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    };
    const struct {
        const char* nazov;
        std::string stary;  // user.dat before the start
        bool zalohaIbaNaCitanie;  // an older user.dat.bak, read-only, beside it
        bool userIbaNaCitanie;
        bool staraVerzia;  // the tasks must be carried over
    } riadky[] = {
        {"older file, read-only backup", "", true, false, true},
        {"damaged file, read-only backup", "poškodený", true, false, false},
        {"read-only older file", "", false, true, true},
    };
    for (const auto& r : riadky) {
        SCOPED_TRACE(r.nazov);
        DocasnyPriecinok priecinok;
        kopirujProgram(priecinok.cesta());
        const fs::path user = priecinok.cesta() / "user.dat", zaloha = priecinok.cesta() / "user.dat.bak";
        if (r.staraVerzia) {
            vykonaj(utf8ZCesty(user), staryUser("2.2.0.0", Rozlozenie::uplne));
        } else {
            zapisSubor(user, r.stary);
        }
        const std::string stareBajty = citajSubor(user);
        if (r.zalohaIbaNaCitanie) {
            zapisSubor(zaloha, "záloha staršieho vydania");
            citatelny(zaloha);
        }
        if (r.userIbaNaCitanie) citatelny(user);
        odovzdajPouzivatelovi(priecinok.cesta());

        const int stav = Proces(priecinok.cesta() / menoProgramuBehu, {}, priecinok.cesta(), true).cakaj();
        EXPECT_EQ(stav, 1) << citajSubor(priecinok.cesta() / "stderr");
        EXPECT_TRUE(citajSubor(zaloha) == stareBajty) << "user.dat.bak is not the user.dat before the start";
        Databaza databaza;
        ASSERT_TRUE(databaza.otvor(utf8ZCesty(user)));
        if (r.staraVerzia) {
            EXPECT_EQ(citajUlohy(databaza), ulohyPoAktualizacii(Rozlozenie::uplne));
        }
        ASSERT_EQ(databaza.SQL("SELECT Cislo FROM Verzia;"), 1);
        EXPECT_EQ(databaza.text(0, "Cislo"), "2.5.0.0");
        for (const fs::path& cesta : {user, zaloha})
            EXPECT_NE(fs::status(cesta).permissions() & fs::perms::owner_write, fs::perms::none) << cesta;
    }
}

// A second window for a settings file that a running Kasamat holds says so
// and ends without opening user.dat.
TEST(TwoProcesses, SecondWindowTellsTheUserAndLeavesUserDatAsItIs)
{
    if (!maObrazovku()) GTEST_SKIP() << "no screen to show a window on";
    DocasnyPriecinok priecinok;
    kopirujProgram(priecinok.cesta());
    fs::copy_file(fs::path(KASAMAT_BIN_DIR) / menoProgramuOkna, priecinok.cesta() / menoProgramuOkna);
    const fs::path user = priecinok.cesta() / "user.dat";
    fs::copy_file(priecinok.cesta() / "default.dat", user);
    const std::string bajty = citajSubor(user);
    const ZamokNastaveni beziaci(user);
    ASSERT_EQ(beziaci.stav(), ZamokNastaveni::Stav::Drzany);

    Proces druhy(priecinok.cesta() / menoProgramuOkna, {}, priecinok.cesta());
    EXPECT_TRUE(zatvorOkno("Kontomat")) << "no message titled Kontomat";
    EXPECT_EQ(druhy.cakaj(), 0) << citajSubor(priecinok.cesta() / "stderr");
    EXPECT_TRUE(citajSubor(user) == bajty) << "user.dat changed";
    EXPECT_FALSE(fs::exists(priecinok.cesta() / "user.dat.bak"));
}

}  // namespace
}  // namespace kasamat::test
