// On Windows a second window for settings in use brings the running window to
// the front and ends without a message.

#include <windows.h>

#include "program.h"

namespace kasamat::test {
namespace {

// The visible top-level window of process `id`, waiting up to a minute for
// it: tests running beside this one show windows of the same titles.
HWND cakajNaOkno(long id)
{
    struct Hladanie {
        DWORD proces;
        HWND okno = nullptr;
    } hladanie{DWORD(id)};
    const WNDENUMPROC porovnaj = [](HWND okno, LPARAM parameter) -> BOOL {
        auto& h = *reinterpret_cast<Hladanie*>(parameter);
        DWORD proces = 0;
        GetWindowThreadProcessId(okno, &proces);
        if (proces != h.proces || !IsWindowVisible(okno)) return TRUE;
        h.okno = okno;
        return FALSE;
    };
    for (int pokus = 0; pokus < 600; ++pokus) {
        EnumWindows(porovnaj, reinterpret_cast<LPARAM>(&hladanie));
        if (hladanie.okno) return hladanie.okno;
        Sleep(100);
    }
    return nullptr;
}

TEST(TwoProcesses, SecondWindowBringsTheRunningOneToTheFront)
{
    DocasnyPriecinok priecinok;
    kopirujProgram(priecinok.cesta());
    fs::copy_file(fs::path(KASAMAT_BIN_DIR) / menoProgramuOkna, priecinok.cesta() / menoProgramuOkna);
    fs::create_directory(priecinok.cesta() / "1");
    fs::create_directory(priecinok.cesta() / "2");
    Proces prvy(priecinok.cesta() / menoProgramuOkna, {}, priecinok.cesta() / "1");
    const HWND okno = cakajNaOkno(prvy.id());
    ASSERT_TRUE(okno) << "the first window did not show";
    const std::string bajty = citajSubor(priecinok.cesta() / "user.dat");
    // Something else has the foreground meanwhile.
    SetForegroundWindow(GetDesktopWindow());

    Proces druhy(priecinok.cesta() / menoProgramuOkna, {}, priecinok.cesta() / "2");
    for (int pokus = 0; pokus < 600 && !druhy.skoncil(); ++pokus) Sleep(100);
    // A message box would keep it waiting for the user.
    ASSERT_TRUE(druhy.skoncil()) << "the second start did not end by itself";
    EXPECT_EQ(druhy.cakaj(), 0);
    DWORD proces = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &proces);
    EXPECT_EQ(long(proces), prvy.id());
    EXPECT_TRUE(citajSubor(priecinok.cesta() / "user.dat") == bajty) << "user.dat changed";
}

}  // namespace
}  // namespace kasamat::test
