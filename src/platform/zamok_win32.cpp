// The settings lock on Windows: a byte-range lock, which the system drops
// when the process ends in any way. The range lies past the holder's id at
// the start of the file, so that a second process can still read the id.

#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/dlha_cesta_win32.h"
#include "platform/zamok.h"

namespace kasamat {

namespace {

constexpr DWORD zaciatokZamku = 1u << 30;

HANDLE rukovat(long long subor) { return reinterpret_cast<HANDLE>(subor); }

OVERLAPPED oblastZamku()
{
    OVERLAPPED oblast{};
    oblast.Offset = zaciatokZamku;
    return oblast;
}

}  // namespace

ZamokNastaveni::ZamokNastaveni(const std::filesystem::path& nastavenia)
{
    std::filesystem::path cesta = nastavenia;
    cesta += L".lock";
    const HANDLE subor = CreateFileW(system::dlhaCesta(cesta).c_str(), GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (subor == INVALID_HANDLE_VALUE) return;
    m_subor = reinterpret_cast<long long>(subor);
    OVERLAPPED oblast = oblastZamku();
    if (LockFileEx(subor, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &oblast)) {
        m_stav = Stav::Drzany;
        // The holder's id, for a second start that looks for its window.
        const std::string id = std::to_string(GetCurrentProcessId());
        DWORD zapisane = 0;
        if (SetEndOfFile(subor)) WriteFile(subor, id.data(), DWORD(id.size()), &zapisane, nullptr);
        return;
    }
    if (GetLastError() != ERROR_LOCK_VIOLATION && GetLastError() != ERROR_IO_PENDING) return;
    m_stav = Stav::Obsadeny;
    char text[24] = {};
    DWORD precitane = 0;
    if (ReadFile(subor, text, sizeof text - 1, &precitane, nullptr) && precitane > 0)
        m_drzitel = std::atol(text);
}

ZamokNastaveni::~ZamokNastaveni()
{
    if (m_subor < 0) return;
    if (m_stav == Stav::Drzany) {
        OVERLAPPED oblast = oblastZamku();
        UnlockFileEx(rukovat(m_subor), 0, 1, 0, &oblast);
    }
    CloseHandle(rukovat(m_subor));
}

namespace {

struct HladaneOkno {
    DWORD proces;
    HWND okno;
};

BOOL CALLBACK najdiOkno(HWND okno, LPARAM parameter)
{
    auto& hladane = *reinterpret_cast<HladaneOkno*>(parameter);
    DWORD proces = 0;
    GetWindowThreadProcessId(okno, &proces);
    if (proces != hladane.proces || !IsWindowVisible(okno) || GetWindow(okno, GW_OWNER)) return TRUE;
    hladane.okno = okno;
    return FALSE;
}

}  // namespace

bool ukazOknoProcesu(long id)
{
    HladaneOkno hladane{DWORD(id), nullptr};
    EnumWindows(najdiOkno, reinterpret_cast<LPARAM>(&hladane));
    if (!hladane.okno) return false;
    if (IsIconic(hladane.okno)) ShowWindow(hladane.okno, SW_RESTORE);
    // The program the user has just started may hand the foreground on.
    return SetForegroundWindow(hladane.okno) != 0;
}

}  // namespace kasamat
