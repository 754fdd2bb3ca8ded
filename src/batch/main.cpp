// kasamat-batch: runs conversions without a window, through the same
// conversion code as the window's worker.

#include <filesystem>
#include <iostream>
#include <sstream>
#include <system_error>

#include "batch/konzola.h"
#include "batch/volby.h"
#include "platform/cesta.h"
#include "platform/program.h"
#include "platform/zamok.h"
#include "run/beh.h"
#include "store/aktualizacia.h"
#include "store/citanie_uloh.h"
#include "store/verzia.h"

namespace fs = std::filesystem;
using namespace kasamat;

namespace {

int chybaSuborov()
{
    std::cerr << chybaSuborovAplikacie << '\n';
    return 1;
}

// Writes the task as the only row of a fresh copy of the template.
void zapisUlohu(Databaza& databaza, const Uloha& uloha)
{
    databaza.SQL("DELETE FROM Ulohy WHERE ID<>0;");
    databaza.SQL("UPDATE Ulohy SET Nazov='" + sqlText(uloha.nazov) + "', PriecinokVstup='"
                 + sqlText(uloha.priecinokVstup) + "', PriecinokVystup='" + sqlText(uloha.priecinokVystup)
                 + "', Format=" + std::to_string(uloha.format) + ", CisloUctu='" + sqlText(uloha.cisloUctu)
                 + "', CisloVypisu=" + std::to_string(uloha.cisloVypisu)
                 + ", Periodicita=" + std::to_string(uloha.periodicita)
                 + ", VariabilnySymbol=" + std::to_string(uloha.variabilnySymbol) + ", TextPlatby='"
                 + sqlText(uloha.textPlatby) + "' WHERE ID=0;");
    databaza.SQL("UPDATE Nastavenia SET Uloha=0;");
}

int spustiJednuUlohu(const Uloha& uloha)
{
    const CestyAplikacie cesty = CestyAplikacie::programu();
    const DocasnyPriecinok docasny;
    // The template is checked on its copy, which then serves the run: every
    // opening derives the database key anew, a cost each run pays once.
    const fs::path cesta = docasny.cesta() / "user.dat";
    std::error_code chyba;
    if (!fs::copy_file(cestaZUtf8(cesty.sablona), cesta, chyba)) return chybaSuborov();
    Databaza databaza;
    if (!KontrolaDatabazy(databaza, utf8ZCesty(cesta))) return chybaSuborov();
    zapisUlohu(databaza, uloha);
    if (vyberNazvyUloh(databaza) != 1) return chybaSuborov();

    KonzolovyBeh beh(databaza, std::cout);
    SpustiUlohy(beh);
    return 0;
}

int spustiUlohyPouzivatela()
{
    const CestyAplikacie cesty = CestyAplikacie::programu();
    // Held to the end of the run: no other Kasamat upgrades user.dat or
    // numbers statements of its tasks meanwhile.
    const ZamokNastaveni zamok(cestaZUtf8(cesty.databaza));
    if (zamok.stav() == ZamokNastaveni::Stav::Obsadeny) {
        std::cerr << "Nastavenia používa iný spustený Kasamat.\n";
        return 3;
    }
    Databaza databaza;
    if (!KontrolaSuborovAplikacie(databaza, cesty)) return chybaSuborov();
    PripravDatabazu(databaza, cesty);

    // The summary is shown only when it stops the run, as the window's Run
    // tab would show it with "Štart" disabled.
    std::ostringstream suhrn;
    KonzolovyBeh kontrola(databaza, suhrn);
    if (!KontrolaNastaveni(kontrola)) {
        std::cout << suhrn.str() << std::flush;
        return 1;
    }
    KonzolovyBeh beh(databaza, std::cout);
    SpustiUlohy(beh);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    pripravKonzolu();
    try {
        const std::vector<std::string> argumenty = argumentyProgramu(argc, argv);
        std::vector<const char*> texty;
        for (const std::string& argument : argumenty) texty.push_back(argument.c_str());
        const std::optional<VolbyBehu> volby = citajVolby(int(texty.size()), texty.data());
        if (!volby) {
            std::cerr << pouzitieBehu;
            return 2;
        }
        return volby->jednaUloha ? spustiJednuUlohu(volby->uloha) : spustiUlohyPouzivatela();
    } catch (const std::exception& chyba) {
        std::cerr << chyba.what() << '\n';
        return 1;
    }
}
