#include <gtest/gtest.h>

#include <string>

#include "formats/abo.h"
#include "formats/cp1250.h"

using namespace kasamat;

namespace {

const FormatAbo tatra(VariantAbo::TatraCsv);
const FormatAbo fio(VariantAbo::Fio);
const FormatAbo camt(VariantAbo::Camt053);

// A field of a written record, found through the layout by its name.
template <std::size_t N>
std::string pole(const std::string& zaznam, const std::array<PoleAbo, N>& polia, std::string_view nazov)
{
    for (const PoleAbo& p : polia)
        if (p.nazov == nazov) return zaznam.substr(p.pozicia - 1, p.sirka);
    ADD_FAILURE() << "no field " << nazov;
    return {};
}

Transakcia transakcia(std::int64_t suma, bool debet)
{
    Transakcia t;
    t.rezDatum = t.datum = "20190305";
    t.datum2 = "20190306";
    t.sumaText = std::to_string(suma);
    t.suma = suma;
    t.debet = debet;
    t.mena = "EUR";
    t.protiucet = "0896123457000019";
    t.kodBanky = "900";
    t.variabilnySymbol = "2019001";
    t.konstantnySymbol = "308";
    t.specifickySymbol = "77";
    t.text = cp1250ZUtf8("Faktúra");
    return t;
}

// A statement built the way the batch builds one: each transaction written,
// then counted; closed with the given number.
struct Vypis {
    StavVypisu stav;
    HlavickaSuboru hlavicka{"2436262875000000", cp1250ZUtf8("ÚČTOVNÁ JEDNOTKA"), std::nullopt};
    std::string text;

    Vypis(const FormatAbo& format, std::int64_t pociatocny, std::initializer_list<Transakcia> transakcie,
          int cislo = 7)
    {
        stav.vynuluj(pociatocny);
        for (const Transakcia& t : transakcie) {
            format.pridajTransakciu(stav, t, hlavicka);
            stav.zapocitaj(t);
        }
        const FormatVypisu::Uzaver uzaver = format.uzavri(stav, hlavicka, cislo);
        text = uzaver.pred + stav.text + uzaver.za;
    }
    std::string zaznam(std::size_t index) const { return text.substr(index * 130, 128); }
    std::string p074(std::string_view nazov) const { return pole(zaznam(0), zaznam074, nazov); }
};

}  // namespace

TEST(Abo, InternalOrderOfAnAccountNumber)
{
    EXPECT_EQ(vnutornePoradie("0000002628765432"), "2436262875000000");
    EXPECT_EQ(vnutornePoradie("0000191234567890"), "0896123457000019");
}

TEST(Abo, EveryRecordIs128BytesAndEndsWithCrLf)
{
    const Vypis v(tatra, 0, {transakcia(10000, false), transakcia(10000, false), transakcia(3000, true)});
    ASSERT_EQ(v.text.size(), 4u * 130);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(v.text.substr(i * 130 + 128, 2), "\r\n") << "record " << i;
        EXPECT_EQ(v.text.substr(i * 130, 3), i == 0 ? "074" : "075");
    }
}

TEST(Abo, StatementRecordOfTatraBanka)
{
    const Vypis v(tatra, 0, {transakcia(10000, false), transakcia(10000, false), transakcia(3000, true)});
    EXPECT_EQ(v.zaznam(0),
              "074"
              "2436262875000000"
              "EUR                 "
              "050319"
              "00000000000000"
              "+"
              "00000000017000"
              "+"
              "00000000003000"
              "+"
              "00000000020000"
              "+"
              "007"
              "050319"
              "              ");
}

TEST(Abo, StatementRecordOfFioBanka)
{
    Transakcia prva = transakcia(25000, true);
    prva.datum = "20190301";
    const Vypis v(fio, 100000, {prva, transakcia(1, false)});
    EXPECT_EQ(v.zaznam(0),
              "074" "2436262875000000" + cp1250ZUtf8("ÚČTOVNÁ JEDNOTKA    ") + "010319" "00000000100000" "+"
              "00000000075001" "+" "00000000025000" "0" "00000000000001" "0" "007" "050319"
              "FIO           ");
}

TEST(Abo, StatementRecordOfCamt053NamedOrNot)
{
    Transakcia prva = transakcia(25000, true);
    prva.datum = "20190301";
    const Vypis v(camt, -100000, {prva, transakcia(1, false)});
    EXPECT_EQ(v.zaznam(0),
              "074" "2436262875000000" + cp1250ZUtf8("ÚČTOVNÁ JEDNOTKA    ") + "010319" "00000000100000" "-"
              "00000000124999" "-" "00000000025000" "0" "00000000000001" "0" "007" "050319"
              "              ");
    // Without a holder's name, the statement's currency stands in its field.
    HlavickaSuboru bezNazvu = v.hlavicka;
    bezNazvu.nazovUctu.clear();
    EXPECT_EQ(pole(camt.uzavri(v.stav, bezNazvu, 7).pred, zaznam074, "názov účtu"), "EUR                 ");
}

TEST(Abo, BalanceSigns)
{
    struct Riadok {
        const char* nazov;
        const FormatAbo& format;
        std::int64_t pociatocny;
        std::int64_t kredit, debet;
        const char* stary;
        const char* novy;
    } riadky[] = {
        {"tatra debits exceed credits by 12,34", tatra, 0, 10000, 11234, "00000000000000+",
         "00000000001234-"},
        {"tatra credits exceed debits", tatra, 0, 13000, 10000, "00000000000000+", "00000000003000+"},
        {"tatra all even", tatra, 0, 5000, 5000, "00000000000000+", "00000000000000+"},
        {"fio negative opening stays negative", fio, -5000, 1000, 0, "00000000005000-", "00000000004000-"},
        {"fio negative opening turns positive", fio, -5000, 6000, 0, "00000000005000-", "00000000001000+"},
        {"fio positive opening turns negative", fio, 100, 0, 200, "00000000000100+", "00000000000100-"},
    };
    for (const Riadok& r : riadky) {
        const Vypis v(r.format, r.pociatocny, {transakcia(r.kredit, false), transakcia(r.debet, true)});
        EXPECT_EQ(v.p074("starý zostatok") + v.p074("znamienko starého zostatku"), r.stary) << r.nazov;
        EXPECT_EQ(v.p074("nový zostatok") + v.p074("znamienko nového zostatku"), r.novy) << r.nazov;
    }
}

TEST(Abo, StatementNumberIsZeroFilledToThree)
{
    EXPECT_EQ(Vypis(tatra, 0, {transakcia(1, false)}, 1).p074("číslo výpisu"), "001");
    EXPECT_EQ(Vypis(tatra, 0, {transakcia(1, false)}, 42).p074("číslo výpisu"), "042");
    EXPECT_EQ(Vypis(fio, 0, {transakcia(1, false)}, 999).p074("číslo výpisu"), "999");
}

TEST(Abo, ItemRecordOfEachVariant)
{
    const Transakcia t = transakcia(150000, true);
    EXPECT_EQ(Vypis(tatra, 0, {t}).zaznam(1),
              "075" "2436262875000000" "0896123457000019" "0000000000000" "000000150000" "1"
              "0002019001" "000900" "0308" "0000000077" "060319" + cp1250ZUtf8("Faktúra             ") + "00000"
              "050319");
    EXPECT_EQ(Vypis(fio, 0, {transakcia(2550, false)}).zaznam(1),
              "075" "2436262875000000" "0896123457000019" "0000000000000" "000000002550" "2"
              "0002019001" "000900" "0308" "0000000077" "060319" + cp1250ZUtf8("Faktúra             ") + "00203"
              "050319");
    // Format 4: the statement currency's ISO 4217 number, none for a currency it does not know.
    for (const auto& [mena, kod] :
         {std::pair{"EUR", "00978"}, {"CZK", "00203"}, {"HUF", "00348"}, {"XAU", "00000"}}) {
        Transakcia t = transakcia(100, false);
        t.mena = mena;
        EXPECT_EQ(pole(Vypis(camt, 0, {t}).zaznam(1), zaznam075, "kód"), kod) << mena;
    }
}

TEST(Abo, EmptySymbolsAndBankCodeAreZeros)
{
    Transakcia t = transakcia(100, false);
    t.variabilnySymbol = t.kodBanky = t.konstantnySymbol = t.specifickySymbol = "";
    EXPECT_EQ(Vypis(tatra, 0, {t}).zaznam(1).substr(61, 30), std::string(30, '0'));
}

TEST(Abo, ItemTextIsCutAndFilledToTwenty)
{
    struct Riadok {
        const char* nazov;
        const char* text;
        const char* zapisany;
    } riadky[] = {
        {"25 bytes cut", "Platba za tovar a služby!", "Platba za tovar a sl"},
        {"5 bytes filled", "Nájom", "Nájom               "},
        {"empty", "", "                    "},
    };
    for (const Riadok& r : riadky) {
        Transakcia t = transakcia(100, false);
        t.text = cp1250ZUtf8(r.text);
        const Vypis v(fio, 0, {t});
        EXPECT_EQ(pole(v.zaznam(1), zaznam075, "text"), cp1250ZUtf8(r.zapisany)) << r.nazov;
        EXPECT_EQ(v.text.size(), 2u * 130) << r.nazov;
    }
}

TEST(Abo, BaseNameDropsTheExtension)
{
    EXPECT_EQ(fio.zakladMena("vypis.csv"), "vypis");
    EXPECT_EQ(tatra.zakladMena(cp1250ZUtf8("Výpis 03.CSV")), cp1250ZUtf8("Výpis 03"));
}

TEST(Abo, SumsThatOutgrowFourteenDigitsStopTheFile)
{
    constexpr std::int64_t najviac = SumyAbo::najviac;
    EXPECT_TRUE(SumyAbo(najviac).platne());
    EXPECT_FALSE(SumyAbo(najviac + 1).platne());
    EXPECT_FALSE(SumyAbo(-najviac - 1).platne());

    SumyAbo kredit;
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(kredit.pripocitaj(transakcia(999'999'999'999, false)));
    EXPECT_TRUE(kredit.pripocitaj(transakcia(99, false)));  // exactly 14 nines
    EXPECT_FALSE(kredit.pripocitaj(transakcia(1, false)));
    EXPECT_FALSE(kredit.pripocitaj(transakcia(0, true))) << "stays stopped";

    // The balance may fit while the debit turnover does not.
    SumyAbo obrat(najviac);
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(obrat.pripocitaj(transakcia(999'999'999'999, true)));
    EXPECT_FALSE(obrat.pripocitaj(transakcia(999'999'999'999, true)));

    SumyAbo zostatok(-najviac);
    EXPECT_FALSE(zostatok.pripocitaj(transakcia(1, true)));
}
