#include "store/citanie_uloh.h"

#include <algorithm>
#include <climits>
#include <string>

namespace kasamat {

int vyberNazvyUloh(Databaza& databaza) { return databaza.SQL("SELECT Nazov FROM Ulohy ORDER BY ID;"); }

namespace {
// An integer column as an int; a stored value beyond the int range is held at its bound.
int cele(const Databaza& databaza, std::string_view stlpec)
{
    return int(std::clamp<long long>(databaza.cislo(0, stlpec), INT_MIN, INT_MAX));
}
}  // namespace

std::optional<Uloha> citajUlohu(Databaza& databaza, int id)
{
    const int riadkov = databaza.SQL(
        "SELECT Nazov, PriecinokVstup, PriecinokVystup, Format, CisloUctu, CisloVypisu, Periodicita, "
        "VariabilnySymbol, TextPlatby FROM Ulohy WHERE ID="
        + std::to_string(id) + ";");
    if (riadkov < 0) return std::nullopt;
    Uloha uloha;
    uloha.id = id;
    uloha.nazov = databaza.text(0, "Nazov");
    uloha.priecinokVstup = databaza.text(0, "PriecinokVstup");
    uloha.priecinokVystup = databaza.text(0, "PriecinokVystup");
    uloha.cisloUctu = databaza.text(0, "CisloUctu");
    uloha.textPlatby = databaza.text(0, "TextPlatby");
    uloha.cisloVypisu = cele(databaza, "CisloVypisu");
    uloha.format = cele(databaza, "Format");
    uloha.periodicita = cele(databaza, "Periodicita");
    uloha.variabilnySymbol = cele(databaza, "VariabilnySymbol");
    return uloha;
}

}  // namespace kasamat
