#include <windows.h>

#include <stdexcept>

#include "platform/cesta.h"
#include "podpora/proces.h"

namespace kasamat::test {

namespace {

namespace fs = std::filesystem;

std::wstring siroky(const std::string& utf8) { return cestaZUtf8(utf8).wstring(); }

// One argument as the program's CommandLineToArgvW reads it back: quoted
// when it is empty or holds a blank or a quote; a run of backslashes before a
// quote is doubled.
std::wstring argument(const std::wstring& text)
{
    if (!text.empty() && text.find_first_of(L" \t\"") == std::wstring::npos) return text;
    std::wstring vysledok = L"\"";
    std::size_t lomitok = 0;
    for (const wchar_t znak : text) {
        if (znak == L'\\') {
            ++lomitok;
            continue;
        }
        vysledok.append(znak == L'"' ? 2 * lomitok + 1 : lomitok, L'\\');
        lomitok = 0;
        vysledok += znak;
    }
    vysledok.append(2 * lomitok, L'\\');
    return vysledok + L"\"";
}

HANDLE suborVystupu(const fs::path& cesta)
{
    SECURITY_ATTRIBUTES dedi{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(cesta.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &dedi, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

// Windows honours a read-only file for every user, and Wine for root too:
// the tests' own user meets the permissions an ordinary user would.
Proces::Proces(const fs::path& program, const std::vector<std::string>& argumenty,
               const fs::path& priecinokVystupu, bool)
{
    std::wstring riadok = argument(program.wstring());
    for (const std::string& text : argumenty) riadok += L" " + argument(siroky(text));

    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = INVALID_HANDLE_VALUE;
    start.hStdOutput = suborVystupu(priecinokVystupu / "stdout");
    start.hStdError = suborVystupu(priecinokVystupu / "stderr");
    // The test's own standard handles (ctest's pipes) stay with it: a program
    // that held one, or a process it starts, would keep ctest waiting.
    for (const DWORD standardny : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE})
        SetHandleInformation(GetStdHandle(standardny), HANDLE_FLAG_INHERIT, 0);
    PROCESS_INFORMATION proces{};
    const bool spusteny = CreateProcessW(program.c_str(), riadok.data(), nullptr, nullptr, TRUE,
                                         CREATE_NO_WINDOW, nullptr, nullptr, &start, &proces);
    CloseHandle(start.hStdOutput);
    CloseHandle(start.hStdError);
    if (!spusteny) throw std::runtime_error("cannot start " + utf8ZCesty(program));
    CloseHandle(proces.hThread);
    m_proces = proces.hProcess;
    m_id = long(proces.dwProcessId);
}

Proces::~Proces()
{
    if (!m_skoncil) zabi();
    CloseHandle(m_proces);
}

bool Proces::skoncil()
{
    DWORD kod = 0;
    if (!m_skoncil && WaitForSingleObject(m_proces, 0) == WAIT_OBJECT_0
        && GetExitCodeProcess(m_proces, &kod)) {
        m_skoncil = true;
        m_status = int(kod);
    }
    return m_skoncil;
}

int Proces::cakaj()
{
    WaitForSingleObject(m_proces, INFINITE);
    skoncil();
    return m_status;
}

void Proces::zabi()
{
    // An exit code no run of the program gives by itself.
    if (!skoncil() && TerminateProcess(m_proces, 255)) m_status = -1;
    WaitForSingleObject(m_proces, INFINITE);
    m_skoncil = true;
}

void odovzdajPouzivatelovi(const fs::path&) {}

bool maObrazovku() { return GetSystemMetrics(SM_CMONITORS) > 0; }

bool zatvorOkno(const std::string& nazov)
{
    const std::wstring titul = siroky(nazov);
    for (int pokus = 0; pokus < 600; ++pokus) {
        if (const HWND okno = FindWindowW(nullptr, titul.c_str()); okno && IsWindowVisible(okno))
            return PostMessageW(okno, WM_CLOSE, 0, 0) != 0;
        Sleep(100);
    }
    return false;
}

bool podWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

void nastavPremennu(const std::string& meno, const std::string& hodnota)
{
    SetEnvironmentVariableW(siroky(meno).c_str(), siroky(hodnota).c_str());
}

}  // namespace kasamat::test
