// Faults of the disk and of the surroundings during a run; each case ends by
// checking that nothing was lost.

#include <fcntl.h>
#include <signal.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <sstream>
#include <thread>

#include "run/spustenie.h"
#include "store/databaza.h"
#include "vystavba.h"

namespace kasamat::test {
namespace {

constexpr int nemozno = 77;

std::vector<std::string> argumentyUlohy(const Uloha& u)
{
    return {"--format", std::to_string(u.format), "--input", u.priecinokVstup, "--output", u.priecinokVystup,
            "--account", u.cisloUctu, "--number", std::to_string(u.cisloVypisu), "--periodicity",
            std::to_string(u.periodicita)};
}

// Runs kasamat-batch in a child with a mount namespace of its own: `pripoj`
// mounts before the run, `po` looks at the folders while the mounts still
// stand. Answers the runner's exit status, or `nemozno` when this machine
// lets no test mount.
int spustiSPripojenim(const std::function<bool()>& pripoj, const std::vector<std::string>& argumenty,
                      const fs::path& priecinokVystupu, const std::function<void()>& po)
{
    const pid_t dieta = ::fork();
    if (dieta == 0) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || !pripoj())
            ::_exit(nemozno);
        const Beh beh = spusti(programBehu(), argumenty, priecinokVystupu);
        po();
        ::_exit(beh.status);
    }
    int stav = 0;
    ::waitpid(dieta, &stav, 0);
    return WIFEXITED(stav) ? WEXITSTATUS(stav) : -1;
}

void kopirujPriecinok(const fs::path& z, const fs::path& kam)
{
    fs::create_directories(kam);
    for (const auto& polozka : fs::directory_iterator(z)) fs::copy_file(polozka.path(), kam / polozka.path().filename());
}

std::map<std::string, std::string> dennyVstup(int suborov, int dni, int prvyDen = 0)
{
    std::map<std::string, std::string> vstupy;
    for (int s = 0; s < suborov; ++s) {
        std::vector<std::string> datumy;
        for (int d = 0; d < dni; ++d) datumy.push_back(datumPo(prvyDen + s * dni + d));
        char meno[32];
        std::snprintf(meno, sizeof meno, "v%03d.txt", s);
        vstupy[meno] = tatraTxt(datumy);
    }
    return vstupy;
}

TEST(Poruchy, ReadOnlyOutputFolderWritesNothingAndKeepsEverything)
{
    Konverzia k(0, 1);
    const auto vstupy = dennyVstup(2, 3);
    for (const auto& [meno, obsah] : vstupy) zapisSubor(k.vstup() / meno, obsah);
    const Ocakavane o = ocakavane(k.uloha, vstupy);
    const std::string vystup = k.vystup().string();
    const int stav = spustiSPripojenim(
        [&] {
            return ::mount(vystup.c_str(), vystup.c_str(), nullptr, MS_BIND, nullptr) == 0
                && ::mount(nullptr, vystup.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
        },
        argumentyUlohy(k.uloha), k.koren(), [] {});
    if (stav == nemozno) GTEST_SKIP() << "no read-only mount possible here";
    EXPECT_EQ(stav, 0);
    const std::string log = citajSubor(k.koren() / "stdout");
    EXPECT_NE(log.find("Výpis č. 5 sa nepodarilo zapísať: v000.txt (20190101).clr\nČíslo ďalšieho výpisu: 5\n"),
              std::string::npos) << log;
    EXPECT_EQ(overNicNestratene(k.vstup(), k.vystup(), o), 0u);
    EXPECT_EQ(obsahPriecinka(k.vstup()).size(), 2u);
}

TEST(Poruchy, DiskFullDuringAStatementKeepsTheWholeOnesAndTheInput)
{
    Konverzia k(0, 1);
    // Forty daily statements of one file, then more: far beyond a 24 KiB disk.
    auto vstupy = dennyVstup(1, 3);
    for (auto& [meno, obsah] : dennyVstup(1, 40, 100)) vstupy["w" + meno] = obsah;
    for (const auto& [meno, obsah] : vstupy) zapisSubor(k.vstup() / meno, obsah);
    const Ocakavane o = ocakavane(k.uloha, vstupy);
    const std::string vystup = k.vystup().string();
    const fs::path videne = k.koren() / "videne";
    const int stav = spustiSPripojenim(
        [&] { return ::mount("tmpfs", vystup.c_str(), "tmpfs", 0, "size=24k") == 0; }, argumentyUlohy(k.uloha),
        k.koren(), [&] { kopirujPriecinok(vystup, videne); });
    if (stav == nemozno) GTEST_SKIP() << "no tmpfs mount possible here";
    EXPECT_EQ(stav, 0);
    const std::string log = citajSubor(k.koren() / "stdout");
    EXPECT_NE(log.find("sa nepodarilo zapísať: wv000.txt ("), std::string::npos) << log;
    const std::size_t vypisov = overNicNestratene(k.vstup(), videne, o);
    EXPECT_GT(vypisov, 3u);
    EXPECT_LT(vypisov, 43u);
    EXPECT_NE(log.find("Číslo ďalšieho výpisu: " + std::to_string(5 + vypisov) + "\n"), std::string::npos) << log;
    // The statements of the file that did not fit are written again by the
    // next run, from the start.
    EXPECT_TRUE(obsahPriecinka(k.vstup()).count("wv000.txt"));
}

// A report that does something to the folders once the first statement of
// the run stands: between the two passes of every later file.
struct HlasenieSoZasahom : ZaznamHlasenia {
    std::function<void()> zasah;
    bool noveCisloVypisu(int id, int novy) override
    {
        ZaznamHlasenia::noveCisloVypisu(id, novy);
        if (zasah) std::exchange(zasah, nullptr)();
        return true;
    }
};

TEST(Poruchy, InputThatChangesBetweenThePassesIsNamedInvalidAndNothingOfItIsWritten)
{
    const struct {
        const char* nazov;
        std::function<void(const fs::path&)> zasah;
        bool zostava;  // the path still holds the original content
    } riadky[] = {
        {"removed", [](const fs::path& p) { fs::remove(p); }, false},
        {"replaced by a folder", [](const fs::path& p) { fs::remove(p), fs::create_directory(p); }, false},
        {"replaced by a pipe", [](const fs::path& p) { fs::remove(p), ::mkfifo(p.c_str(), 0600); }, false},
        {"replaced by a dangling link", [](const fs::path& p) { fs::remove(p), fs::create_symlink("nie je", p); }, false},
        {"emptied", [](const fs::path& p) { zapisSubor(p, ""); }, false},
        {"now other dates", [](const fs::path& p) { zapisSubor(p, tatraTxt({"20.03.2019", "21.03.2019"})); }, false},
    };
    for (const auto& r : riadky) {
        SCOPED_TRACE(r.nazov);
        Konverzia k(0, 1);
        zapisSubor(k.vstup() / "a.txt", tatraTxt({"01.03.2019"}));
        zapisSubor(k.vstup() / "b.txt", tatraTxt({"02.03.2019", "03.03.2019"}));
        zapisSubor(k.vstup() / "c.txt", tatraTxt({"04.03.2019"}));
        HlasenieSoZasahom hlasenie;
        hlasenie.zasah = [&] { r.zasah(k.vstup() / "b.txt"); };
        Konvertuj(bankaFormatu(0), k.uloha, hlasenie);
        EXPECT_EQ(hlasenie.riadky, (std::vector<std::string>{"Vygenerovaný výpis č. 5: a.txt (20190301).clr",
                                                             "Vygenerovaný výpis č. 6: c.txt (20190304).clr",
                                                             neplatneSubory + "b.txt"}));
        EXPECT_EQ(obsahPriecinka(k.vystup()), (std::set<std::string>{"a.txt", "a.txt (20190301).clr", "c.txt",
                                                                     "c.txt (20190304).clr"}));
        EXPECT_EQ(hlasenie.cislo, 7);
    }
}

TEST(Poruchy, InputFolderMovedAwayDuringARunLosesNothing)
{
    Konverzia k(0, 1);
    const auto vstupy = dennyVstup(3, 2);
    for (const auto& [meno, obsah] : vstupy) zapisSubor(k.vstup() / meno, obsah);
    const Ocakavane o = ocakavane(k.uloha, vstupy);
    const fs::path presunuty = k.koren() / "presunuty";
    HlasenieSoZasahom hlasenie;
    hlasenie.zasah = [&] { fs::rename(k.vstup(), presunuty); };
    Konvertuj(bankaFormatu(0), k.uloha, hlasenie);
    EXPECT_EQ(hlasenie.riadky, (std::vector<std::string>{"Vygenerovaný výpis č. 5: v000.txt (20190101).clr",
                                                         "Vygenerovaný výpis č. 6: v000.txt (20190102).clr",
                                                         neplatneSubory + "v001.txt, v002.txt"}));
    // The first file's statements stand; its move found no source, so it
    // stays in the moved folder with the others.
    EXPECT_EQ(overNicNestratene(presunuty, k.vystup(), o), 2u);
    EXPECT_EQ(obsahPriecinka(presunuty).size(), 3u);
}

// A program folder with kasamat-batch and its companion files, and a user.dat
// whose first task converts Tatra banka TXT exports daily.
class ProgramovyPriecinok {
public:
    ProgramovyPriecinok()
    {
        for (const char* subor : {"kasamat-batch", "default.dat", "release.nfo", "TeamViewerQS_sk.exe"})
            fs::copy_file(fs::path(KASAMAT_BIN_DIR) / subor, m_priecinok.cesta() / subor);
        fs::create_directory(vstup());
        fs::create_directory(vystup());
        spusti(program(), {}, m_priecinok.cesta());
        Databaza databaza;
        EXPECT_TRUE(databaza.otvor(userDat().string()));
        databaza.SQL("UPDATE Ulohy SET PriecinokVstup='" + sqlText(vstup().string()) + "', PriecinokVystup='"
                     + sqlText(vystup().string()) + "', Format=0, CisloUctu='2628765432', CisloVypisu=1, "
                     "Periodicita=1 WHERE ID=0;");
    }
    fs::path program() const { return m_priecinok.cesta() / "kasamat-batch"; }
    fs::path userDat() const { return m_priecinok.cesta() / "user.dat"; }
    fs::path vstup() const { return m_priecinok.cesta() / "vstup"; }
    fs::path vystup() const { return m_priecinok.cesta() / "vystup"; }
    const fs::path& koren() const { return m_priecinok.cesta(); }
    Beh spustiBeh() const { return spusti(program(), {}, m_priecinok.cesta()); }

    // The task's stored next number; -1 when user.dat does not open or read.
    long long cisloVypisu() const
    {
        Databaza databaza;
        if (!databaza.otvor(userDat().string()) || databaza.SQL("SELECT CisloVypisu FROM Ulohy WHERE ID=0;") != 1)
            return -1;
        return databaza.cislo(0, "CisloVypisu");
    }

private:
    DocasnyPriecinok m_priecinok;
};

std::size_t pocetVypisov(const fs::path& priecinok)
{
    std::size_t pocet = 0;
    for (const std::string& meno : obsahPriecinka(priecinok)) pocet += meno.ends_with(".clr");
    return pocet;
}

// The number each statement file carries in its ZV: record.
std::set<int> cislaVypisov(const fs::path& priecinok)
{
    std::set<int> cisla;
    for (const std::string& meno : obsahPriecinka(priecinok)) {
        if (!meno.ends_with(".clr")) continue;
        const std::string obsah = citajSubor(priecinok / meno);
        const std::size_t zv = obsah.find("\r\nZV:");
        const auto slova = obsah.substr(zv + 5, obsah.find('\r', zv + 2) - zv - 5);
        // "ZV:EUR 1100 0 yyyymmdd <number> 1 ..."
        std::istringstream text(slova);
        std::string mena, kod, nula, datum;
        int cislo = 0;
        text >> mena >> kod >> nula >> datum >> cislo;
        EXPECT_TRUE(cisla.insert(cislo).second) << "number " << cislo << " written twice, last in " << meno;
    }
    return cisla;
}

TEST(Poruchy, KilledRunsLoseNothingAndTheNextRunCompletesTheWorkWithTheNumbersGoingOn)
{
    ProgramovyPriecinok p;
    // 60 files of 5 days: 300 daily statements.
    const auto vstupy = dennyVstup(60, 5);
    for (const auto& [meno, obsah] : vstupy) zapisSubor(p.vstup() / meno, obsah);
    Uloha uloha;
    uloha.format = 0;
    uloha.periodicita = 1;
    uloha.cisloUctu = "2628765432";
    const Ocakavane o = ocakavane(uloha, vstupy);
    ASSERT_EQ(o.obsahVypisu.size(), 300u);

    long long cislo = 1;
    for (const std::size_t po : {1u, 60u, 150u, 260u}) {
        SCOPED_TRACE("killed after " + std::to_string(po) + " statements");
        const std::string out = (p.koren() / "stdout").string();
        pid_t pid = 0;
        posix_spawn_file_actions_t akcie;
        posix_spawn_file_actions_init(&akcie);
        posix_spawn_file_actions_addopen(&akcie, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::string program = p.program().string();
        char* argv[] = {program.data(), nullptr};
        ASSERT_EQ(posix_spawn(&pid, argv[0], &akcie, nullptr, argv, environ), 0);
        posix_spawn_file_actions_destroy(&akcie);
        int stav = 0;
        bool skoncil = false;
        while (!skoncil && pocetVypisov(p.vystup()) < po) skoncil = ::waitpid(pid, &stav, WNOHANG) == pid;
        if (!skoncil) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &stav, 0);
        }
        overNicNestratene(p.vstup(), p.vystup(), o, true);
        const long long ulozene = p.cisloVypisu();
        ASSERT_GE(ulozene, cislo) << "user.dat does not open, or its number went back";
        // The number stored is past every statement written so far.
        const std::set<int> cisla = cislaVypisov(p.vystup());
        if (!cisla.empty()) {
            EXPECT_LE(*cisla.rbegin(), ulozene);
        }
        cislo = ulozene;
        // A temporary file of this killed run is cleared by the next one.
        zapisSubor(p.vystup() / (".kasamat-" + std::to_string(pid) + "-0.tmp"), "HD:11 20190101");
    }
    const Beh beh = p.spustiBeh();
    EXPECT_EQ(beh.status, 0) << beh.chyby;
    EXPECT_NE(beh.vystup.find("Vygenerovaný výpis č. " + std::to_string(cislo) + ": "), std::string::npos);
    EXPECT_EQ(overNicNestratene(p.vstup(), p.vystup(), o), 300u);
    EXPECT_TRUE(obsahPriecinka(p.vstup()).empty());
    const std::set<int> cisla = cislaVypisov(p.vystup());
    EXPECT_EQ(p.cisloVypisu(), *cisla.rbegin() + 1);
}

TEST(Poruchy, DamagedUserDatIsReplacedAndKeptAsBak)
{
    const struct {
        const char* nazov;
        std::function<std::string(const std::string&)> poskod;
    } riadky[] = {
        {"truncated", [](const std::string& obsah) { return obsah.substr(0, obsah.size() / 2); }},
        {"cut to its first page", [](const std::string& obsah) { return obsah.substr(0, 1024); }},
        {"garbage", [](const std::string& obsah) {
             std::string text(obsah.size(), '\0');
             for (std::size_t i = 0; i < text.size(); ++i) text[i] = char((i * 7919u + 13u) % 251u);
             return text;
         }},
        {"empty", [](const std::string&) { return std::string(); }},
    };
    for (const auto& r : riadky) {
        SCOPED_TRACE(r.nazov);
        ProgramovyPriecinok p;
        const std::string poskodeny = r.poskod(citajSubor(p.userDat()));
        zapisSubor(p.userDat(), poskodeny);
        const Beh beh = p.spustiBeh();
        // The template's task has no folders: the validation stops the run.
        EXPECT_EQ(beh.status, 1) << beh.chyby;
        EXPECT_EQ(citajSubor(p.koren() / "user.dat.bak"), poskodeny);
        EXPECT_EQ(p.cisloVypisu(), 1);
        EXPECT_FALSE(fs::exists(p.koren() / "user.dat.tmp"));
    }
}

TEST(Poruchy, LockedUserDatIsNeitherReplacedNorChanged)
{
    ProgramovyPriecinok p;
    zapisSubor(p.vstup() / "a.txt", tatraTxt({"01.03.2019"}));
    const std::string pred = citajSubor(p.userDat());
    Databaza drzitel;
    ASSERT_TRUE(drzitel.otvor(p.userDat().string()));
    drzitel.SQL("BEGIN EXCLUSIVE;");
    drzitel.SQL("UPDATE Ulohy SET Nazov='drží zámok' WHERE ID=0;");
    const Beh zamknuty = p.spustiBeh();
    EXPECT_NE(zamknuty.status, 0);
    EXPECT_FALSE(fs::exists(p.koren() / "user.dat.bak"));
    EXPECT_EQ(obsahPriecinka(p.vstup()), std::set<std::string>{"a.txt"});
    EXPECT_EQ(obsahPriecinka(p.vystup()), std::set<std::string>{});
    drzitel.SQL("COMMIT;");
    drzitel.zatvor();
    EXPECT_NE(citajSubor(p.userDat()), pred);

    // Once the lock is gone the run goes on from the stored number.
    const Beh beh = p.spustiBeh();
    EXPECT_EQ(beh.status, 0) << beh.vystup << beh.chyby;
    EXPECT_NE(beh.vystup.find("1. drží zámok\nVygenerovaný výpis č. 1: a.txt (20190301).clr\n"), std::string::npos)
        << beh.vystup;
    EXPECT_EQ(p.cisloVypisu(), 2);
}

}  // namespace
}  // namespace kasamat::test
