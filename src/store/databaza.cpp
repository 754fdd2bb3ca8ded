#define SQLITE_HAS_CODEC
#include "store/databaza.h"

#include <sqlcipher/sqlite3.h>

#include <memory>

namespace kasamat {

namespace {

struct ZatvorPrikaz {
    void operator()(sqlite3_stmt* prikaz) const { sqlite3_finalize(prikaz); }
};
using Prikaz = std::unique_ptr<sqlite3_stmt, ZatvorPrikaz>;

bool jeZamok(int kod) { return (kod & 0xff) == SQLITE_BUSY || (kod & 0xff) == SQLITE_LOCKED; }

}  // namespace

Databaza::~Databaza() { zatvor(); }

bool Databaza::otvor(const std::string& cesta, std::string_view heslo)
{
    zatvor();
    sqlite3* spojenie = nullptr;
    // Shared mode: other processes may open the same file; never create one.
    const int vysledok =
        sqlite3_open_v2(cesta.c_str(), &spojenie, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr);
    if (vysledok != SQLITE_OK || sqlite3_key(spojenie, heslo.data(), int(heslo.size())) != SQLITE_OK) {
        sqlite3_close(spojenie);
        return false;
    }
    sqlite3_busy_timeout(spojenie, 5000);
    m_spojenie = spojenie;
    return true;
}

void Databaza::zatvor()
{
    m_stlpce.clear();
    m_riadky.clear();
    m_zamknuta = false;
    m_zlyhal = false;
    if (m_spojenie) sqlite3_close(m_spojenie);
    m_spojenie = nullptr;
}

int Databaza::SQL(std::string_view prikaz)
{
    m_stlpce.clear();
    m_riadky.clear();
    m_zamknuta = false;
    m_zlyhal = true;
    if (!m_spojenie) return -1;

    sqlite3_stmt* surovy = nullptr;
    if (const int kod = sqlite3_prepare_v2(m_spojenie, prikaz.data(), int(prikaz.size()), &surovy, nullptr);
        kod != SQLITE_OK) {
        m_zamknuta = jeZamok(kod);
        return -1;
    }
    Prikaz dotaz(surovy);
    if (!dotaz) {
        m_zlyhal = false;  // an empty statement: nothing to run
        return -1;
    }

    const bool jeSelect = prikaz.substr(0, 6) == "SELECT";
    std::vector<std::vector<std::optional<std::string>>> riadky;
    const int stlpcov = sqlite3_column_count(dotaz.get());
    for (;;) {
        const int krok = sqlite3_step(dotaz.get());
        if (krok == SQLITE_DONE) break;
        if (krok != SQLITE_ROW) {
            m_zamknuta = jeZamok(krok);
            return -1;
        }
        if (!jeSelect) continue;
        auto& riadok = riadky.emplace_back(stlpcov);
        for (int i = 0; i < stlpcov; ++i) {
            if (sqlite3_column_type(dotaz.get(), i) == SQLITE_NULL) continue;
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(dotaz.get(), i));
            riadok[i] = std::string(text, sqlite3_column_bytes(dotaz.get(), i));
        }
    }
    m_zlyhal = false;
    if (!jeSelect) return -1;

    for (int i = 0; i < stlpcov; ++i) m_stlpce.emplace_back(sqlite3_column_name(dotaz.get(), i));
    m_riadky = std::move(riadky);
    return int(m_riadky.size());
}

std::string Databaza::text(int riadok, std::string_view stlpec) const
{
    if (riadok < 0 || riadok >= int(m_riadky.size())) return {};
    for (std::size_t i = 0; i < m_stlpce.size(); ++i) {
        // Column names compare without regard to case, as the engine's do.
        if (m_stlpce[i].size() == stlpec.size()
            && sqlite3_strnicmp(m_stlpce[i].c_str(), stlpec.data(), int(stlpec.size())) == 0)
            return m_riadky[riadok][i].value_or(std::string());
    }
    return {};
}

long long Databaza::cislo(int riadok, std::string_view stlpec) const
{
    // Read as the engine reads a text in a numeric context: leading digits.
    const std::string hodnota = text(riadok, stlpec);
    try {
        std::size_t koniec = 0;
        return std::stoll(hodnota, &koniec);
    } catch (...) {
        return 0;
    }
}

std::string sqlText(std::string_view text)
{
    std::string vysledok;
    vysledok.reserve(text.size() + 2);
    for (char znak : text) {
        if (znak == '\'') vysledok += '\'';
        vysledok += znak;
    }
    return vysledok;
}

std::string prikazCisloVypisu(int idUlohy, int cislo)
{
    return "UPDATE Ulohy SET CisloVypisu='" + std::to_string(cislo) + "' WHERE ID=" + std::to_string(idUlohy)
        + ";";
}

}  // namespace kasamat
