// The running program on Windows.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <random>
#include <stdexcept>
#include <system_error>

#include "platform/cesta.h"
#include "platform/program.h"

namespace kasamat {

namespace fs = std::filesystem;

fs::path cestaProgramu()
{
    std::wstring cesta(MAX_PATH, L'\0');
    for (;;) {
        const DWORD dlzka = GetModuleFileNameW(nullptr, cesta.data(), DWORD(cesta.size()));
        if (dlzka == 0)
            throw std::system_error(int(GetLastError()), std::system_category(), "GetModuleFileNameW");
        if (dlzka < cesta.size()) {
            cesta.resize(dlzka);
            return fs::path(cesta);
        }
        cesta.resize(cesta.size() * 2);
    }
}

std::vector<std::string> argumentyProgramu(int, char**)
{
    int pocet = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> argumenty(
        CommandLineToArgvW(GetCommandLineW(), &pocet), &LocalFree);
    if (!argumenty)
        throw std::system_error(int(GetLastError()), std::system_category(), "CommandLineToArgvW");
    std::vector<std::string> texty;
    for (int i = 0; i < pocet; ++i) texty.push_back(utf8ZCesty(fs::path(argumenty.get()[i])));
    return texty;
}

void pripravKonzolu()
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // A console window shows the UTF-8 lines as written.
    SetConsoleOutputCP(CP_UTF8);
}

DocasnyPriecinok::DocasnyPriecinok()
{
    // The user's own temporary folder; a new folder in it inherits its access.
    std::random_device nahoda;
    for (int pokus = 0; pokus < 100; ++pokus) {
        const fs::path cesta = fs::temp_directory_path() / ("kasamat-" + std::to_string(nahoda()));
        if (CreateDirectoryW(cesta.c_str(), nullptr)) {
            m_cesta = cesta;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    throw std::runtime_error("Dočasný priečinok nemožno vytvoriť.");
}

}  // namespace kasamat
