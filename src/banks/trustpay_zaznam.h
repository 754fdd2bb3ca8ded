#pragma once
// The TrustPay account export: one payment per record, eight fields separated
// by ";", no header line. A quoted field may hold line breaks, so a record can
// span several physical lines, joined with one blank per break.

#include <cstdint>
#include <string>
#include <string_view>

#include "banks/banka.h"

namespace kasamat {

// 1: a complete valid record; 0: no TrustPay record; -1: a quoted field is
// still open at the end, the record continues on the next physical line.
int KontrolaRiadkuTrustPay(std::string_view zaznam);

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

// Splits a record that tested 1.
PolozkaTrustPay NacitatPolozkuTrustPay(std::string_view zaznam);
// The same into a kept item: every field is overwritten, and the strings
// keep their capacity from record to record.
void NacitatPolozkuTrustPay(std::string_view zaznam, PolozkaTrustPay& polozka);

// Testing mode: true when every record of the lines tests 1 (at least one
// line); `posledny` then holds the last record, its byte-order mark removed.
bool testujTrustPay(const Riadky& riadky, std::string& posledny);

class PrijemcaZaznamov {
public:
    virtual ~PrijemcaZaznamov() = default;
    // Takes the next record; false stops the reading.
    virtual bool prijmi(const PolozkaTrustPay& polozka) = 0;
};

// Converting mode: splits each record in file order. False when a record no
// longer tests 1 (the file changed since its test) or the receiver stopped.
bool citajTrustPay(const Riadky& riadky, PrijemcaZaznamov& prijemca);

}  // namespace kasamat
