#pragma once
// StavVypisu: the statement being built, reset at the start of every
// statement. Money in hundredths, held in 64 bits so that no sum can wrap.

#include <cstdint>
#include <string>

#include "formats/transakcia.h"

namespace kasamat {

struct StavVypisu {
    // The records of the transactions, grown record by record.
    std::string text;
    // Sequence number of the next transaction; after N transactions N + 1.
    std::int32_t poradie = 1;
    std::int64_t debet = 0;
    std::int64_t kredit = 0;
    // Sum of all amounts regardless of direction.
    std::int64_t spolu = 0;
    std::int64_t pociatocnyZostatok = 0;
    bool prazdny = true;
    std::string predchadzajuciDatum;
    // yyyymmdd of the first and of the last transaction added.
    std::string prvyDatum;
    std::string datumVypisu;
    // Currency of the last transaction added.
    std::string mena;

    std::int64_t konecnyZostatok() const { return pociatocnyZostatok + kredit - debet; }

    // Starts a new statement that opens with the given balance; keeps the
    // text's buffer so that a run of statements does not reallocate.
    void vynuluj(std::int64_t pociatocny)
    {
        text.clear();
        poradie = 1;
        debet = kredit = spolu = 0;
        pociatocnyZostatok = pociatocny;
        prazdny = true;
        predchadzajuciDatum.clear();
        prvyDatum.clear();
        datumVypisu.clear();
        mena.clear();
    }

    // Counts a transaction whose records were just appended (sums, dates,
    // currency, sequence number).
    void zapocitaj(const Transakcia& t)
    {
        (t.debet ? debet : kredit) += t.suma;
        spolu += t.suma;
        if (prazdny) prvyDatum = t.datum;
        datumVypisu = t.datum;
        mena = t.mena;
        ++poradie;
        prazdny = false;
    }
};

}  // namespace kasamat
