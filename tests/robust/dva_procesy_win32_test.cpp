// On Windows a second window for settings in use brings the running window to
// the front and ends without a message.

#include <windows.h>

#include "program.h"

namespace kasamat::test {
namespace {

// The visible top-level window titled `titul`, waiting up to a minute for it.
HWND cakajNaOkno(const wchar_t* titul)
{
    for (int pokus = 0; pokus < 600; ++pokus) {
        if (const HWND okno = FindWindowW(nullptr, titul); okno && IsWindowVisible(okno)) return okno;
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
    const HWND okno = cakajNaOkno(L"Kasamat");
    ASSERT_TRUE(okno) << "the first window did not show";
    const std::string bajty = citajSubor(priecinok.cesta() / "user.dat");
    // Something else has the foreground meanwhile.
    SetForegroundWindow(GetDesktopWindow());

    Proces druhy(priecinok.cesta() / menoProgramuOkna, {}, priecinok.cesta() / "2");
    for (int pokus = 0; pokus < 600 && !druhy.skoncil(); ++pokus) Sleep(100);
    ASSERT_TRUE(druhy.skoncil()) << "the second start did not end by itself";
    EXPECT_EQ(druhy.cakaj(), 0);
    EXPECT_FALSE(FindWindowW(nullptr, L"Kontomat")) << "a message showed instead";
    DWORD proces = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &proces);
    EXPECT_EQ(long(proces), prvy.id());
    EXPECT_TRUE(citajSubor(priecinok.cesta() / "user.dat") == bajty) << "user.dat changed";
}

}  // namespace
}  // namespace kasamat::test
