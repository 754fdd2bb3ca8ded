#pragma once
// Uloha, one conversion task: a row of table Ulohy. Texts are UTF-8, as the
// window and the settings database hold them.

#include <array>
#include <string>
#include <string_view>

namespace kasamat {

struct Uloha {
    int id = 0;
    std::string nazov;
    std::string priecinokVstup;
    std::string priecinokVystup;
    int format = 0;
    std::string cisloUctu;
    // The next statement number, 1 to 999 as the statement-number box shows it.
    int cisloVypisu = 1;
    int periodicita = 0;
    int variabilnySymbol = 0;
    std::string textPlatby;
};

// The Format index: list text and the own bank code shown beside the account.
struct FormatUlohy {
    std::string_view text;
    std::string_view kodBanky;
};
inline constexpr std::array<FormatUlohy, 4> formatyUloh = {{
    {"Tatra banka (pôvodný IB) *.txt -> Tatra Banka InternetBanking *.clr", "1100"},
    {"Trust Pay *.csv -> Tatra Banka InternetBanking *.clr", "9952"},
    {"Tatra banka (nový IB) *.csv -> formát ABO *.gpc", "1100"},
    {"Fio banka *.csv -> formát ABO *.gpc", "8330"},
}};

// A Format outside 0 to 3 is treated as Fio banka's: bank code, controls and conversion.
inline bool jeFormatFio(int format) { return format < 0 || format > 2; }

inline std::string_view kodBankyFormatu(int format)
{
    return jeFormatFio(format) ? formatyUloh[3].kodBanky : formatyUloh[format].kodBanky;
}

inline constexpr std::array<std::string_view, 2> periodicityUloh = {"podľa vstupu", "denné výpisy"};
inline constexpr std::array<std::string_view, 2> variabilneSymbolyUloh = {"variabilný symbol", "referenciu"};

inline constexpr int najnizsieCisloVypisu = 1;
inline constexpr int najvyssieCisloVypisu = 999;

}  // namespace kasamat
