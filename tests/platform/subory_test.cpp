// The file-system layer of the batch: the scan by mask, the whole write and
// the move that never replaces.

#include <gtest/gtest.h>

#include "platform/cesta.h"
#include "platform/subory.h"
#include "podpora/docasny_priecinok.h"

namespace kasamat::test {
namespace {

namespace fs = std::filesystem;
using Mena = std::vector<std::string>;

TEST(Subory, ScanMatchesTheExtensionInAnyCaseAndListsWithoutRegardToCase)
{
    DocasnyPriecinok priecinok;
    // "a.csv" beside "A.CSV" only where the file system keeps both.
    const bool oba = rozlisujeVelkostPismen(priecinok.cesta());
    for (const char* meno :
         {"b.csv", "A.CSV", "Č.csv", "c.Csv", "x.csvx", "csv", "y.txt", ".csv", "d.csv.bak"})
        zapisSubor(priecinok.cesta() / cestaZUtf8(meno), "");
    if (oba) zapisSubor(priecinok.cesta() / "a.csv", "");
    fs::create_directory(priecinok.cesta() / cestaZUtf8("priečinok.csv"));
    // Names that differ only in case come in byte order, so the order is the same on every run.
    Mena ocakavane{".csv", "A.CSV", "a.csv", "b.csv", "c.Csv", "priečinok.csv", "Č.csv"};
    if (!oba) std::erase(ocakavane, "a.csv");
    EXPECT_EQ(prehladajPriecinok(priecinok.cesta(), "csv"), ocakavane);
    EXPECT_EQ(prehladajPriecinok(priecinok.cesta(), "txt"), Mena{"y.txt"});
    EXPECT_EQ(prehladajPriecinok(priecinok.cesta() / "nie je", "csv"), Mena{});
}

TEST(Subory, OnlyARegularFileReadsWhole)
{
    DocasnyPriecinok priecinok;
    const std::string obsah = std::string("a\r\nb\0c", 6) + std::string(200000, 'x');
    zapisSubor(priecinok.cesta() / "a.csv", obsah);
    // The batch keeps one buffer for every file it reads.
    ObsahSuboru precitane;
    EXPECT_TRUE(citajCelySubor(priecinok.cesta() / "a.csv", precitane));
    EXPECT_EQ(precitane.text(), obsah);
    EXPECT_FALSE(citajCelySubor(priecinok.cesta(), precitane));
    EXPECT_FALSE(citajCelySubor(priecinok.cesta() / "nie je.csv", precitane));

    // The text of a longer file read before leaves nothing behind.
    zapisSubor(priecinok.cesta() / "b.csv", "kratky");
    ASSERT_TRUE(citajCelySubor(priecinok.cesta() / "a.csv", precitane));
    EXPECT_TRUE(citajCelySubor(priecinok.cesta() / "b.csv", precitane));
    EXPECT_EQ(precitane.text(), "kratky");
    zapisSubor(priecinok.cesta() / "c.csv", "");
    EXPECT_TRUE(citajCelySubor(priecinok.cesta() / "c.csv", precitane));
    EXPECT_EQ(precitane.text(), "");
    // A file that holds more than its size said when opened (as one that
    // grows meanwhile) is read to its end.
    ASSERT_TRUE(citajCelySubor("/proc/self/status", precitane));
    EXPECT_EQ(precitane.text().rfind("Name:", 0), 0u);
    EXPECT_NE(precitane.text().find("\nPid:"), std::string::npos);
}

TEST(Subory, WholeWriteReplacesTheFileAndLeavesNothingElse)
{
    DocasnyPriecinok priecinok;
    const fs::path ciel = priecinok.cesta() / "v (20190301).gpc";
    zapisSubor(ciel, "starý obsah, dlhší než nový");
    // A statement left read-only is replaced too, as a rename replaces it on POSIX systems.
    fs::permissions(ciel, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    ASSERT_TRUE(zapisCelySubor(ciel, {"074\r\n", "075a\r\n075b\r\n", ""}));
    EXPECT_EQ(citajSubor(ciel), "074\r\n075a\r\n075b\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(priecinok.cesta()), fs::directory_iterator()), 1);
}

TEST(Subory, MoveNeverReplacesAFile)
{
    DocasnyPriecinok priecinok;
    const fs::path zdroj = priecinok.cesta() / "a.csv";
    const fs::path ciel = priecinok.cesta() / cestaZUtf8("výstup") / "a.csv";
    fs::create_directory(ciel.parent_path());
    zapisSubor(zdroj, "vstup");
    zapisSubor(ciel, "iný");
    EXPECT_FALSE(presunBezNahradenia(zdroj, ciel));
    EXPECT_EQ(citajSubor(zdroj), "vstup");
    EXPECT_EQ(citajSubor(ciel), "iný");

    fs::remove(ciel);
    EXPECT_TRUE(presunBezNahradenia(zdroj, ciel));
    EXPECT_FALSE(fs::exists(zdroj));
    EXPECT_EQ(citajSubor(ciel), "vstup");
}

TEST(Subory, MoveToAnotherFileSystemCopiesThenRemoves)
{
    const fs::path inySystem = priecinokInehoSystemu();
    if (inySystem.empty()) GTEST_SKIP() << "no second file system";
    DocasnyPriecinok priecinok;
    const fs::path zdroj = priecinok.cesta() / "a.csv";
    const fs::path ciel = inySystem / ("kasamat-test-" + utf8ZCesty(priecinok.cesta().filename()) + ".csv");
    zapisSubor(zdroj, std::string(300000, 'v'));
    zapisSubor(ciel, "iný");
    EXPECT_FALSE(presunBezNahradenia(zdroj, ciel));
    EXPECT_EQ(citajSubor(ciel), "iný");
    fs::remove(ciel);
    EXPECT_TRUE(presunBezNahradenia(zdroj, ciel));
    EXPECT_FALSE(fs::exists(zdroj));
    EXPECT_EQ(citajSubor(ciel), std::string(300000, 'v'));
    fs::remove(ciel);
}

}  // namespace
}  // namespace kasamat::test
