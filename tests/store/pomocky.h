#pragma once
// Settings files for the store's tests: real encrypted files in a temporary
// folder, made from the build's template and reshaped by SQL statements.

#define SQLITE_HAS_CODEC
#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cesta.h"
#include "podpora/docasny_priecinok.h"
#include "store/databaza.h"

namespace kasamat::test {

namespace fs = std::filesystem;

// A temporary folder whose files the store's tests name by UTF-8 paths, as
// the store takes them.
class PriecinokDatabaz : public DocasnyPriecinok {
public:
    std::string operator/(std::string_view meno) const { return utf8ZCesty(cesta() / cestaZUtf8(meno)); }
};

inline std::string sablona() { return KASAMAT_BIN_DIR "/default.dat"; }

inline std::string obsah(const std::string& cesta) { return citajSubor(cestaZUtf8(cesta)); }

inline void zapis(const std::string& cesta, std::string_view bajty) { zapisSubor(cestaZUtf8(cesta), std::string(bajty)); }

// Runs SQL on the encrypted file at the path, creating the file if need be;
// unlike the store's SQL, every failure stops the test.
inline void vykonaj(const std::string& cesta, const std::string& prikazy,
                    std::string_view heslo = hesloDatabazy)
{
    sqlite3* surove = nullptr;
    const int otvorenie = sqlite3_open_v2(cesta.c_str(), &surove, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> spojenie(surove, sqlite3_close);
    ASSERT_EQ(otvorenie, SQLITE_OK) << cesta;
    ASSERT_EQ(sqlite3_key(surove, heslo.data(), int(heslo.size())), SQLITE_OK);
    char* chyba = nullptr;
    const int vysledok = sqlite3_exec(surove, prikazy.c_str(), nullptr, nullptr, &chyba);
    const std::string text = chyba ? chyba : "";
    sqlite3_free(chyba);
    ASSERT_EQ(vysledok, SQLITE_OK) << text << "\n" << prikazy;
}

// A copy of the template at the path, with the statements run on it.
inline void zoSablony(const std::string& cesta, const std::string& prikazy = {})
{
    ASSERT_TRUE(fs::copy_file(cestaZUtf8(sablona()), cestaZUtf8(cesta), fs::copy_options::overwrite_existing))
        << sablona();
    if (!prikazy.empty()) vykonaj(cesta, prikazy);
}

}  // namespace kasamat::test
