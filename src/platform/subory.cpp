// The parts of the file work that are the same on every system: which names
// a scan takes and in what order, and which temporary files a run may clear.

#include <QString>
#include <algorithm>
#include <atomic>
#include <cstring>

#include "platform/cesta.h"
#include "platform/subory.h"
#include "platform/system.h"

namespace kasamat {

namespace fs = std::filesystem;

namespace {

bool zhodaPripony(std::string_view meno, std::string_view pripona)
{
    if (meno.size() < pripona.size() + 1) return false;
    const std::string_view koniec = meno.substr(meno.size() - pripona.size() - 1);
    if (koniec.front() != '.') return false;
    return std::equal(pripona.begin(), pripona.end(), koniec.begin() + 1, [](char a, char b) {
        const auto male = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return male(a) == male(b);
    });
}

constexpr std::string_view zaciatokDocasneho = ".kasamat-";
constexpr std::string_view priponaDocasneho = ".tmp";

// The process id in the name of a temporary file of the batch; -1 for any
// other name.
long procesDocasneho(std::string_view meno)
{
    if (!meno.starts_with(zaciatokDocasneho) || !meno.ends_with(priponaDocasneho)) return -1;
    const std::size_t pomlcka = meno.find('-', zaciatokDocasneho.size());
    if (pomlcka == std::string_view::npos) return -1;
    const std::string_view cislo = meno.substr(zaciatokDocasneho.size(), pomlcka - zaciatokDocasneho.size());
    if (cislo.empty() || cislo.size() > 9
        || !std::all_of(cislo.begin(), cislo.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    return std::stol(std::string(cislo));
}

}  // namespace

char* ObsahSuboru::miesto(std::size_t kapacita)
{
    if (kapacita > m_kapacita) {
        // Not value-initialized: a new buffer is written only by the read.
        std::unique_ptr<char[]> nove(new char[kapacita]);
        if (m_dlzka > 0) std::memcpy(nove.get(), m_data.get(), m_dlzka);
        m_data = std::move(nove);
        m_kapacita = kapacita;
    }
    return m_data.get();
}

bool citajCelySubor(const fs::path& cesta, std::string& obsah)
{
    ObsahSuboru precitany;
    if (!citajCelySubor(cesta, precitany)) {
        obsah.clear();
        return false;
    }
    obsah.assign(precitany.text());
    return true;
}

// The process id in the name lets a later run tell the file of a killed run
// from one still being written.
fs::path docasnaCesta(const fs::path& priecinok)
{
    static std::atomic<unsigned> pocitadlo{0};
    return priecinok
        / (std::string(zaciatokDocasneho) + std::to_string(system::idProcesu()) + "-"
           + std::to_string(pocitadlo++) + std::string(priponaDocasneho));
}

std::vector<std::string> prehladajPriecinok(const fs::path& priecinok, std::string_view pripona)
{
    std::vector<std::string> mena;
    if (!system::polozkyPriecinka(priecinok, mena)) return {};
    std::erase_if(mena, [&](const std::string& meno) { return !zhodaPripony(meno, pripona); });
    std::sort(mena.begin(), mena.end(), [](const std::string& a, const std::string& b) {
        const int poradie =
            QString::fromUtf8(a.data(), qsizetype(a.size()))
                .compare(QString::fromUtf8(b.data(), qsizetype(b.size())), Qt::CaseInsensitive);
        return poradie != 0 ? poradie < 0 : a < b;
    });
    return mena;
}

void odstranOpusteneDocasne(const fs::path& priecinok)
{
    std::vector<std::string> mena;
    if (!system::polozkyPriecinka(priecinok, mena)) return;
    for (const std::string& meno : mena) {
        const long id = procesDocasneho(meno);
        if (id >= 0 && id != system::idProcesu() && system::procesSkoncil(id))
            odstranSubor(priecinok / cestaZUtf8(meno));
    }
}

}  // namespace kasamat
