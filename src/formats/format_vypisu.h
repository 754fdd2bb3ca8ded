#pragma once
// A statement file format: how a transaction is written into a statement and
// how a statement is closed. One instance per conversion (the CLR format with
// the conversion's own bank code; the ABO format in its Format 2 or Format 3
// variant). Records are written with CR LF, the line end of the file on disk.

#include <string>
#include <string_view>

#include "formats/stav_vypisu.h"
#include "formats/transakcia.h"

namespace kasamat {

class FormatVypisu {
public:
    virtual ~FormatVypisu() = default;

    // ".clr" or ".gpc".
    virtual std::string_view pripona() const = 0;

    // The statement file's base name for an input file's name: CLR keeps the
    // whole name, ABO drops its last four bytes (the point and extension).
    virtual std::string zakladMena(std::string_view menoVstupu) const = 0;

    // Appends the records of one transaction to stav.text; the transaction
    // takes stav.poradie as its number. Does not count it (StavVypisu does).
    virtual void pridajTransakciu(StavVypisu& stav, const Transakcia& t,
                                  const HlavickaSuboru& hlavicka) const = 0;

    // The bytes pridajTransakciu appends for the transaction as number
    // `poradie`, computed without writing them: pass 1 plans each
    // statement's size with it.
    virtual std::size_t dlzkaTransakcie(const Transakcia& t, const HlavickaSuboru& hlavicka,
                                        std::int32_t poradie) const = 0;

    // The closing records of a statement: the file is uzaver.pred, then
    // stav.text, then uzaver.za (CLR: a trailer after the transactions; ABO:
    // the "074" record in front of them). Kept apart so that a large
    // statement is never copied to be closed.
    struct Uzaver {
        std::string pred;
        std::string za;
    };
    virtual Uzaver uzavri(const StavVypisu& stav, const HlavickaSuboru& hlavicka, int cisloVypisu) const = 0;
};

}  // namespace kasamat
