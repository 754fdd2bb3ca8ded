// Files the fuzz targets (tests/fuzz) found mishandled, kept as regressions.

#include <gtest/gtest.h>

#include "konverzia.h"

namespace kasamat::test {
namespace {

// A Tatra banka TXT transaction line between the first and the last is cut
// at its fixed columns as it comes, its date included. With daily statements
// that date names a statement file: one that is not eight digits (here with a
// path separator in it) would name no proper statement, so the file is invalid.
TEST(FuzzFindings, DailyStatementNamedByADateThatIsNoDateMakesTheFileInvalid)
{
    std::string obsah = platnyVypis(0);
    const std::size_t riadok = obsah.find("04.03.2019  | 05.03.2019");
    ASSERT_NE(riadok, std::string::npos);
    for (const char* datum : {"0/.03.2019",
                              "04.03.2\0"
                              "19",
                              "  .  .    "}) {
        SCOPED_TRACE(datum);
        obsah.replace(riadok, 10, std::string(datum, 10));
        Konverzia denna(0, 1);
        zapisSubor(denna.vstup() / "vypis.txt", obsah);
        const ZaznamBehu hlasenie = denna.spusti();
        EXPECT_EQ(hlasenie.riadky, std::vector<std::string>{neplatneSubory + "vypis.txt"});
        EXPECT_EQ(menaVPriecinku(denna.vystup()), std::set<std::string>{});
        EXPECT_EQ(menaVPriecinku(denna.vstup()), std::set<std::string>{"vypis.txt"});

        // Per file only the last transaction's date names the statement.
        Konverzia naSubor(0, 0);
        zapisSubor(naSubor.vstup() / "vypis.txt", obsah);
        naSubor.spusti();
        EXPECT_EQ(menaVPriecinku(naSubor.vystup()),
                  (std::set<std::string>{"vypis.txt", "vypis.txt (20190305).clr"}));
    }
}

// A TrustPay amount of more digits than 64 bits hold would be summed at the
// bound while its KC record shows the digits written: the file cannot become
// a statement, as an ABO amount that does not fit its field.
TEST(FuzzFindings, TrustPayAmountBeyondSixtyFourBitsMakesTheFileInvalid)
{
    const struct {
        const char* nazov;
        const char* suma;
        bool platny;
    } riadky[] = {
        {"eighteen digits", "+9999999999999999,99", true},
        {"leading zeros do not count", "+0000000000000000000001,00", true},
        {"nineteen digits", "+99999999999999999,99", false},
        {"far beyond", "-123456789012345678901234567890,00", false},
    };
    for (const auto& r : riadky) {
        SCOPED_TRACE(r.nazov);
        Konverzia konverzia(1);
        zapisSubor(
            konverzia.vstup() / "tp.csv",
            std::string("06. 02. 2024;\"1/2\";") + r.suma + ";EUR;\"Dobropis\";\"\";8;\"Dodavatel\"\r\n");
        const ZaznamBehu hlasenie = konverzia.spusti();
        if (r.platny) {
            EXPECT_EQ(menaVPriecinku(konverzia.vystup()),
                      (std::set<std::string>{"tp.csv", "tp.csv (20240206).clr"}));
        } else {
            EXPECT_EQ(hlasenie.riadky, std::vector<std::string>{neplatneSubory + "tp.csv"});
            EXPECT_EQ(menaVPriecinku(konverzia.vystup()), std::set<std::string>{});
        }
    }
}

// The Fio banka and Tatra banka CSV line tests let a sign through where the
// date needs a digit; such a file must not be keyed or converted by a date
// that is none, whichever transaction carries it.
TEST(FuzzFindings, SignInATransactionDateMakesTheFileInvalid)
{
    const struct {
        const char* nazov;
        int format;
        const char* datum;
    } riadky[] = {
        {"Fio banka, last transaction", 3, "\n7021;29.03.2019;"},
        {"Fio banka, first transaction", 3, "\n7000;01.03.2019;"},
        {"Tatra banka CSV, last transaction", 2, "\n29.03.2019,"},
        {"Tatra banka CSV, first transaction", 2, "\n01.03.2019,"},
    };
    for (const auto& r : riadky) {
        SCOPED_TRACE(r.nazov);
        std::string obsah = platnyVypis(r.format);
        std::size_t miesto = obsah.find(r.datum);
        ASSERT_NE(miesto, std::string::npos);
        miesto = obsah.find(r.format == 3 ? ";" : "\n", miesto) + 1;
        for (const int denne : {0, 1}) {
            Konverzia konverzia(r.format, denne);
            obsah[miesto] = '+';
            zapisSubor(konverzia.vstup() / "vypis.csv", obsah);
            const ZaznamBehu hlasenie = konverzia.spusti();
            EXPECT_EQ(hlasenie.riadky, std::vector<std::string>{neplatneSubory + "vypis.csv"});
            EXPECT_EQ(menaVPriecinku(konverzia.vystup()), std::set<std::string>{});
        }
    }
}

}  // namespace
}  // namespace kasamat::test
