// Golden cases: every folder under tests/data/golden/ is one run of
// kasamat-batch. The case holds `task` (the runner's options, one a line: the
// option, a blank, the value), `input/` (the export files), and `expected/`:
// `log.txt` (the runner's standard output), `out/` (every file the output
// folder must hold afterwards) and `in/` (what must stay in the input folder;
// no folder means nothing). Adding a case adds files, not code.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "platform/cesta.h"
#include "podpora/proces.h"

namespace kasamat::test {
namespace {

namespace fs = std::filesystem;

fs::path priecinokPripadov() { return fs::path(KASAMAT_TEST_DATA) / "golden"; }

std::vector<std::string> volbyPripadu(const fs::path& subor)
{
    std::vector<std::string> volby;
    std::istringstream riadky(citajSubor(subor));
    for (std::string riadok; std::getline(riadky, riadok);) {
        if (riadok.ends_with('\r')) riadok.pop_back();
        if (riadok.empty()) continue;
        const std::size_t medzera = riadok.find(' ');
        volby.push_back(riadok.substr(0, medzera));
        volby.push_back(medzera == std::string::npos ? std::string() : riadok.substr(medzera + 1));
    }
    return volby;
}

std::string bajt(const std::string& text, std::size_t pozicia)
{
    if (pozicia >= text.size()) return "end of file";
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", unsigned(static_cast<unsigned char>(text[pozicia])));
    return hex;
}

// Empty when the contents are equal; else where they first differ.
std::string rozdiel(const std::string& nazov, const std::string& skutocny, const std::string& ocakavany)
{
    if (skutocny == ocakavany) return {};
    const std::size_t pozicia =
        std::mismatch(skutocny.begin(),
                      skutocny.begin() + std::ptrdiff_t(std::min(skutocny.size(), ocakavany.size())),
                      ocakavany.begin())
            .first
        - skutocny.begin();
    const std::size_t riadok =
        std::size_t(std::count(skutocny.begin(), skutocny.begin() + std::ptrdiff_t(pozicia), '\n')) + 1;
    const std::size_t zaciatokRiadku = skutocny.rfind('\n', pozicia == 0 ? 0 : pozicia - 1);
    const std::size_t stlpec =
        zaciatokRiadku == std::string::npos || pozicia == 0 ? pozicia + 1 : pozicia - zaciatokRiadku;
    std::ostringstream text;
    text << nazov << ": line " << riadok << ", byte " << stlpec << " of the line (offset " << pozicia
         << "): got " << bajt(skutocny, pozicia) << ", expected " << bajt(ocakavany, pozicia);
    return text.str();
}

// The folder holds exactly the expected files, byte for byte.
void porovnajPriecinok(const fs::path& skutocny, const fs::path& ocakavany)
{
    SCOPED_TRACE(utf8ZCesty(skutocny.filename()));
    ASSERT_EQ(menaVPriecinku(skutocny), menaVPriecinku(ocakavany));
    for (const std::string& meno : menaVPriecinku(ocakavany)) {
        const fs::path nazov = cestaZUtf8(meno);
        if (fs::is_directory(ocakavany / nazov)) {
            EXPECT_TRUE(fs::is_directory(skutocny / nazov)) << meno;
            continue;
        }
        const std::string chyba = rozdiel(meno, citajSubor(skutocny / nazov), citajSubor(ocakavany / nazov));
        EXPECT_TRUE(chyba.empty()) << chyba;
    }
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, RunGivesTheExpectedFiles)
{
    const fs::path pripad = priecinokPripadov() / GetParam();
    DocasnyPriecinok priecinok;
    // Folders whose names hold letters inside and outside code page 1250,
    // under a path longer than 260 characters.
    const fs::path koren = priecinok.cesta() / std::string(150, 'k') / std::string(120, 'p');
    const fs::path vstup = koren / cestaZUtf8("vstup Žltý kôň Łódź");
    const fs::path vystup = koren / cestaZUtf8("výstup Őr Привет Ω");
    fs::create_directories(vstup);
    fs::create_directories(vystup);
    if (fs::exists(pripad / "input")) fs::copy(pripad / "input", vstup, fs::copy_options::recursive);

    std::vector<std::string> argumenty = {"--input", utf8ZCesty(vstup), "--output", utf8ZCesty(vystup)};
    const std::vector<std::string> volby = volbyPripadu(pripad / "task");
    argumenty.insert(argumenty.end(), volby.begin(), volby.end());
    // The order of file keys follows the locale's collation; cases are made for this one.
    nastavPremennu("LC_ALL", "C.UTF-8");
    const Beh beh = spusti(programBehu(), argumenty, priecinok.cesta());

    ASSERT_EQ(beh.status, 0) << beh.chyby;
    const std::string chyba = rozdiel("log.txt", beh.vystup, citajSubor(pripad / "expected" / "log.txt"));
    EXPECT_TRUE(chyba.empty()) << chyba << "\n" << beh.vystup;
    porovnajPriecinok(vystup, pripad / "expected" / "out");
    if (fs::exists(pripad / "expected" / "in")) {
        porovnajPriecinok(vstup, pripad / "expected" / "in");
    } else {
        EXPECT_EQ(menaVPriecinku(vstup), std::set<std::string>{});
    }
}

// Every entry of the folder is a case: one without its task file fails
// rather than being passed over.
INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(menaVPriecinku(priecinokPripadov())),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string meno = info.param;
                             for (char& znak : meno)
                                 if (!std::isalnum(static_cast<unsigned char>(znak))) znak = '_';
                             return meno;
                         });

// A folder that cannot be read, or that holds no case, leaves nothing to
// run: the suite must fail then, not pass.
TEST(GoldenCases, FolderHoldsCases)
{
    std::error_code chyba;
    EXPECT_TRUE(fs::is_directory(priecinokPripadov(), chyba))
        << utf8ZCesty(priecinokPripadov()) << ": " << (chyba ? chyba.message() : "no folder");
    EXPECT_FALSE(menaVPriecinku(priecinokPripadov()).empty())
        << "no case in " << utf8ZCesty(priecinokPripadov());
}

}  // namespace
}  // namespace kasamat::test
