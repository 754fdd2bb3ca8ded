#define SQLITE_HAS_CODEC
#include "podpora/subor_nastaveni.h"

#include <sqlcipher/sqlite3.h>

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "platform/cesta.h"
#include "store/citanie_uloh.h"

namespace kasamat {

bool operator==(const Uloha& a, const Uloha& b)
{
    return a.id == b.id && a.nazov == b.nazov && a.priecinokVstup == b.priecinokVstup
        && a.priecinokVystup == b.priecinokVystup && a.format == b.format && a.cisloUctu == b.cisloUctu
        && a.cisloVypisu == b.cisloVypisu && a.periodicita == b.periodicita
        && a.variabilnySymbol == b.variabilnySymbol && a.textPlatby == b.textPlatby;
}

void PrintTo(const Uloha& u, std::ostream* os)
{
    *os << "{" << u.id << ", " << u.nazov << ", " << u.priecinokVstup << ", " << u.priecinokVystup << ", "
        << u.format << ", " << u.cisloUctu << ", " << u.cisloVypisu << ", " << u.periodicita << ", "
        << u.variabilnySymbol << ", " << u.textPlatby << "}";
}

}  // namespace kasamat

namespace kasamat::test {

namespace fs = std::filesystem;

void vykonaj(const std::string& cesta, const std::string& prikazy, std::string_view heslo)
{
    sqlite3* surove = nullptr;
    const int otvorenie =
        sqlite3_open_v2(cesta.c_str(), &surove, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> spojenie(surove, sqlite3_close);
    if (otvorenie != SQLITE_OK) throw std::runtime_error("cannot open " + cesta);
    if (sqlite3_key(surove, heslo.data(), int(heslo.size())) != SQLITE_OK)
        throw std::runtime_error("cannot key " + cesta);
    char* chyba = nullptr;
    const int vysledok = sqlite3_exec(surove, prikazy.c_str(), nullptr, nullptr, &chyba);
    const std::string text = chyba ? chyba : "";
    sqlite3_free(chyba);
    if (vysledok != SQLITE_OK) throw std::runtime_error(cesta + ": " + text + "\n" + prikazy);
}

void zoSablony(const std::string& cesta, const std::string& prikazy)
{
    fs::copy_file(cestaZUtf8(sablona()), cestaZUtf8(cesta), fs::copy_options::overwrite_existing);
    if (!prikazy.empty()) vykonaj(cesta, prikazy);
}

std::string vlozenieUlohy(const Uloha& u)
{
    const auto text = [](const std::string& hodnota) { return "'" + sqlText(hodnota) + "'"; };
    const auto cislo = [](int hodnota) { return std::to_string(hodnota); };
    return "INSERT INTO Ulohy (ID, Nazov, PriecinokVstup, PriecinokVystup, Format, CisloUctu, CisloVypisu, "
           "Periodicita, VariabilnySymbol, TextPlatby) VALUES ("
        + cislo(u.id) + ", " + text(u.nazov) + ", " + text(u.priecinokVstup) + ", " + text(u.priecinokVystup)
        + ", " + cislo(u.format) + ", " + text(u.cisloUctu) + ", " + cislo(u.cisloVypisu) + ", "
        + cislo(u.periodicita) + ", " + cislo(u.variabilnySymbol) + ", " + text(u.textPlatby) + ");";
}

bool zapisUlohy(Databaza& databaza, std::vector<Uloha> ulohy, int vybrata)
{
    databaza.SQL("DELETE FROM Ulohy;");
    bool zapisane = !databaza.zlyhal();
    databaza.SQL("UPDATE Nastavenia SET Uloha=" + std::to_string(vybrata) + ";");
    zapisane = zapisane && !databaza.zlyhal();
    for (std::size_t i = 0; i < ulohy.size(); ++i) {
        ulohy[i].id = int(i);
        databaza.SQL(vlozenieUlohy(ulohy[i]));
        zapisane = zapisane && !databaza.zlyhal();
    }
    return zapisane;
}

std::vector<Uloha> citajUlohy(Databaza& databaza)
{
    std::vector<Uloha> ulohy;
    const int pocet = vyberNazvyUloh(databaza);
    for (int id = 0; id < pocet; ++id)
        if (const auto uloha = citajUlohu(databaza, id)) ulohy.push_back(*uloha);
    return ulohy;
}

}  // namespace kasamat::test
