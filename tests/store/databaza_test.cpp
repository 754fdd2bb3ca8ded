#include <gtest/gtest.h>

#include <string>

#include "platform/cesta.h"
#include "podpora/docasny_priecinok.h"
#include "podpora/subor_nastaveni.h"
#include "store/databaza.h"
#include "store/verzia.h"

namespace kasamat::test {
namespace {

namespace fs = std::filesystem;

// Three tasks named a, b and c, their account and payment text NULL.
const std::string triUlohy =
    "DELETE FROM Ulohy;"
    "INSERT INTO Ulohy (ID, Nazov, Format, CisloVypisu, Periodicita, VariabilnySymbol) VALUES"
    " (0, 'a', 0, 1, 0, 0), (1, 'b', 1, 5, 1, 1), (2, 'c', 3, 999, 0, 0);";

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        zoSablony(m_cesta, triUlohy);
        ASSERT_TRUE(m_databaza.otvor(m_cesta));
    }

    DocasnyPriecinok m_priecinok;
    std::string m_cesta = m_priecinok / "user.dat";
    Databaza m_databaza;
};

struct Prikaz {
    const char* meno;
    const char* sql;
    int vysledok;
    bool zlyhal;
};

TEST_F(DatabaseTest, StatementResults)
{
    const Prikaz prikazy[] = {
        {"a SELECT counts its rows", "SELECT Nazov FROM Ulohy ORDER BY ID;", 3, false},
        {"a SELECT without rows", "SELECT Nazov FROM Ulohy WHERE ID=7;", 0, false},
        {"a change answers -1", "UPDATE Nastavenia SET Uloha=1;", -1, false},
        {"a lower-case select is run as a change", "select Nazov from Ulohy;", -1, false},
        {"a leading blank hides the SELECT", " SELECT Nazov FROM Ulohy;", -1, false},
        {"a SELECT of a missing column fails", "SELECT Neexistuje FROM Ulohy;", -1, true},
        {"an UPDATE of a missing column fails", "UPDATE Ulohy SET Neexistuje=1;", -1, true},
        {"a change that breaks a constraint fails", "UPDATE Ulohy SET ID=NULL;", -1, true},
        {"a missing table", "SELECT Nazov FROM Neexistuje;", -1, true},
        {"a broken statement", "SELECT", -1, true},
        {"an empty statement", "", -1, false},
    };
    for (const auto& prikaz : prikazy) {
        EXPECT_EQ(m_databaza.SQL(prikaz.sql), prikaz.vysledok) << prikaz.meno;
        EXPECT_EQ(m_databaza.zlyhal(), prikaz.zlyhal) << prikaz.meno;
    }

    ASSERT_EQ(m_databaza.SQL("SELECT Uloha FROM Nastavenia;"), 1);
    EXPECT_EQ(m_databaza.cislo(0, "Uloha"), 1) << "the UPDATE above was carried out";
}

TEST_F(DatabaseTest, FailedStatementDropsThePreviousResult)
{
    ASSERT_EQ(m_databaza.SQL("SELECT Nazov FROM Ulohy ORDER BY ID;"), 3);
    EXPECT_EQ(m_databaza.SQL("SELECT Neexistuje FROM Ulohy;"), -1);
    EXPECT_EQ(m_databaza.text(0, "Nazov"), "");

    m_databaza.zatvor();
    EXPECT_EQ(m_databaza.SQL("SELECT Nazov FROM Ulohy;"), -1);
}

TEST_F(DatabaseTest, ColumnsAreReadByName)
{
    ASSERT_EQ(m_databaza.SQL("SELECT ID, Nazov, CisloUctu, CisloVypisu, TextPlatby FROM Ulohy ORDER BY ID;"),
              3);
    EXPECT_EQ(m_databaza.text(1, "Nazov"), "b");
    EXPECT_EQ(m_databaza.text(2, "CisloVypisu"), "999");
    EXPECT_EQ(m_databaza.cislo(2, "CisloVypisu"), 999);
    EXPECT_EQ(m_databaza.cislo(1, "cislovypisu"), 5) << "names compare without regard to case";
    EXPECT_EQ(m_databaza.text(0, "CisloUctu"), "") << "NULL reads as the empty text";
    EXPECT_EQ(m_databaza.cislo(0, "TextPlatby"), 0) << "NULL reads as 0";
    EXPECT_EQ(m_databaza.text(0, "Neexistuje"), "");
    EXPECT_EQ(m_databaza.text(3, "Nazov"), "") << "past the last row";
    EXPECT_EQ(m_databaza.cislo(-1, "ID"), 0);
}

// The next statement number goes in quoted, as the window writes its
// numbers; the column keeps it a number, and only in its own task.
TEST_F(DatabaseTest, NextStatementNumberIsStoredAsANumberInItsTaskAlone)
{
    EXPECT_EQ(m_databaza.SQL(prikazCisloVypisu(1, 42)), -1);
    EXPECT_FALSE(m_databaza.zlyhal());
    ASSERT_EQ(m_databaza.SQL("SELECT CisloVypisu, typeof(CisloVypisu) AS Typ FROM Ulohy ORDER BY ID;"), 3);
    EXPECT_EQ(m_databaza.cislo(0, "CisloVypisu"), 1);
    EXPECT_EQ(m_databaza.cislo(1, "CisloVypisu"), 42);
    EXPECT_EQ(m_databaza.text(1, "Typ"), "integer");
    EXPECT_EQ(m_databaza.cislo(2, "CisloVypisu"), 999);
}

struct NebezpecnyText {
    const char* meno;
    std::string text;
};

TEST_F(DatabaseTest, TextsAreStoredExactlyAndHarmNoOtherRow)
{
    std::string dlhy;
    while (dlhy.size() < 2000) dlhy += "ľ'\"\\";
    const NebezpecnyText texty[] = {
        {"an apostrophe", "O'Brien"},
        {"an attempt to end the literal", "'; DELETE FROM Ulohy; --"},
        {"an attempt to set another column", "x', Format='3"},
        {"apostrophes only", "''"},
        {"double quotes", "\"úvodzovky\""},
        {"backslashes", "C:\\Výpisy\\vstup\\"},
        {"diacritics", "Ťažká úloha: čučoriedky, ľad, ôsmy, äno"},
        {"a line break", "prvý\nďalší"},
        {"a payment-text template", "%VS% '%NAZOV%' %D%"},
        {"2000 characters", dlhy},
    };
    for (const auto& [meno, text] : texty) {
        EXPECT_EQ(m_databaza.SQL("UPDATE Ulohy SET Nazov='" + sqlText(text) + "', TextPlatby='"
                                 + sqlText(text) + "' WHERE ID=1;"),
                  -1);
        ASSERT_EQ(m_databaza.SQL("SELECT Nazov, TextPlatby, Format FROM Ulohy WHERE ID=1;"), 1) << meno;
        EXPECT_EQ(m_databaza.text(0, "Nazov"), text) << meno;
        EXPECT_EQ(m_databaza.text(0, "TextPlatby"), text) << meno;
        EXPECT_EQ(m_databaza.cislo(0, "Format"), 1) << meno;
        ASSERT_EQ(m_databaza.SQL("SELECT Nazov FROM Ulohy ORDER BY ID;"), 3) << meno;
        EXPECT_EQ(m_databaza.text(0, "Nazov"), "a") << meno;
        EXPECT_EQ(m_databaza.text(2, "Nazov"), "c") << meno;
    }
}

TEST(Database, FileWithAnotherPasswordHasAnEmptyVersion)
{
    DocasnyPriecinok priecinok;
    const std::string cesta = priecinok / "user.dat";
    vykonaj(cesta, "CREATE TABLE Verzia (Cislo TEXT); INSERT INTO Verzia VALUES ('2.4.1.0');", "ine heslo");

    Databaza databaza;
    EXPECT_EQ(VerziaDatabazy(databaza, cesta), "");
    EXPECT_FALSE(KontrolaDatabazy(databaza, cesta));

    ASSERT_TRUE(databaza.otvor(cesta, "ine heslo"));
    ASSERT_EQ(databaza.SQL("SELECT Cislo FROM Verzia;"), 1) << "the file itself is sound";
    EXPECT_EQ(databaza.text(0, "Cislo"), "2.4.1.0");
}

TEST_F(DatabaseTest, VersionOfAMissingFileLeavesTheConnectionAsItWas)
{
    for (const std::string& cesta : {m_priecinok / "neexistuje.dat", utf8ZCesty(m_priecinok.cesta())}) {
        EXPECT_EQ(VerziaDatabazy(m_databaza, cesta), "") << cesta;
        EXPECT_TRUE(m_databaza.jeOtvorena());
        EXPECT_EQ(m_databaza.SQL("SELECT Nazov FROM Ulohy;"), 3) << "still on user.dat after " << cesta;
    }
}

TEST(Database, CheckOfACurrentFileLeavesTheConnectionOnIt)
{
    DocasnyPriecinok priecinok;
    const std::string cesta = priecinok / "user.dat";
    zoSablony(cesta, triUlohy);

    Databaza databaza;
    EXPECT_TRUE(KontrolaDatabazy(databaza, cesta));
    EXPECT_EQ(databaza.SQL("SELECT Nazov FROM Ulohy;"), 3);
}

TEST(Database, OpeningDoesNotCreateAMissingFile)
{
    DocasnyPriecinok priecinok;
    Databaza databaza;
    EXPECT_FALSE(databaza.otvor(priecinok / "user.dat"));
    EXPECT_FALSE(fs::exists(priecinok / "user.dat"));
}

}  // namespace
}  // namespace kasamat::test
