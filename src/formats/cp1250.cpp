#include "formats/cp1250.h"

#include <array>
#include <cstdint>

namespace kasamat {

namespace {

constexpr char32_t chybnyZnak = 0xFFFD;

// Unicode of the bytes 0x80 to 0xFF. The five bytes the code page leaves
// unassigned stand for the control characters of the same value, as the
// platform's own conversion has them, so that every byte survives a round trip.
constexpr std::array<char32_t, 128> hornaPolovica = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

char32_t unicode(unsigned char bajt) { return bajt < 0x80 ? char32_t(bajt) : hornaPolovica[bajt - 0x80]; }

// The byte of each character up to the highest the code page holds (0 for
// one it lacks), so that a text is converted without a search per letter.
constexpr char32_t najvyssiZnak = 0x2122;
constexpr auto bajtyZnakov = [] {
    std::array<std::uint8_t, najvyssiZnak + 1> tabulka{};
    // From the end, so that the first byte of a character written twice wins.
    for (std::size_t i = hornaPolovica.size(); i-- > 0;) tabulka[hornaPolovica[i]] = std::uint8_t(0x80 + i);
    return tabulka;
}();

// The byte of a character, or -1 when the code page lacks it.
int bajt(char32_t znak)
{
    if (znak < 0x80) return int(znak);
    if (znak > najvyssiZnak || bajtyZnakov[znak] == 0) return -1;
    return bajtyZnakov[znak];
}

char32_t velke(char32_t znak)
{
    if (znak >= U'a' && znak <= U'z') return znak - 0x20;
    if (znak >= 0xE0 && znak <= 0xFE && znak != 0xF7) return znak - 0x20;
    // Latin Extended-A pairs: upper and lower case side by side, the upper
    // first, except in the two runs where the pairs start on an odd code.
    const bool neparnePary = (znak >= 0x139 && znak <= 0x148) || (znak >= 0x179 && znak <= 0x17E);
    if (znak >= 0x100 && znak <= 0x17F && znak != 0x138 && znak != 0x149 && znak != 0x17F) {
        const bool male = neparnePary ? (znak % 2 == 0) : (znak % 2 == 1);
        return male ? znak - 1 : znak;
    }
    return znak;
}

// Decodes one UTF-8 character at `i` and moves past it; a malformed
// sequence counts as one unknown character.
char32_t dalsiZnak(std::string_view text, std::size_t& i)
{
    const auto prvy = static_cast<unsigned char>(text[i++]);
    if (prvy < 0x80) return prvy;
    int dalsie = prvy >= 0xF0 ? 3 : prvy >= 0xE0 ? 2 : prvy >= 0xC0 ? 1 : -1;
    if (dalsie < 0) return chybnyZnak;
    char32_t znak = prvy & (0x3F >> dalsie);
    for (; dalsie > 0; --dalsie) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return chybnyZnak;
        znak = (znak << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    return znak;
}

}  // namespace

void pridajUtf8(std::string& ciel, char32_t znak)
{
    if (znak < 0x80) {
        ciel += char(znak);
    } else if (znak < 0x800) {
        ciel += char(0xC0 | (znak >> 6));
        ciel += char(0x80 | (znak & 0x3F));
    } else if (znak < 0x10000) {
        ciel += char(0xE0 | (znak >> 12));
        ciel += char(0x80 | ((znak >> 6) & 0x3F));
        ciel += char(0x80 | (znak & 0x3F));
    } else {
        ciel += char(0xF0 | (znak >> 18));
        ciel += char(0x80 | ((znak >> 12) & 0x3F));
        ciel += char(0x80 | ((znak >> 6) & 0x3F));
        ciel += char(0x80 | (znak & 0x3F));
    }
}

std::string cp1250ZUtf8(std::string_view utf8)
{
    std::string vysledok;
    vysledok.reserve(utf8.size());
    pridajCp1250ZUtf8(vysledok, utf8);
    return vysledok;
}

void pridajCp1250ZUtf8(std::string& ciel, std::string_view utf8)
{
    // Each character gives one byte from at least one: the room is made once.
    const std::size_t od = ciel.size();
    ciel.resize(od + utf8.size());
    char* ciel8 = ciel.data() + od;
    for (std::size_t i = 0; i < utf8.size();) {
        const int b = bajt(dalsiZnak(utf8, i));
        *ciel8++ = b < 0 ? '?' : char(b);
    }
    ciel.resize(std::size_t(ciel8 - ciel.data()));
}

std::string utf8ZCp1250(std::string_view bajty)
{
    std::string vysledok;
    vysledok.reserve(bajty.size() + bajty.size() / 4);
    for (char b : bajty) pridajUtf8(vysledok, unicode(static_cast<unsigned char>(b)));
    return vysledok;
}

std::string velkymiPismenami(std::string_view bajty)
{
    std::string vysledok(bajty);
    for (char& b : vysledok) {
        const int velky = bajt(velke(unicode(static_cast<unsigned char>(b))));
        if (velky >= 0) b = char(velky);
    }
    return vysledok;
}

}  // namespace kasamat
