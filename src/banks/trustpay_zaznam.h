#pragma once
// The TrustPay account export: one payment per record, eight fields separated
// by ";", no header line. A quoted field may hold line breaks, so a record can
// span several physical lines, joined with one blank per break.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "banks/banka.h"

namespace kasamat {

// The fields of a record that tested 1, as the one walk that tested it found
// them, without their quotes. They view the record's text without its
// byte-order mark: its line, or the reader's working space when its lines
// were joined; they hold until the next record is read.
struct ZaznamTrustPay {
    std::string_view datum;  // field 1 as written, "dd. mm. yyyy": the daily cut compares it
    std::string_view ucet;  // field 2, the counter-account
    bool debet = false;  // field 3's sign is "-"
    std::string_view jednotky;  // field 3's whole part, digits
    std::string_view stotiny;  // its two decimals
    std::string_view mena;  // field 4, 3 bytes
    std::string_view text;  // field 5, the payment text with its tags
    std::string_view pole6;  // field 6, the reference
    std::string_view nazov;  // field 8, the counter-account name
};

// Reads the records of a file's lines in file order. Each record is walked
// once: its fields are tested and found in the same walk, and when a quoted
// field is still open at the end of a line, the next line is joined with a
// blank and the walk goes on from where it stood.
class CitacTrustPay {
public:
    explicit CitacTrustPay(const Riadky& riadky)
        : m_dalsi(riadky.data()), m_koniec(riadky.data() + riadky.size())
    {
    }

    bool koniec() const { return m_dalsi == m_koniec; }

    // Reads the record that begins at the next line (there must be one):
    // 1 and its fields, 0 when it is no TrustPay record, -1 when the file
    // ends inside a quoted field.
    int dalsi(ZaznamTrustPay& zaznam);

private:
    const std::string_view* m_dalsi;
    const std::string_view* m_koniec;
    // The lines of a record that spans several, joined; kept for its capacity.
    std::string m_spojene;
};

// 1: a complete valid record; 0: no TrustPay record; -1: a quoted field is
// still open at the end, the record continues on the next physical line.
int KontrolaRiadkuTrustPay(std::string_view zaznam);

// The yyyymmdd key of field 1, into a kept string.
void datumovyKlucTrustPay(std::string_view datum, std::string& kluc);

// The counter-account's parts, before the statement fills the number and the
// bank code with zeros (pridajCisloUctu, pridajKodBanky).
struct UcetTrustPay {
    std::string_view predcislie;  // 0 to 6 bytes
    std::string_view cislo;  // 0 to 10 bytes
    std::string_view kodBanky;  // 0 to 7 bytes
};
UcetTrustPay rozdelUcet(std::string_view ucet);
// An empty number is "00", one of one byte gets a leading "0".
void pridajCisloUctu(std::string& ciel, std::string_view cislo);
// A bank code shorter than 4 bytes is filled with "0" in front.
void pridajKodBanky(std::string& ciel, std::string_view kodBanky);

// Takes the tags "KS:", "VS:", "SS:" and "REF:" out of payment texts. Its
// working space is kept from text to text.
class ZnackyTrustPay {
public:
    // Where the values go, each at most 10 bytes.
    struct Hodnoty {
        std::string& konstantnySymbol;
        std::string& variabilnySymbol;
        std::string& specifickySymbol;
        // The value of "REF:", else field 6.
        std::string& referencia;
    };
    void vyber(std::string_view text, std::string_view pole6, const Hodnoty& hodnoty);
    // The payment text with its tags taken out, not trimmed.
    std::string_view zvysnyText() const { return m_zvysny; }

private:
    // Takes the first occurrence of a tag out of the text; false when the
    // text holds none. The value is the trimmed rest up to the first blank,
    // and what follows that blank goes back to the text.
    bool vyberZnacku(std::string_view znacka, std::string& vysledok);
    void vyberHodnotu(std::vector<std::size_t>::iterator dvojbodka, std::size_t pismen,
                      std::string& vysledok);

    // The text as the tags leave it: the text given until a tag is found,
    // then its copy in m_text that the tags are taken out of.
    std::string_view m_zvysny;
    bool m_skopirovany = false;
    std::string m_text;
    // Where the text holds a colon: every tag ends with one.
    std::vector<std::size_t> m_dvojbodky;
};

struct PolozkaTrustPay {
    std::string datumText;  // field 1 as written, 12 bytes: the daily cut compares it
    std::string datumKluc;  // yyyymmdd
    bool debet = false;
    std::string sumaText;  // whole part and two decimals, no sign or comma
    std::int64_t suma = 0;
    std::string mena;
    std::string predcislie;
    std::string cislo;
    std::string kodBanky;
    std::string konstantnySymbol;
    std::string variabilnySymbol;
    std::string specifickySymbol;
    std::string referencia;
    std::string zvysnyText;  // the payment text with its tags taken out
    std::string nazovProtiuctu;
};

// Splits a record that tests 1 into its values; any other text gives empty values.
PolozkaTrustPay NacitatPolozkuTrustPay(std::string_view zaznam);

}  // namespace kasamat
