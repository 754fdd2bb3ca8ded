#include "store/ulohy.h"

#include <string>

namespace kasamat {

int vyberNazvyUloh(Databaza& databaza) { return databaza.SQL("SELECT Nazov FROM Ulohy ORDER BY ID;"); }

std::optional<Uloha> citajUlohu(Databaza& databaza, int id)
{
    const int riadkov = databaza.SQL(
        "SELECT Nazov, PriecinokVstup, PriecinokVystup, Format, CisloUctu, CisloVypisu, Periodicita, "
        "VariabilnySymbol, TextPlatby FROM Ulohy WHERE ID=" + std::to_string(id) + ";");
    if (riadkov < 0) return std::nullopt;
    Uloha uloha;
    uloha.id = id;
    uloha.nazov = databaza.text(0, "Nazov");
    uloha.priecinokVstup = databaza.text(0, "PriecinokVstup");
    uloha.priecinokVystup = databaza.text(0, "PriecinokVystup");
    uloha.cisloUctu = databaza.text(0, "CisloUctu");
    uloha.textPlatby = databaza.text(0, "TextPlatby");
    uloha.cisloVypisu = int(databaza.cislo(0, "CisloVypisu"));
    uloha.format = int(databaza.cislo(0, "Format"));
    uloha.periodicita = int(databaza.cislo(0, "Periodicita"));
    uloha.variabilnySymbol = int(databaza.cislo(0, "VariabilnySymbol"));
    return uloha;
}

}  // namespace kasamat
