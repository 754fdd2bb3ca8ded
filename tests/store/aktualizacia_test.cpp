#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cesta.h"
#include "podpora/proces.h"
#include "podpora/stare_verzie.h"
#include "store/aktualizacia.h"
#include "store/verzia.h"

namespace kasamat::test {

namespace {

namespace fs = std::filesystem;

std::vector<Uloha> ulohySablony()
{
    Databaza databaza;
    EXPECT_TRUE(databaza.otvor(sablona()));
    return citajUlohy(databaza);
}

class Upgrade : public ::testing::Test {
protected:
    void SetUp() override { kopirujSuboryAplikacie(m_priecinok.cesta()); }

    // The old user.dat survives byte for byte as user.dat.bak, and no
    // temporary file is left behind.
    void overZalohu(const std::string& stareBajty)
    {
        EXPECT_TRUE(fs::exists(m_cesty.databaza + ".bak"));
        EXPECT_EQ(citajSubor(m_cesty.databaza + ".bak"), stareBajty);
        bezDocasnych();
    }

    void bezDocasnych()
    {
        for (const auto& polozka : fs::directory_iterator(m_priecinok.cesta()))
            EXPECT_FALSE(utf8ZCesty(polozka.path().filename()).starts_with(".kasamat-")) << polozka.path();
    }

    // user.dat is current and the connection is open on it.
    void overAktualny()
    {
        ASSERT_EQ(m_databaza.SQL("SELECT Cislo FROM Verzia;"), 1) << "the connection is open";
        EXPECT_EQ(m_databaza.text(0, "Cislo"), "2.5.0.0");
        Databaza druha;
        EXPECT_TRUE(KontrolaDatabazy(druha, m_cesty.databaza));
    }

    DocasnyPriecinok m_priecinok;
    CestyAplikacie m_cesty = CestyAplikacie::v(utf8ZCesty(m_priecinok.cesta()));
    Databaza m_databaza;
};

class UpgradeOfAnOlderRelease : public Upgrade, public ::testing::WithParamInterface<StaraVerzia> {};

TEST_P(UpgradeOfAnOlderRelease, CarriesOverTheTasksAndTheSelectedTask)
{
    const auto [verzia, rozlozenie] = GetParam();
    vykonaj(m_cesty.databaza, staryUser(verzia, rozlozenie));
    const std::string stareBajty = citajSubor(m_cesty.databaza);

    PripravDatabazu(m_databaza, m_cesty);

    overAktualny();
    EXPECT_EQ(citajUlohy(m_databaza), ulohyPoAktualizacii(rozlozenie));

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
    const std::string noveBajty = citajSubor(m_cesty.databaza);
    PripravDatabazu(m_databaza, m_cesty);
    EXPECT_EQ(citajSubor(m_cesty.databaza), noveBajty);
}

INSTANTIATE_TEST_SUITE_P(Releases, UpgradeOfAnOlderRelease, ::testing::ValuesIn(stareVerzie),
                         [](const auto& info) {
                             std::string meno = std::string("v") + info.param.verzia;
                             for (char& znak : meno)
                                 if (znak == '.') znak = '_';
                             return meno;
                         });

TEST_F(Upgrade, CurrentFileIsLeftUntouched)
{
    Uloha druha;
    druha.id = 1;
    druha.nazov = "druhá";
    zoSablony(
        m_cesty.databaza,
        "UPDATE Ulohy SET Nazov='moja', Format=3;" + vlozenieUlohy(druha) + "UPDATE Nastavenia SET Uloha=1;");
    const std::string bajty = citajSubor(m_cesty.databaza);

    PripravDatabazu(m_databaza, m_cesty);

    EXPECT_EQ(m_databaza.SQL("SELECT Nazov FROM Ulohy;"), 2) << "the connection is open on user.dat";
    m_databaza.zatvor();
    EXPECT_EQ(citajSubor(m_cesty.databaza), bajty);
    EXPECT_FALSE(fs::exists(m_cesty.databaza + ".bak"));
    bezDocasnych();
}

TEST_F(Upgrade, FirstStartCopiesTheTemplate)
{
    PripravDatabazu(m_databaza, m_cesty);

    overAktualny();
    EXPECT_EQ(citajUlohy(m_databaza), ulohySablony());
    m_databaza.zatvor();
    EXPECT_EQ(citajSubor(m_cesty.databaza), citajSubor(m_cesty.sablona));
    EXPECT_FALSE(fs::exists(m_cesty.databaza + ".bak"));
}

// A user.dat the program cannot use is replaced by the template; the old file
// is kept beside it.
struct NepouzitelnySubor {
    const char* meno;
    void (*vytvor)(const std::string& cesta);
};

class ReplacementByTheTemplate : public Upgrade, public ::testing::WithParamInterface<NepouzitelnySubor> {};

TEST_P(ReplacementByTheTemplate, ReplacesTheFileAndKeepsTheOldOne)
{
    GetParam().vytvor(m_cesty.databaza);
    const std::string stareBajty = citajSubor(m_cesty.databaza);

    PripravDatabazu(m_databaza, m_cesty);

    overAktualny();
    EXPECT_EQ(citajUlohy(m_databaza), ulohySablony());
    overZalohu(stareBajty);
}

std::string orezany(std::size_t dlzka)
{
    DocasnyPriecinok priecinok;
    vykonaj(priecinok / "user.dat", staryUser("2.4.0.0", Rozlozenie::uplne));
    return citajSubor(priecinok / "user.dat").substr(0, dlzka);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReplacementByTheTemplate,
    ::testing::Values(
        NepouzitelnySubor{"unknownVersion",
                          [](const std::string& c) { vykonaj(c, staryUser("2.6.0.0", Rozlozenie::uplne)); }},
        NepouzitelnySubor{"versionWithoutItsLastNumber",
                          [](const std::string& c) { vykonaj(c, staryUser("2.4.1", Rozlozenie::uplne)); }},
        NepouzitelnySubor{"noVersionRow", [](const std::string& c) { zoSablony(c, "DELETE FROM Verzia;"); }},
        NepouzitelnySubor{
            "otherPassword",
            [](const std::string& c) { vykonaj(c, staryUser("2.4.0.0", Rozlozenie::uplne), "ine heslo"); }},
        NepouzitelnySubor{"randomBytes",
                          [](const std::string& c) {
                              std::string bajty;
                              for (int i = 0; i < 8192; ++i) bajty += char(i * 7919 % 251);
                              zapisSubor(c, bajty);
                          }},
        NepouzitelnySubor{"emptyFile", [](const std::string& c) { zapisSubor(c, ""); }},
        NepouzitelnySubor{"cutToTheFirstPage", [](const std::string& c) { zapisSubor(c, orezany(1024)); }},
        NepouzitelnySubor{"cutInTheHeader", [](const std::string& c) { zapisSubor(c, orezany(100)); }},
        // An older release's file whose tasks cannot be read: keeping none of
        // them would leave an empty task list, so the template's tasks are used.
        NepouzitelnySubor{
            "olderReleaseWithoutReadableTasks",
            [](const std::string& c) { vykonaj(c, staryUser("2.2.0.0", Rozlozenie::bezTextuPlatby)); }}),
    [](const auto& info) { return std::string(info.param.meno); });

struct SuboryAplikacie {
    const char* meno;
    void (*pokaz)(const CestyAplikacie& cesty);
    bool vPoriadku;
};

class CompanionFileCheck : public Upgrade, public ::testing::WithParamInterface<SuboryAplikacie> {};

TEST_P(CompanionFileCheck, EveryFileMustBeThere)
{
    GetParam().pokaz(m_cesty);
    EXPECT_EQ(KontrolaSuborovAplikacie(m_databaza, m_cesty), GetParam().vPoriadku);
    EXPECT_FALSE(fs::exists(m_cesty.databaza)) << "user.dat is not made by the check";
}

INSTANTIATE_TEST_SUITE_P(
    Files, CompanionFileCheck,
    ::testing::Values(
        SuboryAplikacie{"allInOrder", [](const CestyAplikacie&) {}, true},
        SuboryAplikacie{"noTemplate", [](const CestyAplikacie& c) { fs::remove(c.sablona); }, false},
        SuboryAplikacie{
            "templateOfAnotherVersion",
            [](const CestyAplikacie& c) { vykonaj(c.sablona, "UPDATE Verzia SET Cislo='2.4.0.0';"); }, false},
        SuboryAplikacie{"damagedTemplate", [](const CestyAplikacie& c) { zapisSubor(c.sablona, "nie"); },
                        false},
        SuboryAplikacie{"noReleaseNfo", [](const CestyAplikacie& c) { fs::remove(c.releaseInfo); }, false},
        SuboryAplikacie{"noRemoteSupportTool", [](const CestyAplikacie& c) { fs::remove(c.vzdialenaPomoc); },
                        false},
        SuboryAplikacie{"remoteSupportToolIsAFolder",
                        [](const CestyAplikacie& c) {
                            fs::remove(c.vzdialenaPomoc);
                            fs::create_directory(c.vzdialenaPomoc);
                        },
                        false}),
    [](const auto& info) { return std::string(info.param.meno); });

}  // namespace
}  // namespace kasamat::test
