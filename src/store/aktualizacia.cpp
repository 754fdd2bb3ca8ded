#include "store/aktualizacia.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/cesta.h"
#include "platform/program.h"
#include "platform/subory.h"
#include "store/verzia.h"

namespace kasamat {

namespace fs = std::filesystem;

const char* const chybaSuborovAplikacie =
    "Súbory aplikácie nie sú v poriadku, preto nemožno využívať jej funkcie v plnom rozsahu.\n\n"
    "Odporúčame uskutočniť novú inštaláciu, čím sa chýbajúce alebo poškodené súbory nahradia.";

namespace {

struct StaraVerzia {
    std::string_view verzia;
    std::string_view citanieUloh;
};

constexpr std::string_view citanie20 =
    "SELECT ID, Nazov, PriecinokVstup, PriecinokVystup, Format, CisloUctu, CisloVypisu, Periodicita, "
    "'0' AS VariabilnySymbol, '' AS TextPlatby FROM Ulohy;";
constexpr std::string_view citanie21 =
    "SELECT ID, Nazov, PriecinokVstup, PriecinokVystup, Format, CisloUctu, CisloVypisu, Periodicita, "
    "VariabilnySymbol, '' AS TextPlatby FROM Ulohy;";
constexpr std::string_view citanie22 =
    "SELECT ID, Nazov, PriecinokVstup, PriecinokVystup, Format, CisloUctu, CisloVypisu, Periodicita, "
    "VariabilnySymbol, TextPlatby FROM Ulohy;";

constexpr std::array<StaraVerzia, 12> stareVerzie = {{
    {"2.0.0.0", citanie20},
    {"2.0.1.0", citanie20},
    {"2.0.2.0", citanie20},
    {"2.0.3.0", citanie20},
    {"2.1.0.0", citanie21},
    {"2.1.1.0", citanie21},
    {"2.1.2.0", citanie21},
    {"2.2.0.0", citanie22},
    {"2.2.1.0", citanie22},
    {"2.3.0.0", citanie22},
    {"2.4.0.0", citanie22},
    {"2.4.1.0", citanie22},
}};

constexpr std::array<std::string_view, 10> stlpceUlohy = {
    "ID",        "Nazov",       "PriecinokVstup", "PriecinokVystup",  "Format",
    "CisloUctu", "CisloVypisu", "Periodicita",    "VariabilnySymbol", "TextPlatby",
};

struct StareNastavenia {
    std::string uloha;
    std::vector<std::array<std::string, 10>> ulohy;
};

// The old file's tasks and selected task; nothing when its tasks cannot be
// read, so that a damaged file is not carried over as an empty task list.
std::optional<StareNastavenia> precitajStare(Databaza& databaza, const std::string& cesta,
                                             std::string_view citanieUloh)
{
    StareNastavenia stare;
    if (!databaza.otvor(cesta)) return std::nullopt;
    if (databaza.SQL("SELECT Uloha FROM Nastavenia;") > 0) stare.uloha = databaza.text(0, "Uloha");
    const int pocet = databaza.SQL(citanieUloh);
    if (pocet < 0) return std::nullopt;
    for (int i = 0; i < pocet; ++i) {
        auto& uloha = stare.ulohy.emplace_back();
        for (std::size_t s = 0; s < stlpceUlohy.size(); ++s) uloha[s] = databaza.text(i, stlpceUlohy[s]);
    }
    return stare;
}

// Answers whether every task went in: a file that lacks one must never take
// the old file's place.
bool zapisStare(Databaza& databaza, const StareNastavenia& stare)
{
    databaza.SQL("UPDATE Nastavenia SET Uloha='" + sqlText(stare.uloha) + "';");
    bool zapisane = !databaza.zlyhal();
    databaza.SQL("DELETE FROM Ulohy;");
    zapisane = zapisane && !databaza.zlyhal();
    for (const auto& uloha : stare.ulohy) {
        std::string prikaz =
            "INSERT INTO Ulohy (ID, Nazov, PriecinokVstup, PriecinokVystup, Format, "
            "CisloUctu, CisloVypisu, Periodicita, VariabilnySymbol, TextPlatby) VALUES (";
        prikaz += uloha[0];
        for (std::size_t s = 1; s < uloha.size(); ++s) prikaz += ", '" + sqlText(uloha[s]) + "'";
        prikaz += ");";
        databaza.SQL(prikaz);
        zapisane = zapisane && !databaza.zlyhal();
    }
    return zapisane;
}

// The template with the old tasks written into it, built in a file of this
// process's own in the folder.
bool sablonaSUlohami(Databaza& databaza, const fs::path& priecinok, const StareNastavenia& stare,
                     std::string& obsah)
{
    const fs::path nova = docasnaCesta(priecinok);
    bool hotovo =
        zapisCelySubor(nova, {obsah}) && databaza.otvor(utf8ZCesty(nova)) && zapisStare(databaza, stare);
    databaza.zatvor();
    hotovo = hotovo && citajCelySubor(nova, obsah);
    odstranSubor(nova);
    return hotovo;
}

// Puts a fresh copy of the template, with the old tasks written into it when
// there are any, in place of user.dat; the old file is kept as user.dat.bak.
// Each file is written whole under a name of this process's own and renamed
// into place, so that a failure at any step leaves user.dat as it was, and a
// backup left read-only stands in the way of nothing.
void nahradSablonou(Databaza& databaza, const CestyAplikacie& cesty, const StareNastavenia* stare)
{
    databaza.zatvor();
    const fs::path databazaCesta = cestaZUtf8(cesty.databaza);
    std::string obsah;
    if (!citajCelySubor(cestaZUtf8(cesty.sablona), obsah)) return;
    if (stare && !sablonaSUlohami(databaza, databazaCesta.parent_path(), *stare, obsah)) return;
    if (jeSubor(databazaCesta)) {
        std::string stary;
        if (!citajCelySubor(databazaCesta, stary)
            || !zapisCelySubor(cestaZUtf8(cesty.databaza + ".bak"), {stary}))
            return;
    }
    zapisCelySubor(databazaCesta, {obsah});
}

}  // namespace

CestyAplikacie CestyAplikacie::v(const std::string& priecinokProgramu)
{
    const fs::path priecinok = cestaZUtf8(priecinokProgramu);
    return {utf8ZCesty(priecinok / "default.dat"), utf8ZCesty(priecinok / "user.dat"),
            utf8ZCesty(priecinok / "release.nfo"), utf8ZCesty(priecinok / "TeamViewerQS_sk.exe")};
}

CestyAplikacie CestyAplikacie::programu()
{
    CestyAplikacie cesty = v(utf8ZCesty(priecinokSuborovProgramu()));
    cesty.databaza = utf8ZCesty(priecinokNastaveni() / "user.dat");
    return cesty;
}

bool KontrolaSuborovAplikacie(Databaza& databaza, const CestyAplikacie& cesty)
{
    return KontrolaDatabazy(databaza, cesty.sablona) && KontrolaSuboru(cesty.releaseInfo)
        && KontrolaSuboru(cesty.vzdialenaPomoc);
}

void PripravDatabazu(Databaza& databaza, const CestyAplikacie& cesty)
{
    if (KontrolaDatabazy(databaza, cesty.databaza)) return;
    // Another program holds the file locked: it is in use, not damaged, and
    // replacing it would lose what that program is writing.
    if (databaza.zamknuta()) return;

    const std::string verzia = VerziaDatabazy(databaza, cesty.databaza);
    const StaraVerzia* stara = nullptr;
    for (const auto& v : stareVerzie)
        if (v.verzia == verzia) stara = &v;

    const std::optional<StareNastavenia> stare =
        stara ? precitajStare(databaza, cesty.databaza, stara->citanieUloh) : std::nullopt;
    nahradSablonou(databaza, cesty, stare ? &*stare : nullptr);
    databaza.zatvor();
    databaza.otvor(cesty.databaza);
}

}  // namespace kasamat
