#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "podpora/docasny_priecinok.h"
#include "podpora/subor_nastaveni.h"
#include "store/citanie_uloh.h"

namespace kasamat::test {
namespace {

class TaskReading : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The second row holds what no task can: numbers beyond int, and NULLs.
        zoSablony(m_cesta,
                  "DELETE FROM Ulohy;" + vlozenieUlohy({0, "Fio", "/v", "/w", 3, "123", 1500, 1, 1, "T"})
                      + "INSERT INTO Ulohy (ID, Nazov, Format, CisloVypisu, Periodicita, VariabilnySymbol)"
                        " VALUES (1, 'veľké', 9, 0, 99999999999, -99999999999);");
        ASSERT_TRUE(m_databaza.otvor(m_cesta));
    }

    DocasnyPriecinok m_priecinok;
    std::string m_cesta = m_priecinok / "user.dat";
    Databaza m_databaza;
};

TEST_F(TaskReading, RowReadsAsStored)
{
    const auto uloha = citajUlohu(m_databaza, 0);
    ASSERT_TRUE(uloha);
    EXPECT_EQ(uloha->nazov, "Fio");
    EXPECT_EQ(uloha->priecinokVstup, "/v");
    EXPECT_EQ(uloha->priecinokVystup, "/w");
    EXPECT_EQ(uloha->format, 3);
    EXPECT_EQ(uloha->cisloUctu, "123") << "a Format 3 task keeps a stored account number";
    EXPECT_EQ(uloha->cisloVypisu, 1500) << "read as stored; the window bounds it";
    EXPECT_EQ(uloha->periodicita, 1);
    EXPECT_EQ(uloha->variabilnySymbol, 1);
    EXPECT_EQ(uloha->textPlatby, "T");
    EXPECT_EQ(ohranicCisloVypisu(uloha->cisloVypisu), 999);
}

TEST_F(TaskReading, NumbersOutOfRangeAreHeldAtTheBounds)
{
    const auto uloha = citajUlohu(m_databaza, 1);
    ASSERT_TRUE(uloha);
    EXPECT_EQ(uloha->format, 9);
    EXPECT_EQ(uloha->periodicita, INT_MAX);
    EXPECT_EQ(uloha->variabilnySymbol, INT_MIN);
    EXPECT_EQ(uloha->cisloUctu, "") << "NULL";
    EXPECT_EQ(ohranicCisloVypisu(uloha->cisloVypisu), 1);
}

TEST_F(TaskReading, MissingRowIsAnEmptyTask)
{
    for (int id : {-1, 2}) {
        const auto uloha = citajUlohu(m_databaza, id);
        ASSERT_TRUE(uloha) << id;
        EXPECT_EQ(uloha->nazov, "");
        EXPECT_EQ(uloha->format, 0);
        EXPECT_EQ(uloha->periodicita, 0);
        EXPECT_EQ(ohranicCisloVypisu(uloha->cisloVypisu), 1);
    }
}

TEST_F(TaskReading, FailedStatementGivesNoTask)
{
    m_databaza.zatvor();
    EXPECT_FALSE(citajUlohu(m_databaza, 0));
    EXPECT_EQ(vyberNazvyUloh(m_databaza), -1);
}

}  // namespace
}  // namespace kasamat::test
