#pragma once
// Byte-string helpers shared by the bank readers and the statement writers.
// Every bank file and every statement is 8-bit text in code page 1250: positions,
// lengths and cuts count bytes, and nothing is re-encoded on its way through.

#include <cstdint>
#include <string>
#include <string_view>

namespace kasamat {

// Trimming removes the bytes of code 32 and below at both ends. Inline, as
// usek, ibaCislice and zacinaNa below: the readers call them several times
// per record.
inline std::string_view orez(std::string_view text)
{
    const auto prazdny = [](char znak) { return static_cast<unsigned char>(znak) <= 32; };
    while (!text.empty() && prazdny(text.front())) text.remove_prefix(1);
    while (!text.empty() && prazdny(text.back())) text.remove_suffix(1);
    return text;
}

// The bytes from 1-based position `od`, at most `dlzka` of them; positions
// beyond the end of the text read as nothing.
inline std::string_view usek(std::string_view text, std::size_t od, std::size_t dlzka)
{
    if (od == 0 || od > text.size()) return {};
    return text.substr(od - 1, dlzka);
}

// Reads a number the way the C library's atol does: leading blanks, an optional
// sign, then digits up to the first non-digit; no digits give 0. A value beyond
// the 64-bit range is held at its bound instead of overflowing.
std::int64_t atolHodnota(std::string_view text);

// Adds the absolute value of an amount to a file's running turnover; false
// when the turnover would leave the 64-bit range. Every statement sum of the
// file stays within its turnover, so no sum can overflow once this passed.
bool pripocitajObrat(std::int64_t& obrat, std::int64_t suma);

// "Reads as an integer": the whole text is an optional sign followed by at
// least one decimal digit.
bool citaSaAkoCislo(std::string_view text);
// The same of the parts joined, without joining them.
bool citaSaAkoCislo(std::string_view a, std::string_view b, std::string_view c = {});

// Every byte is a digit 0 to 9; the empty text counts as digits only.
inline bool ibaCislice(std::string_view text)
{
    for (char znak : text)
        if (znak < '0' || znak > '9') return false;
    return true;
}

inline bool zacinaNa(std::string_view text, std::string_view zaciatok)
{
    return text.substr(0, zaciatok.size()) == zaciatok;
}

// Appends the value filled on the left with "0" to the width; a longer value
// is appended whole (callers make sure it fits).
void pridajNulami(std::string& ciel, std::string_view hodnota, std::size_t sirka);
std::string doplnNulami(std::string_view hodnota, std::size_t sirka);

// Appends the first `sirka` bytes of the value, filled on the right with blanks.
void pridajText(std::string& ciel, std::string_view hodnota, std::size_t sirka);

// Decimal digits of a whole number, with a leading "-" when it is negative.
void pridajCislo(std::string& ciel, std::int64_t cislo);
std::string cislo(std::int64_t cislo);

// The yyyymmdd key of a date written dd.mm.yyyy, into a kept string.
void datumovyKluc(std::string_view datum, std::string& kluc);

// The ddmmyy form of a yyyymmdd date text.
std::string ddmmrr(std::string_view rrrrmmdd);

}  // namespace kasamat
