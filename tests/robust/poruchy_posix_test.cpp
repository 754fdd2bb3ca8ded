// Faults of the disk during a run, made with mounts in a mount namespace of
// the runner's own; each case ends by checking that nothing was lost.

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "podpora/proces.h"
#include "vystavba.h"

namespace kasamat::test {
namespace {

constexpr int nemozno = 77;

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

TEST(Poruchy, ReadOnlyOutputFolderWritesNothingAndKeepsEverything)
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
    for (const auto& [meno, obsah] : vstupy) zapisSubor(k.vstup() / cestaZUtf8(meno), obsah);
    const Ocakavane o = ocakavane(k.uloha, vstupy);
    const std::string vystup = utf8ZCesty(k.vystup());
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

}  // namespace
}  // namespace kasamat::test
