#pragma once
// The fixed-width text export of Tatra banka's older internet banking: four
// header lines, one line per transaction, a closing rule line.

#include <array>
#include <cstddef>
#include <string_view>

namespace kasamat {

// The rule line (lines 1 and 4 and the closing line) and the two title lines,
// compared whole and exact.
extern const std::string_view tatraTxtCiara;
extern const std::string_view tatraTxtNadpis1;
extern const std::string_view tatraTxtNadpis2;

enum class StlpecTatraTxt {
    DenSpracovania,
    MesiacSpracovania,
    RokSpracovania,
    DenZuctovania,
    MesiacZuctovania,
    RokZuctovania,
    Jednotky,
    Stotiny,
    Mena,
    TypPlatby,
    Predcislie,
    CisloUctu,
    KodBanky,
    KonstantnySymbol,
    VariabilnySymbol,
    SpecifickySymbol,
    UcelPlatby,
    Popis,
};

// Where each value stands in a transaction line: 1-based byte position and width.
struct PoleTatraTxt {
    StlpecTatraTxt stlpec;
    std::size_t pozicia;
    std::size_t sirka;
};

inline constexpr std::array<PoleTatraTxt, 18> tatraTxtPolia{{
    {StlpecTatraTxt::DenSpracovania, 1, 2},
    {StlpecTatraTxt::MesiacSpracovania, 4, 2},
    {StlpecTatraTxt::RokSpracovania, 7, 4},
    {StlpecTatraTxt::DenZuctovania, 15, 2},
    {StlpecTatraTxt::MesiacZuctovania, 18, 2},
    {StlpecTatraTxt::RokZuctovania, 21, 4},
    {StlpecTatraTxt::Jednotky, 28, 13},
    {StlpecTatraTxt::Stotiny, 42, 2},
    {StlpecTatraTxt::Mena, 47, 3},
    {StlpecTatraTxt::TypPlatby, 54, 5},
    {StlpecTatraTxt::Predcislie, 63, 6},
    {StlpecTatraTxt::CisloUctu, 72, 10},
    {StlpecTatraTxt::KodBanky, 85, 7},
    {StlpecTatraTxt::KonstantnySymbol, 95, 10},
    {StlpecTatraTxt::VariabilnySymbol, 108, 10},
    {StlpecTatraTxt::SpecifickySymbol, 121, 10},
    {StlpecTatraTxt::UcelPlatby, 134, 70},
    {StlpecTatraTxt::Popis, 207, 70},
}};

}  // namespace kasamat
