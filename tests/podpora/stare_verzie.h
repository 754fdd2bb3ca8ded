#pragma once
// The settings files of the eleven older releases, with tasks whose texts
// are hostile, for the tests of the upgrade at start-up.

#include <array>
#include <string>
#include <vector>

#include "podpora/subor_nastaveni.h"

namespace kasamat::test {

// The columns that each older release's Ulohy table has.
enum class Rozlozenie { bezVariabilnehoSymbolu, bezTextuPlatby, uplne };

struct StaraVerzia {
    const char* verzia;
    Rozlozenie rozlozenie;
};

inline constexpr std::array<StaraVerzia, 12> stareVerzie = {{
    {"2.0.0.0", Rozlozenie::bezVariabilnehoSymbolu},
    {"2.0.1.0", Rozlozenie::bezVariabilnehoSymbolu},
    {"2.0.2.0", Rozlozenie::bezVariabilnehoSymbolu},
    {"2.0.3.0", Rozlozenie::bezVariabilnehoSymbolu},
    {"2.1.0.0", Rozlozenie::bezTextuPlatby},
    {"2.1.1.0", Rozlozenie::bezTextuPlatby},
    {"2.1.2.0", Rozlozenie::bezTextuPlatby},
    {"2.2.0.0", Rozlozenie::uplne},
    {"2.2.1.0", Rozlozenie::uplne},
    {"2.3.0.0", Rozlozenie::uplne},
    {"2.4.0.0", Rozlozenie::uplne},
    {"2.4.1.0", Rozlozenie::uplne},
}};

// Tasks of an older release, hostile texts and a task with unset columns included.
inline const std::vector<Uloha> stareUlohy = {
    {0, "Fio O'Brien", "/data/vstup/Fio", "/data/výstup/l'a", 3, "", 17, 1, 1, "Platba %VS% 'x'"},
    {1, "Tatra \"účty\" ľ", "C:\\Vstup\\", "C:\\Výstup", 0, "0012345678", 999, 0, 0, ""},
    {2, "'; DELETE FROM Ulohy; --", "/in", "/out", 1, "2612", 5, 0, 1, "%NAZOV% '', \\"},
    {3, "úloha", "", "", 2, "", 1, 1, 0, ""},
};
inline constexpr int staraVybrataUloha = 2;

// An older release's user.dat: its own three tables, as that release made them.
inline std::string staryUser(const std::string& verzia, Rozlozenie rozlozenie)
{
    const auto hodnota = [](const std::string& text) { return "'" + sqlText(text) + "'"; };
    const bool sVariabilnymSymbolom = rozlozenie != Rozlozenie::bezVariabilnehoSymbolu;
    const bool sTextomPlatby = rozlozenie == Rozlozenie::uplne;
    std::string sql = "CREATE TABLE Verzia (Cislo TEXT); INSERT INTO Verzia VALUES ('" + verzia + "');"
                      "CREATE TABLE Nastavenia (Uloha INTEGER); INSERT INTO Nastavenia VALUES ("
        + std::to_string(staraVybrataUloha) + ");"
        "CREATE TABLE Ulohy (ID INTEGER, Nazov TEXT, PriecinokVstup TEXT, PriecinokVystup TEXT, Format INTEGER,"
        " CisloUctu TEXT, CisloVypisu INTEGER, Periodicita INTEGER"
        + std::string(sVariabilnymSymbolom ? ", VariabilnySymbol INTEGER" : "")
        + (sTextomPlatby ? ", TextPlatby TEXT" : "") + ");";
    for (const auto& u : stareUlohy) {
        // An unset folder or account is NULL, as a task added by "Pridať" leaves it.
        auto alboNull = [&](const std::string& t) { return t.empty() ? std::string("NULL") : hodnota(t); };
        sql += "INSERT INTO Ulohy VALUES (" + std::to_string(u.id) + ", " + hodnota(u.nazov) + ", "
            + alboNull(u.priecinokVstup) + ", " + alboNull(u.priecinokVystup) + ", "
            + std::to_string(u.format) + ", " + alboNull(u.cisloUctu) + ", " + std::to_string(u.cisloVypisu)
            + ", " + std::to_string(u.periodicita)
            + (sVariabilnymSymbolom ? ", " + std::to_string(u.variabilnySymbol) : "")
            + (sTextomPlatby ? ", " + alboNull(u.textPlatby) : "") + ");";
    }
    return sql;
}

// The tasks as the current release reads them after the upgrade: the
// columns the older release lacked at their defaults.
inline std::vector<Uloha> ulohyPoAktualizacii(Rozlozenie rozlozenie)
{
    std::vector<Uloha> ulohy = stareUlohy;
    for (auto& u : ulohy) {
        if (rozlozenie == Rozlozenie::bezVariabilnehoSymbolu) u.variabilnySymbol = 0;
        if (rozlozenie != Rozlozenie::uplne) u.textPlatby.clear();
    }
    return ulohy;
}

}  // namespace kasamat::test
