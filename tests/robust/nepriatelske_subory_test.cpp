// Hostile input files for every conversion: each gets a defined outcome
// (converted, or named as invalid), nothing crashes or hangs, and nothing
// in the folders is lost.

#include <gtest/gtest.h>

#include <functional>

#include "konverzia.h"

namespace kasamat::test {
namespace {

const char* const mena[] = {"Tatra banka TXT", "TrustPay", "Tatra banka CSV", "Fio banka"};

// The statement a golden export gives per file, named for an input "vypis".
std::string menoVypisu(int format)
{
    static const char* const vypisy[] = {"vypis.txt (20190305).clr", "vypis.csv (20240206).clr",
                                         "vypis (20190329).gpc", "vypis (20190329).gpc"};
    return vypisy[format];
}

std::string nahradVsetko(std::string text, std::string_view co, std::string_view cim)
{
    for (std::size_t i = text.find(co); i != std::string::npos; i = text.find(co, i + cim.size()))
        text.replace(i, co.size(), cim);
    return text;
}

// CR LF ends become CR LF, LF and CR in turn; a CR never stands before an
// empty line, where the two would read as one CR LF end.
std::string zmiesaneKonce(const std::string& text)
{
    static const char* const konce[] = {"\r\n", "\n", "\r"};
    std::string vysledok;
    int riadok = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            const bool prazdnyDalsi = i + 2 < text.size() && text[i + 2] == '\r';
            const char* koniec = konce[riadok++ % 3];
            vysledok += prazdnyDalsi && koniec[0] == '\r' && !koniec[1] ? "\n" : koniec;
            ++i;
        } else {
            vysledok += text[i];
        }
    }
    return vysledok;
}

// A NUL byte in place of the first blank of the last transaction's text.
std::string sNulou(const std::string& text)
{
    std::string vysledok = text;
    const std::size_t posledny = vysledok.rfind('\n', vysledok.size() - 3);
    const std::size_t predtym = vysledok.rfind('\n', posledny - 1);
    vysledok[vysledok.find(' ', predtym + 20)] = '\0';
    return vysledok;
}

std::string bezBom(const std::string& text)
{
    return text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text;
}

enum class Vysledok { Neplatny, Rovnaky, Iny };

TEST(HostileFiles, EachFileHasItsDefinedOutcome)
{
    const struct {
        const char* nazov;
        std::function<std::string(const std::string&)> uprav;
        std::array<Vysledok, 4> ocakavane;  // by Format
    } riadky[] = {
        {"unchanged",
         [](const std::string& t) { return t; },
         {Vysledok::Rovnaky, Vysledok::Rovnaky, Vysledok::Rovnaky, Vysledok::Rovnaky}},
        {"empty",
         [](const std::string&) { return std::string(); },
         {Vysledok::Neplatny, Vysledok::Neplatny, Vysledok::Neplatny, Vysledok::Neplatny}},
        {"only CR line ends",
         [](const std::string& t) { return nahradVsetko(t, "\r\n", "\r"); },
         {Vysledok::Rovnaky, Vysledok::Rovnaky, Vysledok::Rovnaky, Vysledok::Rovnaky}},
        {"only LF line ends",
         [](const std::string& t) { return nahradVsetko(t, "\r\n", "\n"); },
         {Vysledok::Rovnaky, Vysledok::Rovnaky, Vysledok::Rovnaky, Vysledok::Rovnaky}},
        {"mixed line ends",
         zmiesaneKonce,
         {Vysledok::Rovnaky, Vysledok::Rovnaky, Vysledok::Rovnaky, Vysledok::Rovnaky}},
        // TrustPay's exports may carry one; the others' never do.
        {"UTF-8 byte-order mark",
         [](const std::string& t) { return "\xEF\xBB\xBF" + bezBom(t); },
         {Vysledok::Neplatny, Vysledok::Rovnaky, Vysledok::Neplatny, Vysledok::Neplatny}},
        {"NUL in the last transaction's text",
         sNulou,
         {Vysledok::Iny, Vysledok::Iny, Vysledok::Iny, Vysledok::Iny}},
        {"NUL bytes only",
         [](const std::string& t) { return std::string(t.size(), '\0'); },
         {Vysledok::Neplatny, Vysledok::Neplatny, Vysledok::Neplatny, Vysledok::Neplatny}},
        {"cut in the middle",
         [](const std::string& t) { return t.substr(0, t.size() / 2); },
         {Vysledok::Neplatny, Vysledok::Neplatny, Vysledok::Neplatny, Vysledok::Neplatny}},
        {"a line end added at the end",
         [](const std::string& t) { return t + "\r\n"; },
         {Vysledok::Neplatny, Vysledok::Neplatny, Vysledok::Neplatny, Vysledok::Neplatny}},
    };
    for (int format = 0; format < 4; ++format) {
        const std::string platny = platnyVypis(format);
        Konverzia vzor(format);
        zapisSubor(vzor.vstup() / ("vypis" + priponaVstupu(format)), platny);
        vzor.spusti();
        const std::string vzorovy = citajSubor(vzor.vystup() / menoVypisu(format));
        ASSERT_FALSE(vzorovy.empty()) << mena[format];

        for (const auto& r : riadky) {
            SCOPED_TRACE(std::string(mena[format]) + ": " + r.nazov);
            const std::string meno = "vypis" + priponaVstupu(format);
            const std::string obsah = r.uprav(platny);
            Konverzia k(format);
            zapisSubor(k.vstup() / cestaZUtf8(meno), obsah);
            const ZaznamBehu hlasenie = k.spusti();
            const Vysledok ocakavany = r.ocakavane[std::size_t(format)];
            if (ocakavany == Vysledok::Neplatny) {
                EXPECT_EQ(hlasenie.riadky, std::vector<std::string>{neplatneSubory + meno});
                EXPECT_EQ(menaVPriecinku(k.vystup()), std::set<std::string>{});
                EXPECT_EQ(citajSubor(k.vstup() / cestaZUtf8(meno)), obsah);
                continue;
            }
            ASSERT_EQ(hlasenie.riadky.size(), 1u) << hlasenie.riadky.back();
            const std::string vypis = hlasenie.riadky[0].substr(hlasenie.riadky[0].find(": ") + 2);
            EXPECT_EQ(menaVPriecinku(k.vystup()), (std::set<std::string>{meno, vypis}));
            EXPECT_EQ(citajSubor(k.vystup() / cestaZUtf8(meno)), obsah);
            if (ocakavany == Vysledok::Rovnaky) {
                EXPECT_EQ(citajSubor(k.vystup() / vypis), vzorovy);
            }
        }
    }
}

// One file of 100 MB without a line end, offered to every conversion at
// once: hard links give it both extensions without a second copy.
TEST(HostileFiles, HugeSingleLineIsInvalidEverywhere)
{
    Konverzia k(0);
    const fs::path txt = k.vstup() / "velky.txt", csv = k.vstup() / "velky.csv";
    {
        std::string riadok(100u << 20, 'A');
        for (std::size_t i = 0; i < riadok.size(); i += 97) riadok[i] = ';';
        zapisSubor(txt, riadok);
    }
    fs::create_hard_link(txt, csv);
    for (int format = 0; format < 4; ++format) {
        SCOPED_TRACE(mena[format]);
        k.uloha.format = format;
        const ZaznamBehu hlasenie = k.spusti();
        EXPECT_EQ(hlasenie.riadky,
                  std::vector<std::string>{neplatneSubory + (format == 0 ? "velky.txt" : "velky.csv")});
    }
    EXPECT_EQ(fs::file_size(csv), 100u << 20);
    EXPECT_EQ(menaVPriecinku(k.vystup()), std::set<std::string>{});
}

TEST(HostileFiles, TenThousandFilesInOneFolder)
{
    Konverzia k(3);
    for (int i = 0; i < 9990; ++i) zapisSubor(k.vstup() / ("zly" + std::to_string(i) + ".csv"), "x;y\r\n");
    const std::string platny = platnyVypis(3);
    for (int i = 0; i < 10; ++i) zapisSubor(k.vstup() / ("vypis" + std::to_string(i) + ".csv"), platny);
    const ZaznamBehu hlasenie = k.spusti();
    // Ten statements share a day, so each file gives its own name.
    ASSERT_EQ(hlasenie.riadky.size(), 11u);
    EXPECT_EQ(hlasenie.riadky[0], "Vygenerovaný výpis č. 5: vypis0 (20190329).gpc");
    EXPECT_TRUE(
        hlasenie.riadky[10].starts_with(neplatneSubory + "zly0.csv, zly1.csv, zly10.csv, zly100.csv, "));
    EXPECT_EQ(menaVPriecinku(k.vstup()).size(), 9990u);
    EXPECT_EQ(menaVPriecinku(k.vystup()).size(), 20u);
    EXPECT_EQ(hlasenie.posledneCislo(), 15);
}

TEST(HostileFiles, NamesWithBlanksQuotesDashesAndDiacriticsConvert)
{
    const std::string platny = platnyVypis(1);
    Konverzia k(1);
    std::vector<std::string> vstupy = {"- a.csv",         "--output.csv",     "\"úver\" 'č. 2'.csv",
                                       "  medzery  .csv", "ľščťžýáíé ÔÄ.csv", "a;b,c$d`e.csv"};
    for (const std::string& meno : vstupy) zapisSubor(k.vstup() / cestaZUtf8(meno), platny);
    // Windows allows no quote in a name.
    std::erase_if(vstupy, [&](const std::string& meno) { return !fs::exists(k.vstup() / cestaZUtf8(meno)); });
    const ZaznamBehu hlasenie = k.spusti();
    EXPECT_EQ(hlasenie.riadky.size(), vstupy.size());
    EXPECT_EQ(menaVPriecinku(k.vstup()), std::set<std::string>{});
    for (const std::string& meno : vstupy) {
        EXPECT_EQ(citajSubor(k.vystup() / cestaZUtf8(meno)), platny) << meno;
        EXPECT_TRUE(fs::exists(k.vystup() / cestaZUtf8(meno + " (20240206).clr"))) << meno;
    }
}

// A link named like an export is read through: a link to a valid export
// converts and is moved as the link itself, its target left where it lies;
// a dangling link, a pipe and a folder named like an export are invalid.
TEST(HostileFiles, LinksPipesAndFoldersNamedLikeExports)
{
    const std::string platny = platnyVypis(1);
    Konverzia k(1);
    const fs::path ciel = k.koren() / "mimo.dat";
    zapisSubor(ciel, platny);
    std::error_code chyba;
    fs::create_symlink(ciel, k.vstup() / "odkaz.csv", chyba);
    if (chyba || !vytvorRuru(k.vstup() / "rura.csv"))
        GTEST_SKIP() << "no links or pipes in folders on this system";
    fs::create_symlink(k.koren() / "nie je", k.vstup() / "mrtvy.csv");
    fs::create_directory(k.vstup() / "priecinok.csv");
    const ZaznamBehu hlasenie = k.spusti();
    EXPECT_EQ(hlasenie.riadky,
              (std::vector<std::string>{"Vygenerovaný výpis č. 5: odkaz.csv (20240206).clr",
                                        neplatneSubory + "mrtvy.csv, priecinok.csv, rura.csv"}));
    EXPECT_TRUE(fs::is_symlink(k.vystup() / "odkaz.csv"));
    EXPECT_EQ(fs::read_symlink(k.vystup() / "odkaz.csv"), ciel);
    EXPECT_EQ(citajSubor(ciel), platny);
    EXPECT_EQ(menaVPriecinku(k.vstup()), (std::set<std::string>{"mrtvy.csv", "priecinok.csv", "rura.csv"}));
}

}  // namespace
}  // namespace kasamat::test
