#include <gtest/gtest.h>

#include "formats/clr.h"

using namespace kasamat;

namespace {

const FormatClr clr("1100");

Transakcia transakcia(bool debet, std::int64_t suma, std::string sumaText)
{
    Transakcia t;
    t.datum = "20190305";
    t.datum2 = "20190306";
    t.sumaText = std::move(sumaText);
    t.suma = suma;
    t.debet = debet;
    t.mena = "EUR";
    t.kodBanky = "0900";
    t.protiucet = "000019 1234567890 N\xE1jom";
    return t;
}

HlavickaSuboru hlavicka()
{
    HlavickaSuboru h;
    h.vlastnyUcet = "2628765432";
    return h;
}

// The whole statement file as the batch writes it.
std::string vypis(const std::vector<Transakcia>& transakcie, int cisloVypisu)
{
    StavVypisu stav;
    for (const Transakcia& t : transakcie) {
        clr.pridajTransakciu(stav, t, hlavicka());
        stav.zapocitaj(t);
    }
    const auto uzaver = clr.uzavri(stav, hlavicka(), cisloVypisu);
    return uzaver.pred + stav.text + uzaver.za;
}

}  // namespace

TEST(Clr, OneDebitPutsTheOwnAccountOnThePayerSide)
{
    EXPECT_EQ(vypis({transakcia(true, 125, "125")}, 7),
              "HD:11 20190305 1100 1 0900\r\n"
              "KC:125 20190306 EUR\r\n"
              "ID:20190305\r\n"
              "UD: 2628765432\r\n"
              "UK:000019 1234567890 N\xE1jom\r\n"
              "HD:51 20190305 1100 2 1030\r\n"
              "IN:1 1\r\n"
              "S1:1 125\r\n"
              "HD:52 20190305 1100 3 1100\r\n"
              "ZV:EUR 1100 0 20190305 7 1 0 + R\r\n"
              "KV:3 125 + 0 + 125 - R\r\n");
}

TEST(Clr, OneCreditPutsTheOwnAccountOnThePayeeSide)
{
    EXPECT_EQ(vypis({transakcia(false, 125, "125")}, 1),
              "HD:11 20190305 0900 1 1100\r\n"
              "KC:125 20190306 EUR\r\n"
              "ID:20190305\r\n"
              "UD:000019 1234567890 N\xE1jom\r\n"
              "UK: 2628765432\r\n"
              "HD:51 20190305 1100 2 1030\r\n"
              "IN:1 1\r\n"
              "S1:1 125\r\n"
              "HD:52 20190305 1100 3 1100\r\n"
              "ZV:EUR 1100 0 20190305 1 1 0 + R\r\n"
              "KV:3 0 + 125 + 125 + R\r\n");
}

TEST(Clr, SymbolsAddTheirRecordsOnlyWhenNotEmpty)
{
    Transakcia t = transakcia(true, 50, "050");
    t.protiucet = " 00 ";
    t.konstantnySymbol = "0308";
    t.specifickySymbol = "0";
    t.variabilnySymbol = "2019001";
    StavVypisu stav;
    clr.pridajTransakciu(stav, t, hlavicka());
    EXPECT_EQ(stav.text,
              "HD:11 20190305 1100 1 0900\r\n"
              "KC:050 20190306 EUR\r\n"
              "ID:20190305\r\n"
              "EC:0308\r\n"
              "UD: 2628765432\r\n"
              "UK: 00 \r\n"
              "AD:0\r\n"
              "AK:0\r\n"
              "ZD:2019001\r\n"
              "ZK:2019001\r\n");

    t.konstantnySymbol.clear();
    t.variabilnySymbol.clear();
    stav = {};
    clr.pridajTransakciu(stav, t, hlavicka());
    EXPECT_EQ(stav.text.find("EC:"), std::string::npos);
    EXPECT_EQ(stav.text.find("ZD:"), std::string::npos);
    EXPECT_NE(stav.text.find("AD:0\r\nAK:0\r\n"), std::string::npos);
}

TEST(Clr, TrailerCountsTransactionsAndSignsTheBalances)
{
    // Two credits of 100,00 and a debit of 300,00: more paid than received.
    const std::string text = vypis({transakcia(false, 10000, "10000"), transakcia(true, 30000, "30000"),
                                    transakcia(false, 10000, "10000")},
                                   999);
    EXPECT_NE(text.find("HD:11 20190305 0900 3 1100\r\n"), std::string::npos);
    const std::string trailer = text.substr(text.find("HD:51"));
    EXPECT_EQ(trailer,
              "HD:51 20190305 1100 4 1030\r\n"
              "IN:1 3\r\n"
              "S1:3 50000\r\n"
              "HD:52 20190305 1100 5 1100\r\n"
              "ZV:EUR 1100 0 20190305 999 1 0 + R\r\n"
              "KV:5 30000 + 20000 + 10000 - R\r\n");
}

TEST(Clr, OpeningBalanceKeepsItsSignApartFromTheAmount)
{
    StavVypisu stav;
    stav.vynuluj(-1500);
    Transakcia t = transakcia(false, 1000, "1000");
    clr.pridajTransakciu(stav, t, hlavicka());
    stav.zapocitaj(t);
    const std::string za = clr.uzavri(stav, hlavicka(), 2).za;
    EXPECT_NE(za.find("ZV:EUR 1100 0 20190305 2 1 1500 - R\r\n"), std::string::npos);
    EXPECT_NE(za.find("KV:3 0 + 1000 + 500 - R\r\n"), std::string::npos);
}

TEST(Clr, SumsBeyondThirtyTwoBitsAreWrittenWhole)
{
    const std::string text =
        vypis({transakcia(false, 3000000000, "3000000000"), transakcia(false, 3000000000, "3000000000")}, 1);
    EXPECT_NE(text.find("S1:2 6000000000\r\n"), std::string::npos);
    EXPECT_NE(text.find("KV:4 0 + 6000000000 + 6000000000 + R\r\n"), std::string::npos);
}

TEST(Clr, StatementNameKeepsTheWholeInputName)
{
    EXPECT_EQ(clr.zakladMena("vypis.txt"), "vypis.txt");
    EXPECT_EQ(clr.pripona(), ".clr");
}
