// Faults of the disk during a run, made with mounts in a mount namespace of
// the runner's own; each case ends by checking that nothing was lost.

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "podpora/proces.h"
#include "podpora/stare_verzie.h"
#include "vystavba.h"

namespace kasamat::test {
namespace {

constexpr int nemozno = 77;

// Runs kasamat-batch in a child with a mount namespace of its own: `pripoj`
// mounts before the run, `po` looks at the folders while the mounts still
// stand. Answers the runner's exit status, or `nemozno` when this machine
// lets no test mount.
int spustiSPripojenim(const std::function<bool()>& pripoj, const std::vector<std::string>& argumenty,
                      const fs::path& priecinokVystupu, const std::function<void()>& po,
                      const fs::path& program = programBehu())
{
    const pid_t dieta = ::fork();
    if (dieta == 0) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || !pripoj())
            ::_exit(nemozno);
        const Beh beh = spusti(program, argumenty, priecinokVystupu);
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
    for (const auto& polozka : fs::directory_iterator(z))
        fs::copy_file(polozka.path(), kam / polozka.path().filename());
}

TEST(Faults, ReadOnlyOutputFolderWritesNothingAndKeepsEverything)
{
    Konverzia k(0, 1);
    const auto vstupy = dennyVstup(2, 3);
    for (const auto& [meno, obsah] : vstupy) zapisSubor(k.vstup() / cestaZUtf8(meno), obsah);
    const Ocakavane o = ocakavane(k.uloha, vstupy);
    const std::string vystup = utf8ZCesty(k.vystup());
    const int stav = spustiSPripojenim(
        [&] {
            return ::mount(vystup.c_str(), vystup.c_str(), nullptr, MS_BIND, nullptr) == 0
                && ::mount(nullptr, vystup.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
        },
        argumentyUlohy(k.uloha), k.koren(), [] {});
    if (stav == nemozno) GTEST_SKIP() << "no read-only mount possible here";
    EXPECT_EQ(stav, 0);
    const std::string log = citajSubor(k.koren() / "stdout");
    EXPECT_NE(
        log.find("Výpis č. 5 sa nepodarilo zapísať: v000.txt (20190101).clr\nČíslo ďalšieho výpisu: 5\n"),
        std::string::npos)
        << log;
    EXPECT_EQ(overNicNestratene(k.vstup(), k.vystup(), o), 0u);
    EXPECT_EQ(menaVPriecinku(k.vstup()).size(), 2u);
}

TEST(Faults, DiskFullDuringAStatementKeepsTheWholeOnesAndTheInput)
{
    Konverzia k(0, 1);
    // Forty daily statements of one file, then more: far beyond a 24 KiB disk.
    auto vstupy = dennyVstup(1, 3);
    for (auto& [meno, obsah] : dennyVstup(1, 40, 100)) vstupy["w" + meno] = obsah;
    for (const auto& [meno, obsah] : vstupy) zapisSubor(k.vstup() / cestaZUtf8(meno), obsah);
    const Ocakavane o = ocakavane(k.uloha, vstupy);
    const std::string vystup = utf8ZCesty(k.vystup());
    const fs::path videne = k.koren() / "videne";
    const int stav =
        spustiSPripojenim([&] { return ::mount("tmpfs", vystup.c_str(), "tmpfs", 0, "size=24k") == 0; },
                          argumentyUlohy(k.uloha), k.koren(), [&] { kopirujPriecinok(vystup, videne); });
    if (stav == nemozno) GTEST_SKIP() << "no tmpfs mount possible here";
    EXPECT_EQ(stav, 0);
    const std::string log = citajSubor(k.koren() / "stdout");
    EXPECT_NE(log.find("sa nepodarilo zapísať: wv000.txt ("), std::string::npos) << log;
    const std::size_t vypisov = overNicNestratene(k.vstup(), videne, o);
    EXPECT_GT(vypisov, 3u);
    EXPECT_LT(vypisov, 43u);
    EXPECT_NE(log.find("Číslo ďalšieho výpisu: " + std::to_string(5 + vypisov) + "\n"), std::string::npos)
        << log;
    // The statements of the file that did not fit are written again by the
    // next run, from the start.
    EXPECT_TRUE(menaVPriecinku(k.vstup()).count("wv000.txt"));
}

// The disk of the program folder fills up during the upgrade of an older
// user.dat, at every step in turn: user.dat is then either as it was or
// current with every task, and no temporary file is left.
TEST(Faults, DiskFullDuringTheUpgradeLeavesUserDatWholeOrUpgraded)
{
    DocasnyPriecinok priecinok;
    const fs::path stary = priecinok.cesta() / "stary.dat";
    vykonaj(utf8ZCesty(stary), staryUser("2.2.0.0", Rozlozenie::uplne));
    const std::string stareBajty = citajSubor(stary);
    const fs::path program = priecinok.cesta() / "program", videne = priecinok.cesta() / "videne";
    const fs::path subory = priecinok.cesta() / "subory";
    fs::create_directory(program);
    fs::create_directory(subory);
    kopirujProgram(subory);
    fs::copy_file(stary, subory / "user.dat");
    // The program's files and user.dat, and a page for the lock.
    std::uintmax_t obsadene = 4096;
    for (const auto& polozka : fs::directory_iterator(subory))
        obsadene += (polozka.file_size() + 4095) / 4096 * 4096;
    bool aktualizovany = false;
    for (int volnych = 1; volnych <= 12 && !aktualizovany; ++volnych) {
        SCOPED_TRACE(std::to_string(volnych) + " free pages");
        fs::remove_all(videne);
        const int stav = spustiSPripojenim(
            [&] {
                const std::string moznosti =
                    "size=" + std::to_string(obsadene + std::uintmax_t(volnych) * 4096);
                if (::mount("tmpfs", program.c_str(), "tmpfs", 0, moznosti.c_str()) != 0) return false;
                kopirujPriecinok(subory, program);
                return true;
            },
            {}, priecinok.cesta(), [&] { kopirujPriecinok(program, videne); }, program / menoProgramuBehu);
        if (stav == nemozno) GTEST_SKIP() << "no tmpfs mount possible here";
        for (const auto& polozka : fs::directory_iterator(videne))
            EXPECT_FALSE(polozka.path().filename().string().starts_with(".kasamat-")) << polozka.path();
        const std::string user = citajSubor(videne / "user.dat");
        if (user == stareBajty) continue;
        Databaza databaza;
        ASSERT_TRUE(databaza.otvor(utf8ZCesty(videne / "user.dat")));
        EXPECT_EQ(citajUlohy(databaza), ulohyPoAktualizacii(Rozlozenie::uplne));
        EXPECT_TRUE(citajSubor(videne / "user.dat.bak") == stareBajty);
        aktualizovany = true;
    }
    EXPECT_TRUE(aktualizovany) << "no disk was large enough for the upgrade";
}

}  // namespace
}  // namespace kasamat::test
