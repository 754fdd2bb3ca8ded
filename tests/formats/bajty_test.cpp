#include <gtest/gtest.h>

#include "formats/bajty.h"

using namespace kasamat;

TEST(Bajty, AtolReadsLikeTheCLibrary)
{
    struct Pripad {
        const char* nazov;
        const char* text;
        std::int64_t hodnota;
    };
    const Pripad pripady[] = {
        {"plain digits", "1250", 1250},
        {"leading zeros", "050", 50},
        {"leading blanks and sign", "  -42", -42},
        {"plus sign", "+7", 7},
        {"stops at the first non-digit", "12 345", 12},
        {"no digits", "abc", 0},
        {"empty", "", 0},
        {"sign alone", "-", 0},
        {"beyond 64 bits is held at the bound", "99999999999999999999999", INT64_MAX},
    };
    for (const auto& p : pripady) EXPECT_EQ(atolHodnota(p.text), p.hodnota) << p.nazov;
}

TEST(Bajty, ReadsAsAnIntegerOnlyForASignAndDigits)
{
    EXPECT_TRUE(citaSaAkoCislo("0"));
    EXPECT_TRUE(citaSaAkoCislo("-15"));
    EXPECT_TRUE(citaSaAkoCislo("+15"));
    EXPECT_FALSE(citaSaAkoCislo(""));
    EXPECT_FALSE(citaSaAkoCislo("-"));
    EXPECT_FALSE(citaSaAkoCislo(" 15"));
    EXPECT_FALSE(citaSaAkoCislo("1a"));
    EXPECT_TRUE(ibaCislice(""));
    EXPECT_FALSE(ibaCislice("12a"));
}

// The parts are read as their joined text would be: every split of every
// text below answers what the joined text answers.
TEST(Bajty, PartsReadAsAnIntegerExactlyAsTheirJoinedText)
{
    const std::string_view texty[] = {"",    "0",  "-",   "+",   "-15", "+15",
                                      "--1", "1-", "1+2", " 15", "1a",  "12345678901234567890",
                                      "-0",  "+-", "a",   "01.", "2024"};
    for (const std::string_view text : texty) {
        for (std::size_t i = 0; i <= text.size(); ++i) {
            for (std::size_t j = i; j <= text.size(); ++j) {
                EXPECT_EQ(citaSaAkoCislo(text.substr(0, i), text.substr(i, j - i), text.substr(j)),
                          citaSaAkoCislo(text))
                    << text << " split at " << i << " and " << j;
            }
        }
    }
}

TEST(Bajty, TrimCutsAndFills)
{
    EXPECT_EQ(orez(" \t ab c\r\x01"), "ab c");
    EXPECT_EQ(orez("\xE1 "), "\xE1") << "letters of code page 1250 are no blanks";
    EXPECT_EQ(usek("abcdef", 3, 2), "cd");
    EXPECT_EQ(usek("abc", 3, 5), "c");
    EXPECT_EQ(usek("abc", 4, 1), "");
    EXPECT_EQ(doplnNulami("7", 3), "007");
    EXPECT_EQ(doplnNulami("1234", 3), "1234") << "a value is never cut";
    std::string text;
    pridajText(text, "abcdefghijklmnopqrstuvwxy", 20);
    EXPECT_EQ(text, "abcdefghijklmnopqrst");
    text.clear();
    pridajText(text, "abc", 5);
    EXPECT_EQ(text, "abc  ");
    EXPECT_EQ(ddmmrr("20190315"), "150319");
    EXPECT_EQ(cislo(-5000), "-5000");
}
