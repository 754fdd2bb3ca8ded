// Faults of the surroundings during a run; each case ends by checking that
// nothing was lost.

#include <functional>
#include <iostream>

#include "program.h"

namespace kasamat::test {
namespace {

// A report that does something to the folders once the first statement of
// the run stands: between the two passes of every later file.
struct HlasenieSoZasahom : ZaznamBehu {
    std::function<void()> zasah;
    bool noveCisloVypisu(int id, int novy) override
    {
        ZaznamBehu::noveCisloVypisu(id, novy);
        if (zasah) std::exchange(zasah, nullptr)();
        return true;
    }
};

TEST(Faults, InputThatChangesBetweenThePassesIsNamedInvalidAndNothingOfItIsWritten)
{
    // Each change answers false where this system cannot make it.
    const struct {
        const char* nazov;
        std::function<bool(const fs::path&)> zasah;
    } riadky[] = {
        {"removed", [](const fs::path& p) { return fs::remove(p); }},
        {"replaced by a folder", [](const fs::path& p) { return fs::remove(p) && fs::create_directory(p); }},
        {"replaced by a pipe", [](const fs::path& p) { return fs::remove(p) && vytvorRuru(p); }},
        {"replaced by a dangling link",
         [](const fs::path& p) {
             std::error_code chyba;
             fs::remove(p);
             fs::create_symlink("nie je", p, chyba);
             return !chyba;
         }},
        {"emptied", [](const fs::path& p) { return zapisSubor(p, ""), true; }},
        {"now other dates",
         [](const fs::path& p) {
             return zapisSubor(p, tatraTxt({"20.03.2019", "21.03.2019"})), true;
         }},
    };
    for (const auto& r : riadky) {
        SCOPED_TRACE(r.nazov);
        Konverzia k(0, 1);
        zapisSubor(k.vstup() / "a.txt", tatraTxt({"01.03.2019"}));
        zapisSubor(k.vstup() / "b.txt", tatraTxt({"02.03.2019", "03.03.2019"}));
        zapisSubor(k.vstup() / "c.txt", tatraTxt({"04.03.2019"}));
        {
            DocasnyPriecinok skuska;
            zapisSubor(skuska.cesta() / "b.txt", "");
            if (!r.zasah(skuska.cesta() / "b.txt")) {
                std::cout << "left out: " << r.nazov << ", which this system cannot make\n";
                continue;
            }
        }
        HlasenieSoZasahom hlasenie;
        hlasenie.zasah = [&] { r.zasah(k.vstup() / "b.txt"); };
        Konvertuj(KonverziaTatraTxt, k.uloha, hlasenie);
        EXPECT_EQ(hlasenie.riadky,
                  (std::vector<std::string>{"Vygenerovaný výpis č. 5: a.txt (20190301).clr",
                                            "Vygenerovaný výpis č. 6: c.txt (20190304).clr",
                                            neplatneSubory + "b.txt"}));
        EXPECT_EQ(menaVPriecinku(k.vystup()),
                  (std::set<std::string>{"a.txt", "a.txt (20190301).clr", "c.txt", "c.txt (20190304).clr"}));
        EXPECT_EQ(hlasenie.posledneCislo(), 7);
    }
}

TEST(Faults, InputFolderMovedAwayDuringARunLosesNothing)
{
    Konverzia k(0, 1);
    const auto vstupy = dennyVstup(3, 2);
    for (const auto& [meno, obsah] : vstupy) zapisSubor(k.vstup() / cestaZUtf8(meno), obsah);
    const Ocakavane o = ocakavane(k.uloha, vstupy);
    const fs::path presunuty = k.koren() / "presunuty";
    HlasenieSoZasahom hlasenie;
    hlasenie.zasah = [&] { fs::rename(k.vstup(), presunuty); };
    Konvertuj(KonverziaTatraTxt, k.uloha, hlasenie);
    EXPECT_EQ(hlasenie.riadky,
              (std::vector<std::string>{"Vygenerovaný výpis č. 5: v000.txt (20190101).clr",
                                        "Vygenerovaný výpis č. 6: v000.txt (20190102).clr",
                                        neplatneSubory + "v001.txt, v002.txt"}));
    // The first file's statements stand; its move found no source, so it
    // stays in the moved folder with the others.
    EXPECT_EQ(overNicNestratene(presunuty, k.vystup(), o), 2u);
    EXPECT_EQ(menaVPriecinku(presunuty).size(), 3u);
}

TEST(Faults, KilledRunsLoseNothingAndTheNextRunCompletesTheWorkWithTheNumbersGoingOn)
{
    ProgramovyPriecinok p;
    // 60 files of 5 days: 300 daily statements.
    const auto vstupy = dennyVstup(60, 5);
    for (const auto& [meno, obsah] : vstupy) zapisSubor(p.vstup() / cestaZUtf8(meno), obsah);
    Uloha uloha;
    uloha.format = 0;
    uloha.periodicita = 1;
    uloha.cisloUctu = "2628765432";
    const Ocakavane o = ocakavane(uloha, vstupy);
    ASSERT_EQ(o.obsahVypisu.size(), 300u);

    long long cislo = 1;
    for (const std::size_t po : {1u, 60u, 150u, 260u}) {
        SCOPED_TRACE("killed after " + std::to_string(po) + " statements");
        Proces beh(p.program(), {}, p.koren());
        while (!beh.skoncil() && pocetVypisov(p.vystup()) < po) {
        }
        // The lock of the run killed before went with it.
        if (beh.skoncil()) {
            EXPECT_EQ(beh.cakaj(), 0) << citajSubor(p.koren() / "stderr");
        }
        beh.zabi();
        overNicNestratene(p.vstup(), p.vystup(), o, true);
        const long long ulozene = p.cisloVypisu();
        ASSERT_GE(ulozene, cislo) << "user.dat does not open, or its number went back";
        // The number stored is past every statement written so far.
        const std::set<int> cisla = cislaVypisov(p.vystup());
        if (!cisla.empty()) {
            EXPECT_LE(*cisla.rbegin(), ulozene);
        }
        cislo = ulozene;
        // A temporary file of this killed run is cleared by the next one.
        zapisSubor(p.vystup() / (".kasamat-" + std::to_string(beh.id()) + "-0.tmp"), "HD:11 20190101");
    }
    const Beh beh = p.spustiBeh();
    EXPECT_EQ(beh.status, 0) << beh.chyby;
    EXPECT_NE(beh.vystup.find("Vygenerovaný výpis č. " + std::to_string(cislo) + ": "), std::string::npos);
    EXPECT_EQ(overNicNestratene(p.vstup(), p.vystup(), o), 300u);
    EXPECT_TRUE(menaVPriecinku(p.vstup()).empty());
    const std::set<int> cisla = cislaVypisov(p.vystup());
    EXPECT_EQ(p.cisloVypisu(), *cisla.rbegin() + 1);
}

TEST(Faults, DamagedUserDatIsReplacedAndKeptAsBak)
{
    const struct {
        const char* nazov;
        std::function<std::string(const std::string&)> poskod;
    } riadky[] = {
        {"truncated", [](const std::string& obsah) { return obsah.substr(0, obsah.size() / 2); }},
        {"cut to its first page", [](const std::string& obsah) { return obsah.substr(0, 1024); }},
        {"garbage",
         [](const std::string& obsah) {
             std::string text(obsah.size(), '\0');
             for (std::size_t i = 0; i < text.size(); ++i) text[i] = char((i * 7919u + 13u) % 251u);
             return text;
         }},
        {"empty", [](const std::string&) { return std::string(); }},
    };
    for (const auto& r : riadky) {
        SCOPED_TRACE(r.nazov);
        ProgramovyPriecinok p;
        const std::string poskodeny = r.poskod(citajSubor(p.userDat()));
        zapisSubor(p.userDat(), poskodeny);
        const Beh beh = p.spustiBeh();
        // The template's task has no folders: the validation stops the run.
        EXPECT_EQ(beh.status, 1) << beh.chyby;
        EXPECT_EQ(citajSubor(p.koren() / "user.dat.bak"), poskodeny);
        EXPECT_EQ(p.cisloVypisu(), 1);
        for (const std::string& meno : menaVPriecinku(p.koren())) EXPECT_FALSE(jeDocasny(meno)) << meno;
    }
}

TEST(Faults, LockedUserDatIsNeitherReplacedNorChanged)
{
    ProgramovyPriecinok p;
    zapisSubor(p.vstup() / "a.txt", tatraTxt({"01.03.2019"}));
    const std::string pred = citajSubor(p.userDat());
    Databaza drzitel;
    ASSERT_TRUE(drzitel.otvor(utf8ZCesty(p.userDat())));
    drzitel.SQL("BEGIN EXCLUSIVE;");
    drzitel.SQL("UPDATE Ulohy SET Nazov='drží zámok' WHERE ID=0;");
    const Beh zamknuty = p.spustiBeh();
    EXPECT_NE(zamknuty.status, 0);
    EXPECT_FALSE(fs::exists(p.koren() / "user.dat.bak"));
    EXPECT_EQ(menaVPriecinku(p.vstup()), std::set<std::string>{"a.txt"});
    EXPECT_EQ(menaVPriecinku(p.vystup()), std::set<std::string>{});
    drzitel.SQL("COMMIT;");
    drzitel.zatvor();
    EXPECT_NE(citajSubor(p.userDat()), pred);

    // Once the lock is gone the run goes on from the stored number.
    const Beh beh = p.spustiBeh();
    EXPECT_EQ(beh.status, 0) << beh.vystup << beh.chyby;
    EXPECT_NE(beh.vystup.find("1. drží zámok\nVygenerovaný výpis č. 1: a.txt (20190301).clr\n"),
              std::string::npos)
        << beh.vystup;
    EXPECT_EQ(p.cisloVypisu(), 2);
}

}  // namespace
}  // namespace kasamat::test
