#include "platform/verzia_programu.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "platform/cesta.h"
#include "platform/program.h"

namespace kasamat {

std::string verziaSuboruProgramu()
{
    const std::wstring cesta = cestaProgramu().wstring();
    DWORD nic = 0;
    const DWORD velkost = GetFileVersionInfoSizeW(cesta.c_str(), &nic);
    if (velkost == 0) return {};
    std::vector<char> udaje(velkost);
    if (!GetFileVersionInfoW(cesta.c_str(), 0, velkost, udaje.data())) return {};

    struct Preklad {
        WORD jazyk;
        WORD kodovaStranka;
    };
    void* miesto = nullptr;
    UINT dlzka = 0;
    if (!VerQueryValueW(udaje.data(), L"\\VarFileInfo\\Translation", &miesto, &dlzka)
        || dlzka < sizeof(Preklad))
        return {};
    const auto* preklad = static_cast<const Preklad*>(miesto);
    wchar_t kluc[64];
    std::swprintf(kluc, std::size(kluc), L"\\StringFileInfo\\%04X%04X\\FileVersion", preklad->jazyk,
                  preklad->kodovaStranka);
    if (!VerQueryValueW(udaje.data(), kluc, &miesto, &dlzka) || dlzka == 0) return {};
    const auto* text = static_cast<const wchar_t*>(miesto);
    return utf8ZCesty(std::filesystem::path(std::wstring(text, wcsnlen(text, dlzka))));
}

}  // namespace kasamat
