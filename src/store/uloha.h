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

inline constexpr std::array<std::string_view, 2> periodicityUloh = {"podľa vstupu", "denné výpisy"};
inline constexpr std::array<std::string_view, 2> variabilneSymbolyUloh = {"variabilný symbol", "referenciu"};

inline constexpr int najnizsieCisloVypisu = 1;
inline constexpr int najvyssieCisloVypisu = 999;

}  // namespace kasamat
