#include "formats/clr.h"

#include <utility>

#include "formats/bajty.h"

namespace kasamat {

namespace {

constexpr std::string_view koniecRiadku = "\r\n";

void pridajRiadok(std::string& text, std::string_view znacka, std::string_view hodnota)
{
    text += znacka;
    text += hodnota;
    text += koniecRiadku;
}

// A balance is written unsigned, its sign a separate token followed by "R".
void pridajZostatok(std::string& text, std::int64_t zostatok)
{
    pridajCislo(text, zostatok < 0 ? -zostatok : zostatok);
    text += zostatok < 0 ? " - R" : " + R";
}

}  // namespace

std::string FormatClr::zakladMena(std::string_view menoVstupu) const { return std::string(menoVstupu); }

// The CLR file has no direction field: the side that carries the own account
// (D the payer, K the payee) shows whether money left or arrived.
void FormatClr::pridajTransakciu(StavVypisu& stav, const Transakcia& t, const HlavickaSuboru& hlavicka) const
{
    std::string& text = stav.text;
    const std::string_view kodD = t.debet ? m_kodBanky : std::string_view(t.kodBanky);
    const std::string_view kodK = t.debet ? std::string_view(t.kodBanky) : m_kodBanky;
    // The own account stands after a blank, appended in place rather than
    // joined into a new string per transaction.
    const auto pridajUcet = [&](std::string_view znacka, bool vlastny) {
        text += znacka;
        if (vlastny) {
            text += ' ';
            text += hlavicka.vlastnyUcet;
        } else {
            text += t.protiucet;
        }
        text += koniecRiadku;
    };

    text += "HD:11 ";
    text += t.datum;
    text += ' ';
    text += kodD;
    text += ' ';
    pridajCislo(text, stav.poradie);
    text += ' ';
    text += kodK;
    text += koniecRiadku;

    text += "KC:";
    text += t.sumaText;
    text += ' ';
    text += t.datum2;
    text += ' ';
    text += t.mena;
    text += koniecRiadku;

    pridajRiadok(text, "ID:", t.datum);
    if (!t.konstantnySymbol.empty()) pridajRiadok(text, "EC:", t.konstantnySymbol);
    pridajUcet("UD:", t.debet);
    pridajUcet("UK:", !t.debet);
    if (!t.specifickySymbol.empty()) {
        pridajRiadok(text, "AD:", t.specifickySymbol);
        pridajRiadok(text, "AK:", t.specifickySymbol);
    }
    if (!t.variabilnySymbol.empty()) {
        pridajRiadok(text, "ZD:", t.variabilnySymbol);
        pridajRiadok(text, "ZK:", t.variabilnySymbol);
    }
}

std::size_t FormatClr::dlzkaTransakcie(const Transakcia& t, const HlavickaSuboru& hlavicka,
                                       std::int32_t poradie) const
{
    // Each record is its three-byte tag, its value and CR LF.
    constexpr std::size_t zaznam = 3 + koniecRiadku.size();
    const auto dvojica = [](const std::string& hodnota) {
        return hodnota.empty() ? 0 : 2 * (zaznam + hodnota.size());
    };
    std::size_t cifry = 1;
    for (std::int32_t n = poradie; n >= 10; n /= 10) ++cifry;
    const std::size_t hd =
        zaznam + 3 + t.datum.size() + 1 + m_kodBanky.size() + 1 + cifry + 1 + t.kodBanky.size();
    const std::size_t kc = zaznam + t.sumaText.size() + 1 + t.datum2.size() + 1 + t.mena.size();
    const std::size_t id = zaznam + t.datum.size();
    const std::size_t ec = t.konstantnySymbol.empty() ? 0 : zaznam + t.konstantnySymbol.size();
    const std::size_t ucty = 2 * zaznam + 1 + hlavicka.vlastnyUcet.size() + t.protiucet.size();
    return hd + kc + id + ec + ucty + dvojica(t.specifickySymbol) + dvojica(t.variabilnySymbol);
}

FormatVypisu::Uzaver FormatClr::uzavri(const StavVypisu& stav, const HlavickaSuboru&, int cisloVypisu) const
{
    const std::int64_t n = stav.poradie - 1;
    std::string t;

    t += "HD:51 ";
    t += stav.datumVypisu;
    t += ' ';
    t += m_kodBanky;
    t += ' ';
    pridajCislo(t, n + 1);
    t += " 1030";
    t += koniecRiadku;

    t += "IN:1 ";
    pridajCislo(t, n);
    t += koniecRiadku;

    t += "S1:";
    pridajCislo(t, n);
    t += ' ';
    pridajCislo(t, stav.spolu);
    t += koniecRiadku;

    t += "HD:52 ";
    t += stav.datumVypisu;
    t += ' ';
    t += m_kodBanky;
    t += ' ';
    pridajCislo(t, n + 2);
    t += ' ';
    t += m_kodBanky;
    t += koniecRiadku;

    t += "ZV:";
    t += stav.mena;
    t += ' ';
    t += m_kodBanky;
    t += " 0 ";
    t += stav.datumVypisu;
    t += ' ';
    pridajCislo(t, cisloVypisu);
    t += " 1 ";
    pridajZostatok(t, stav.pociatocnyZostatok);
    t += koniecRiadku;

    t += "KV:";
    pridajCislo(t, n + 2);
    t += ' ';
    pridajCislo(t, stav.debet);
    t += " + ";
    pridajCislo(t, stav.kredit);
    t += " + ";
    pridajZostatok(t, stav.konecnyZostatok());
    t += koniecRiadku;

    return {{}, std::move(t)};
}

}  // namespace kasamat
