#include "banks/trustpay_zaznam.h"

#include "banks/riadky.h"
#include "formats/bajty.h"

namespace kasamat {

namespace {

constexpr std::string_view bom = "\xEF\xBB\xBF";
constexpr auto nic = std::string_view::npos;

std::string_view bezBom(std::string_view zaznam)
{
    if (zacinaNa(zaznam, bom)) zaznam.remove_prefix(bom.size());
    return zaznam;
}

// Reads as a decimal integer: digits, optionally after leading blanks and a sign.
bool konvertuje(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return citaSaAkoCislo(text);
}

// The date and the amount go into the statement as written, so they must be
// plain digits: a blank or a sign there would split a record's field or be
// read as a different amount.
bool cislice(std::string_view text) { return !text.empty() && ibaCislice(text); }

std::string_view po(std::string_view text, std::size_t index)
{
    return index < text.size() ? text.substr(index) : std::string_view();
}

void datumKluc(std::string_view zaznam, std::string& kluc)
{
    kluc.assign(usek(zaznam, 9, 4));
    kluc += usek(zaznam, 5, 2);
    kluc += usek(zaznam, 1, 2);
}

void rozdelUcet(std::string_view ucet, PolozkaTrustPay& p)
{
    std::string_view predcislie, cislo, kod;
    if (ucet.size() == 24 && zacinaNa(ucet, "SK") && konvertuje(usek(ucet, 3, 7))
        && konvertuje(usek(ucet, 10, 7)) && konvertuje(usek(ucet, 17, 8))) {
        kod = usek(ucet, 5, 4);
        predcislie = usek(ucet, 9, 6);
        cislo = usek(ucet, 15, 10);
    } else {
        std::string_view cast = ucet;
        kod = "0000";
        if (const std::size_t lomka = ucet.find('/'); lomka != nic) {
            // Exports write both prefix-number/bank and bank/prefix-number;
            // a "/" in the first half of the text marks the bank code first.
            const bool kodPrvy = lomka + 1 < ucet.size() / 2;
            kod = orez(kodPrvy ? ucet.substr(0, lomka) : ucet.substr(lomka + 1));
            cast = kodPrvy ? ucet.substr(lomka + 1) : ucet.substr(0, lomka);
        }
        if (const std::size_t pomlcka = cast.find('-'); pomlcka != nic) {
            predcislie = orez(cast.substr(0, pomlcka));
            cislo = orez(cast.substr(pomlcka + 1));
        } else {
            cislo = orez(cast);
        }
    }
    if (predcislie.size() > 6) predcislie = predcislie.substr(predcislie.size() - 6);
    if (cislo.size() > 10) cislo = cislo.substr(cislo.size() - 10);
    if (kod.size() > 7) kod = kod.substr(kod.size() - 7);
    p.predcislie.assign(predcislie);
    p.cislo.clear();
    pridajNulami(p.cislo, cislo.empty() ? std::string_view("00") : cislo, 2);
    p.kodBanky.clear();
    pridajNulami(p.kodBanky, kod, 4);
}

// Takes the first occurrence of a tag out of the text; its value is the
// trimmed rest up to the first blank, and what follows that blank goes back
// to the text. The text is cut in place and the value assigned, so that a
// reader reusing both allocates nothing per record.
void vyberZnacku(std::string& text, std::string_view znacka, std::string& vysledok)
{
    const std::size_t miesto = text.find(znacka);
    if (miesto == nic) {
        vysledok.clear();
        return;
    }
    std::string_view hodnota = orez(std::string_view(text).substr(miesto + znacka.size()));
    // The rest that goes back: from after the value's first blank to the
    // value's trimmed end; nothing when the value holds no blank.
    const std::size_t koniec = std::size_t(hodnota.data() - text.data()) + hodnota.size();
    std::size_t zvysok = koniec;
    if (const std::size_t medzera = hodnota.find(' '); medzera != nic) {
        zvysok = std::size_t(hodnota.data() - text.data()) + medzera + 1;
        hodnota = hodnota.substr(0, medzera);
    }
    vysledok.assign(hodnota.substr(0, 10));
    text.resize(koniec);
    text.erase(miesto, zvysok - miesto);
}

}  // namespace

int KontrolaRiadkuTrustPay(std::string_view zaznam)
{
    zaznam = bezBom(zaznam);
    // Day, month and year make eight digits only when each part is whole.
    const std::string_view den = usek(zaznam, 1, 2), mesiac = usek(zaznam, 5, 2), rok = usek(zaznam, 9, 4);
    if (den.size() != 2 || mesiac.size() != 2 || rok.size() != 4 || !ibaCislice(den) || !ibaCislice(mesiac)
        || !ibaCislice(rok))
        return 0;
    if (usek(zaznam, 3, 2) != ". " || usek(zaznam, 7, 2) != ". " || usek(zaznam, 13, 2) != ";\"") return 0;

    std::string_view zvysok = po(zaznam, 14);
    std::size_t uvodzovka = zvysok.find('"');
    if (uvodzovka == nic) return -1;
    zvysok = po(zvysok, uvodzovka + 1);
    if (!zacinaNa(zvysok, ";+") && !zacinaNa(zvysok, ";-")) return 0;

    zvysok = po(zvysok, 2);
    const std::size_t ciarka = zvysok.find(',');
    if (ciarka == nic || !cislice(zvysok.substr(0, ciarka))) return 0;
    zvysok = po(zvysok, ciarka + 1);
    if (const std::string_view stotiny = usek(zvysok, 1, 2); stotiny.size() != 2 || !cislice(stotiny))
        return 0;
    if (usek(zvysok, 3, 1) != ";" || usek(zvysok, 7, 2) != ";\"") return 0;

    zvysok = po(zvysok, 8);
    uvodzovka = zvysok.find('"');
    if (uvodzovka == nic) return -1;
    zvysok = po(zvysok, uvodzovka + 1);
    if (!zacinaNa(zvysok, ";\"")) return 0;

    zvysok = po(zvysok, 2);
    uvodzovka = zvysok.find('"');
    if (uvodzovka == nic) return -1;
    if (usek(zvysok, uvodzovka + 2, 1) != ";") return 0;

    zvysok = po(zvysok, uvodzovka + 2);
    const std::size_t bodkociarka = zvysok.find(';');
    if (bodkociarka == nic) return 0;
    std::string_view cislo = zvysok.substr(0, bodkociarka);
    if (!cislo.empty() && cislo.back() == '"') cislo.remove_suffix(1);
    if (!konvertuje(cislo)) return 0;

    zvysok = po(zvysok, bodkociarka + 1);
    if (!zacinaNa(zvysok, "\"")) return 0;
    uvodzovka = zvysok.find('"', 1);
    if (uvodzovka == nic) return -1;
    return uvodzovka + 1 == zvysok.size() ? 1 : 0;
}

PolozkaTrustPay NacitatPolozkuTrustPay(std::string_view zaznam)
{
    PolozkaTrustPay p;
    NacitatPolozkuTrustPay(zaznam, p);
    return p;
}

void NacitatPolozkuTrustPay(std::string_view zaznam, PolozkaTrustPay& p)
{
    zaznam = bezBom(zaznam);
    p.datumText.assign(usek(zaznam, 1, 12));
    datumKluc(zaznam, p.datumKluc);

    std::string_view zvysok = po(zaznam, 14);
    std::size_t koniec = zvysok.find('"');
    rozdelUcet(zvysok.substr(0, koniec), p);
    zvysok = po(zvysok, koniec + 1);

    p.debet = usek(zvysok, 2, 1) == "-";
    zvysok = po(zvysok, 2);
    const std::size_t ciarka = zvysok.find(',');
    p.sumaText.assign(zvysok.substr(0, ciarka));
    zvysok = po(zvysok, ciarka + 1);
    p.sumaText += usek(zvysok, 1, 2);
    p.suma = atolHodnota(p.sumaText);
    p.mena.assign(usek(zvysok, 4, 3));

    zvysok = po(zvysok, 8);
    koniec = zvysok.find('"');
    // The tags are taken out of the payment text where it is kept.
    std::string& text = p.zvysnyText;
    text.assign(zvysok.substr(0, koniec));
    zvysok = po(zvysok, koniec + 3);
    koniec = zvysok.find('"');
    const std::string_view pole6 = zvysok.substr(0, koniec);
    zvysok = po(zvysok, koniec + 2);
    zvysok = po(zvysok, zvysok.find(';') + 2);
    p.nazovProtiuctu.assign(zvysok.substr(0, zvysok.find('"')));

    vyberZnacku(text, "KS:", p.konstantnySymbol);
    vyberZnacku(text, "VS:", p.variabilnySymbol);
    vyberZnacku(text, "SS:", p.specifickySymbol);
    if (text.find("REF:") != nic)
        vyberZnacku(text, "REF:", p.referencia);
    else
        p.referencia.assign(pole6.substr(0, 10));
}

bool testujTrustPay(const Riadky& riadky, std::string& posledny)
{
    if (riadky.empty()) return false;
    std::string zaznam;
    for (std::size_t i = 0; i < riadky.size();) {
        if (citajZaznam(riadky, i, KontrolaRiadkuTrustPay, zaznam, i) != 1) return false;
    }
    posledny.assign(bezBom(zaznam));
    return true;
}

bool citajTrustPay(const Riadky& riadky, PrijemcaZaznamov& prijemca)
{
    std::string zaznam;
    PolozkaTrustPay polozka;
    for (std::size_t i = 0; i < riadky.size();) {
        if (citajZaznam(riadky, i, KontrolaRiadkuTrustPay, zaznam, i) != 1) return false;
        NacitatPolozkuTrustPay(zaznam, polozka);
        if (!prijemca.prijmi(polozka)) return false;
    }
    return true;
}

}  // namespace kasamat
