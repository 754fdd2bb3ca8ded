#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "banks/riadky.h"

using namespace kasamat;

namespace {

std::vector<std::string> riadky(std::string_view obsah)
{
    std::vector<std::string> vysledok;
    for (const std::string_view riadok : rozdelNaRiadky(obsah)) vysledok.emplace_back(riadok);
    return vysledok;
}

// Splits byte by byte: the plain reading of "lines end at CR LF, LF or CR".
std::vector<std::string> poZnakoch(std::string_view obsah)
{
    std::vector<std::string> vysledok;
    std::string riadok;
    for (std::size_t i = 0; i < obsah.size(); ++i) {
        const char znak = obsah[i];
        if (znak != '\r' && znak != '\n') {
            riadok += znak;
            continue;
        }
        vysledok.push_back(riadok);
        riadok.clear();
        if (znak == '\r' && i + 1 < obsah.size() && obsah[i + 1] == '\n') ++i;
    }
    if (!riadok.empty()) vysledok.push_back(riadok);
    return vysledok;
}

struct Pripad {
    const char* nazov;
    std::string obsah;
    std::vector<std::string> riadky;
};

TEST(RozdelNaRiadky, LineEndsOfEveryKind)
{
    const std::vector<Pripad> pripady = {
        {"empty text has no line", "", {}},
        {"a line end at the very end adds no empty line", "a\r\nb\r\n", {"a", "b"}},
        {"last line without a line end", "a\r\nb", {"a", "b"}},
        {"LF alone", "a\nb\n", {"a", "b"}},
        {"CR alone", "a\rb\r", {"a", "b"}},
        {"mixed within one file", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"CR CR LF is an empty line between", "a\r\r\nb", {"a", "", "b"}},
        {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
        {"empty lines kept", "\r\n\r\nx", {"", "", "x"}},
        {"a lone line end is one empty line", "\n", {""}},
    };
    for (const Pripad& p : pripady) EXPECT_EQ(riadky(p.obsah), p.riadky) << p.nazov;
}

TEST(RozdelNaRiadky, AgreesWithAByteByByteSplitOnRandomText)
{
    // Line ends clustered among few other bytes find the corner cases quickly.
    const char abeceda[] = {'\r', '\n', 'a', 'b', '"', ';'};
    std::uint64_t stav = 7;
    for (int kolo = 0; kolo < 2000; ++kolo) {
        std::string obsah;
        const int dlzka = int(stav % 40);
        for (int i = 0; i < dlzka; ++i) {
            stav = stav * 6364136223846793005ULL + 1442695040888963407ULL;
            obsah += abeceda[(stav >> 33) % sizeof abeceda];
        }
        ASSERT_EQ(riadky(obsah), poZnakoch(obsah)) << testing::PrintToString(obsah);
    }
}

}  // namespace
