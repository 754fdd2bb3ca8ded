#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pomocky.h"
#include "store/aktualizacia.h"
#include "store/databaza.h"
#include "store/ulohy.h"
#include "store/verzia.h"

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

namespace {

namespace fs = std::filesystem;
using test::PriecinokDatabaz;

// The columns that each older release's Ulohy table has.
enum class Rozlozenie { bezVariabilnehoSymbolu, bezTextuPlatby, uplne };

// Tasks of an older release, hostile texts and a task with unset columns included.
const std::vector<Uloha> stareUlohy = {
    {0, "Fio O'Brien", "/data/vstup/Fio", "/data/výstup/l'a", 3, "", 17, 1, 1, "Platba %VS% 'x'"},
    {1, "Tatra \"účty\" ľ", "C:\\Vstup\\", "C:\\Výstup", 0, "0012345678", 999, 0, 0, ""},
    {2, "'; DELETE FROM Ulohy; --", "/in", "/out", 1, "2612", 5, 0, 1, "%NAZOV% '', \\"},
    {3, "úloha", "", "", 2, "", 1, 1, 0, ""},
};
constexpr int staraVybrataUloha = 2;

std::string hodnota(const std::string& text) { return "'" + sqlText(text) + "'"; }

// An older release's user.dat: its own three tables, as that release made them.
std::string staryUser(const std::string& verzia, Rozlozenie rozlozenie)
{
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
        auto alboNull = [](const std::string& t) { return t.empty() ? std::string("NULL") : hodnota(t); };
        sql += "INSERT INTO Ulohy VALUES (" + std::to_string(u.id) + ", " + hodnota(u.nazov) + ", "
            + alboNull(u.priecinokVstup) + ", " + alboNull(u.priecinokVystup) + ", " + std::to_string(u.format)
            + ", " + alboNull(u.cisloUctu) + ", " + std::to_string(u.cisloVypisu) + ", "
            + std::to_string(u.periodicita)
            + (sVariabilnymSymbolom ? ", " + std::to_string(u.variabilnySymbol) : "")
            + (sTextomPlatby ? ", " + alboNull(u.textPlatby) : "") + ");";
    }
    return sql;
}

std::vector<Uloha> ulohy(Databaza& databaza)
{
    std::vector<Uloha> vysledok;
    const int pocet = databaza.SQL("SELECT ID FROM Ulohy ORDER BY ID;");
    std::vector<int> idcka;
    for (int i = 0; i < pocet; ++i) idcka.push_back(int(databaza.cislo(i, "ID")));
    for (int id : idcka) {
        const auto uloha = citajUlohu(databaza, id);
        EXPECT_TRUE(uloha) << "task " << id;
        if (uloha) vysledok.push_back(*uloha);
    }
    return vysledok;
}

std::vector<Uloha> ulohySablony()
{
    Databaza databaza;
    EXPECT_TRUE(databaza.otvor(test::sablona()));
    return ulohy(databaza);
}

class Aktualizacia : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy_file(test::sablona(), m_priecinok / "default.dat");
        test::zapis(m_priecinok / "release.nfo", "Kasamat");
        test::zapis(m_priecinok / "TeamViewerQS_sk.exe", "");
    }

    // The old user.dat survives byte for byte as user.dat.bak, and no
    // temporary file is left behind.
    void overZalohu(const std::string& stareBajty)
    {
        EXPECT_TRUE(fs::exists(m_cesty.databaza + ".bak"));
        EXPECT_EQ(test::obsah(m_cesty.databaza + ".bak"), stareBajty);
        EXPECT_FALSE(fs::exists(m_cesty.databaza + ".tmp"));
    }

    // user.dat is current and the connection is open on it.
    void overAktualny()
    {
        ASSERT_EQ(m_databaza.SQL("SELECT Cislo FROM Verzia;"), 1) << "the connection is open";
        EXPECT_EQ(m_databaza.text(0, "Cislo"), "2.4.1.0");
        Databaza druha;
        EXPECT_TRUE(KontrolaDatabazy(druha, m_cesty.databaza));
    }

    PriecinokDatabaz m_priecinok;
    CestyAplikacie m_cesty = CestyAplikacie::v(utf8ZCesty(m_priecinok.cesta()));
    Databaza m_databaza;
};

struct StaraVerzia {
    const char* verzia;
    Rozlozenie rozlozenie;
};

class AktualizaciaStarejVerzie : public Aktualizacia, public ::testing::WithParamInterface<StaraVerzia> {};

TEST_P(AktualizaciaStarejVerzie, PrenesieUlohyAVybranuUlohu)
{
    const auto [verzia, rozlozenie] = GetParam();
    test::vykonaj(m_cesty.databaza, staryUser(verzia, rozlozenie));
    const std::string stareBajty = test::obsah(m_cesty.databaza);

    PripravDatabazu(m_databaza, m_cesty);

    overAktualny();
    std::vector<Uloha> ocakavane = stareUlohy;
    for (auto& u : ocakavane) {
        if (rozlozenie == Rozlozenie::bezVariabilnehoSymbolu) u.variabilnySymbol = 0;
        if (rozlozenie != Rozlozenie::uplne) u.textPlatby.clear();
    }
    EXPECT_EQ(ulohy(m_databaza), ocakavane);

    ASSERT_EQ(m_databaza.SQL("SELECT Uloha, typeof(Uloha) AS Typ FROM Nastavenia;"), 1);
    EXPECT_EQ(m_databaza.cislo(0, "Uloha"), staraVybrataUloha);
    EXPECT_EQ(m_databaza.text(0, "Typ"), "integer");
    // The numbers went in as quoted texts; they must still be numbers.
    EXPECT_EQ(m_databaza.SQL("SELECT ID FROM Ulohy WHERE typeof(ID)<>'integer' OR typeof(Format)<>'integer'"
                             " OR typeof(CisloVypisu)<>'integer' OR typeof(Periodicita)<>'integer'"
                             " OR typeof(VariabilnySymbol)<>'integer';"),
              0);
    overZalohu(stareBajty);

    // The next start finds the file current and leaves it as it is.
    m_databaza.zatvor();
    const std::string noveBajty = test::obsah(m_cesty.databaza);
    PripravDatabazu(m_databaza, m_cesty);
    EXPECT_EQ(test::obsah(m_cesty.databaza), noveBajty);
}

INSTANTIATE_TEST_SUITE_P(
    Verzie, AktualizaciaStarejVerzie,
    ::testing::Values(StaraVerzia{"2.0.0.0", Rozlozenie::bezVariabilnehoSymbolu},
                      StaraVerzia{"2.0.1.0", Rozlozenie::bezVariabilnehoSymbolu},
                      StaraVerzia{"2.0.2.0", Rozlozenie::bezVariabilnehoSymbolu},
                      StaraVerzia{"2.0.3.0", Rozlozenie::bezVariabilnehoSymbolu},
                      StaraVerzia{"2.1.0.0", Rozlozenie::bezTextuPlatby},
                      StaraVerzia{"2.1.1.0", Rozlozenie::bezTextuPlatby},
                      StaraVerzia{"2.1.2.0", Rozlozenie::bezTextuPlatby},
                      StaraVerzia{"2.2.0.0", Rozlozenie::uplne}, StaraVerzia{"2.2.1.0", Rozlozenie::uplne},
                      StaraVerzia{"2.3.0.0", Rozlozenie::uplne}, StaraVerzia{"2.4.0.0", Rozlozenie::uplne}),
    [](const auto& info) {
        std::string meno = std::string("v") + info.param.verzia;
        for (char& znak : meno)
            if (znak == '.') znak = '_';
        return meno;
    });

TEST_F(Aktualizacia, AktualnySuborOstaneNedotknuty)
{
    test::zoSablony(m_cesty.databaza,
                    "UPDATE Ulohy SET Nazov='moja', Format=3;"
                    "INSERT INTO Ulohy (ID, Nazov) VALUES (1, 'druhá'); UPDATE Nastavenia SET Uloha=1;");
    const std::string bajty = test::obsah(m_cesty.databaza);

    PripravDatabazu(m_databaza, m_cesty);

    EXPECT_EQ(m_databaza.SQL("SELECT Nazov FROM Ulohy;"), 2) << "the connection is open on user.dat";
    m_databaza.zatvor();
    EXPECT_EQ(test::obsah(m_cesty.databaza), bajty);
    EXPECT_FALSE(fs::exists(m_cesty.databaza + ".bak"));
    EXPECT_FALSE(fs::exists(m_cesty.databaza + ".tmp"));
}

TEST_F(Aktualizacia, PrvyStartSkopirujeSablonu)
{
    PripravDatabazu(m_databaza, m_cesty);

    overAktualny();
    EXPECT_EQ(ulohy(m_databaza), ulohySablony());
    m_databaza.zatvor();
    EXPECT_EQ(test::obsah(m_cesty.databaza), test::obsah(m_cesty.sablona));
    EXPECT_FALSE(fs::exists(m_cesty.databaza + ".bak"));
}

// A user.dat the program cannot use is replaced by the template; the old file
// is kept beside it.
struct NepouzitelnySubor {
    const char* meno;
    void (*vytvor)(const std::string& cesta);
};

class NahradenieSablonou : public Aktualizacia, public ::testing::WithParamInterface<NepouzitelnySubor> {};

TEST_P(NahradenieSablonou, NahradiSuborAStaryPonecha)
{
    GetParam().vytvor(m_cesty.databaza);
    const std::string stareBajty = test::obsah(m_cesty.databaza);

    PripravDatabazu(m_databaza, m_cesty);

    overAktualny();
    EXPECT_EQ(ulohy(m_databaza), ulohySablony());
    overZalohu(stareBajty);
}

std::string orezany(std::size_t dlzka)
{
    PriecinokDatabaz priecinok;
    test::vykonaj(priecinok / "user.dat", staryUser("2.4.0.0", Rozlozenie::uplne));
    return test::obsah(priecinok / "user.dat").substr(0, dlzka);
}

INSTANTIATE_TEST_SUITE_P(
    Subory, NahradenieSablonou,
    ::testing::Values(
        NepouzitelnySubor{"neznamaVerzia",
                          [](const std::string& c) { test::vykonaj(c, staryUser("2.5.0.0", Rozlozenie::uplne)); }},
        NepouzitelnySubor{"verziaBezPosledneho",
                          [](const std::string& c) { test::vykonaj(c, staryUser("2.4.1", Rozlozenie::uplne)); }},
        NepouzitelnySubor{"bezRiadkuVerzie",
                          [](const std::string& c) {
                              test::zoSablony(c, "DELETE FROM Verzia;");
                          }},
        NepouzitelnySubor{"ineHeslo",
                          [](const std::string& c) {
                              test::vykonaj(c, staryUser("2.4.0.0", Rozlozenie::uplne), "ine heslo");
                          }},
        NepouzitelnySubor{"nahodneBajty",
                          [](const std::string& c) {
                              std::string bajty;
                              for (int i = 0; i < 8192; ++i) bajty += char(i * 7919 % 251);
                              test::zapis(c, bajty);
                          }},
        NepouzitelnySubor{"prazdnySubor", [](const std::string& c) { test::zapis(c, ""); }},
        NepouzitelnySubor{"orezanyNaPrvuStranu", [](const std::string& c) { test::zapis(c, orezany(1024)); }},
        NepouzitelnySubor{"orezanyVHlavicke", [](const std::string& c) { test::zapis(c, orezany(100)); }},
        // An older release's file whose tasks cannot be read: keeping none of
        // them would leave an empty task list, so the template's tasks are used.
        NepouzitelnySubor{"staraVerziaBezCitatelnychUloh",
                          [](const std::string& c) {
                              test::vykonaj(c, staryUser("2.2.0.0", Rozlozenie::bezTextuPlatby));
                          }}),
    [](const auto& info) { return std::string(info.param.meno); });

struct SuboryAplikacie {
    const char* meno;
    void (*pokaz)(const CestyAplikacie& cesty);
    bool vPoriadku;
};

class KontrolaSuborov : public Aktualizacia, public ::testing::WithParamInterface<SuboryAplikacie> {};

TEST_P(KontrolaSuborov, VsetkySuboryMusiaByt)
{
    GetParam().pokaz(m_cesty);
    EXPECT_EQ(KontrolaSuborovAplikacie(m_databaza, m_cesty), GetParam().vPoriadku);
    EXPECT_FALSE(fs::exists(m_cesty.databaza)) << "user.dat is not made by the check";
}

INSTANTIATE_TEST_SUITE_P(
    Subory, KontrolaSuborov,
    ::testing::Values(
        SuboryAplikacie{"vsetkyVPoriadku", [](const CestyAplikacie&) {}, true},
        SuboryAplikacie{"bezSablony", [](const CestyAplikacie& c) { fs::remove(c.sablona); }, false},
        SuboryAplikacie{"sablonaInejVerzie",
                        [](const CestyAplikacie& c) {
                            test::vykonaj(c.sablona, "UPDATE Verzia SET Cislo='2.4.0.0';");
                        },
                        false},
        SuboryAplikacie{"poskodenaSablona", [](const CestyAplikacie& c) { test::zapis(c.sablona, "nie"); }, false},
        SuboryAplikacie{"bezReleaseNfo", [](const CestyAplikacie& c) { fs::remove(c.releaseInfo); }, false},
        SuboryAplikacie{"bezVzdialenejPomoci", [](const CestyAplikacie& c) { fs::remove(c.vzdialenaPomoc); },
                        false},
        SuboryAplikacie{"vzdialenaPomocJePriecinok",
                        [](const CestyAplikacie& c) {
                            fs::remove(c.vzdialenaPomoc);
                            fs::create_directory(c.vzdialenaPomoc);
                        },
                        false}),
    [](const auto& info) { return std::string(info.param.meno); });

}  // namespace
}  // namespace kasamat
