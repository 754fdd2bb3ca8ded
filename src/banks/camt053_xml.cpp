#include "banks/camt053_xml.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "formats/bajty.h"
#include "formats/cp1250.h"

namespace kasamat {

namespace {

constexpr std::string_view bomUtf8 = "\xEF\xBB\xBF";
constexpr std::string_view bomUtf16Le = "\xFF\xFE";
constexpr std::string_view bomUtf16Be = "\xFE\xFF";
constexpr std::string_view menoPriestoru = "urn:iso:std:iso:20022:tech:xsd:camt.053.001.";
// No camt.053 statement nests its elements more than a few dozen deep or
// holds a text anywhere near a mebibyte (its longest texts have 500
// characters, a few extensions a few thousand): a file beyond either is not a
// bank's statement but an attack on whatever reads it. Both are checked on
// the text (XmlCamt::rozdel), before any tree is built: no value is longer
// than the text it is read from.
constexpr std::size_t najviacVnorenia = 64;
constexpr std::size_t najviacTextu = std::size_t(1) << 20;

// Entities are only the five predefined ones and character references, read
// in the tree. A document type declaration is never read into one: the text
// is refused before it reaches the parser (XmlCamt::rozdel), so no entity of
// the file's own is ever expanded and nothing outside the file is read.
constexpr unsigned volbyCitania = pugi::parse_escapes | pugi::parse_cdata | pugi::parse_declaration
    | pugi::parse_doctype | pugi::parse_embed_pcdata;

// A character that XML 1.0 allows in a document.
bool znakXml(char32_t znak)
{
    return znak == 0x9 || znak == 0xA || znak == 0xD || (znak >= 0x20 && znak <= 0xD7FF)
        || (znak >= 0xE000 && znak <= 0xFFFD) || (znak >= 0x10000 && znak <= 0x10FFFF);
}

// Sixteen bytes at a time, compared all at once in the compilers' vector
// extension (GCC and Clang, on every target; SSE2 on x86-64). The scans of
// the whole text below test every byte: one byte at a time, they would cost
// more than the XML parser does.
using Kus = unsigned char __attribute__((vector_size(16)));
using KusSlov = std::uint64_t __attribute__((vector_size(16)));
constexpr std::size_t dlzkaKusa = sizeof(Kus);

Kus kus(const char* bajty)
{
    Kus k;
    std::memcpy(&k, bajty, sizeof k);
    return k;
}

// The index of the first byte marked (all bits set) in memory order, or 16.
std::size_t prvyOznaceny(Kus oznacene)
{
    const auto slova = reinterpret_cast<KusSlov>(oznacene);
    const auto prvyVSlove = [](std::uint64_t slovo) {
        if constexpr (std::endian::native == std::endian::little)
            return std::size_t(std::countr_zero(slovo)) / 8;
        else
            return std::size_t(std::countl_zero(slovo)) / 8;
    };
    if (slova[0] != 0) return prvyVSlove(slova[0]);
    if (slova[1] != 0) return 8 + prvyVSlove(slova[1]);
    return dlzkaKusa;
}

// Sixteen bytes of the text are plain ASCII characters that XML allows: no
// byte above 0x7F, and none below 0x20 but tab, LF and CR.
bool cisteAscii(Kus bajty)
{
    // As signed numbers the bytes above 0x7F are negative, below 0x20 as the
    // control characters are: one comparison finds both.
    using KusSoZnamienkom = signed char __attribute__((vector_size(16)));
    const auto k = reinterpret_cast<KusSoZnamienkom>(bajty);
    const auto zle = (k < 0x20) & ~((k == '\t') | (k == '\n') | (k == '\r'));
    const auto slova = reinterpret_cast<KusSlov>(zle);
    return (slova[0] | slova[1]) == 0;
}

// Checks UTF-8 strictly (no overlong form, no surrogate, nothing past
// U+10FFFF) and that every character is one XML allows.
bool platneUtf8(std::string_view text)
{
    const auto* b = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        // Sixteen plain characters at a time; a piece that holds anything
        // else is checked character by character.
        if (n - i >= 16 && cisteAscii(kus(text.data() + i))) {
            i += 16;
            continue;
        }
        const std::size_t koniecKusa = std::min(n, i + 16);
        while (i < koniecKusa) {
            const unsigned char prvy = b[i];
            if (prvy < 0x80) {
                if (prvy < 0x20 && prvy != 0x9 && prvy != 0xA && prvy != 0xD) return false;
                ++i;
                continue;
            }
            std::size_t dlzka;
            char32_t znak;
            unsigned char od = 0x80, po = 0xBF;  // the bounds of the second byte
            if (prvy >= 0xC2 && prvy <= 0xDF) {
                dlzka = 2;
                znak = prvy & 0x1F;
            } else if (prvy >= 0xE0 && prvy <= 0xEF) {
                dlzka = 3;
                znak = prvy & 0x0F;
                if (prvy == 0xE0) od = 0xA0;
                if (prvy == 0xED) po = 0x9F;
            } else if (prvy >= 0xF0 && prvy <= 0xF4) {
                dlzka = 4;
                znak = prvy & 0x07;
                if (prvy == 0xF0) od = 0x90;
                if (prvy == 0xF4) po = 0x8F;
            } else {
                return false;
            }
            if (n - i < dlzka || b[i + 1] < od || b[i + 1] > po) return false;
            for (std::size_t k = 1; k < dlzka; ++k) {
                if ((b[i + k] & 0xC0) != 0x80) return false;
                znak = (znak << 6) | (b[i + k] & 0x3F);
            }
            if (!znakXml(znak)) return false;
            i += dlzka;
        }
    }
    return true;
}

// The first of the bytes `znaky` at or after `od`, or npos; inline, sixteen
// bytes at a time: the markup walk looks for the next "<" or ">" a few dozen
// bytes ahead, where a call of the C library's search costs more than the
// search.
template <char... znaky>
std::size_t najdi(std::string_view text, std::size_t od)
{
    std::size_t i = od;
    for (; i + dlzkaKusa <= text.size(); i += dlzkaKusa) {
        const Kus k = kus(text.data() + i);
        const std::size_t prvy = prvyOznaceny(((k == static_cast<unsigned char>(znaky)) | ...));
        if (prvy < dlzkaKusa) return i + prvy;
    }
    for (; i < text.size(); ++i)
        if (((text[i] == znaky) || ...)) return i;
    return std::string_view::npos;
}

// Copies a piece of the text into `ciel` and checks it as platneUtf8 does,
// reading it from memory once: sixteen plain bytes at a time are checked as
// they are copied, and from the first sixteen that hold anything else (they
// begin a character: the bytes before are ASCII) the rest is copied whole and
// checked where it now stands.
bool kopirujUtf8(std::string_view zdroj, std::string& ciel)
{
    ciel.resize(zdroj.size());
    std::size_t i = 0;
    for (; i + dlzkaKusa <= zdroj.size(); i += dlzkaKusa) {
        const Kus k = kus(zdroj.data() + i);
        std::memcpy(ciel.data() + i, &k, sizeof k);
        if (!cisteAscii(k)) break;
    }
    std::memcpy(ciel.data() + i, zdroj.data() + i, zdroj.size() - i);
    return platneUtf8(std::string_view(ciel).substr(i));
}

// Decodes UTF-16 (without its mark) into UTF-8; false on an odd byte, a
// surrogate without its pair or a character XML does not allow.
bool zUtf16(std::string_view text, bool bigEndian, std::string& ciel)
{
    if (text.size() % 2 != 0) return false;
    const auto* b = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size() / 2;
    const auto jednotka = [&](std::size_t i) -> char32_t {
        return bigEndian ? char32_t(b[2 * i] << 8 | b[2 * i + 1]) : char32_t(b[2 * i + 1] << 8 | b[2 * i]);
    };
    // Measured first, so that the text is allocated once.
    std::size_t dlzka = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const char32_t j = jednotka(i);
        dlzka += j < 0x80 ? 1 : j < 0x800 ? 2 : (j >= 0xD800 && j <= 0xDFFF) ? 2 : 3;
    }
    ciel.clear();
    ciel.reserve(dlzka);
    for (std::size_t i = 0; i < n; ++i) {
        char32_t znak = jednotka(i);
        if (znak >= 0xD800 && znak <= 0xDBFF) {
            if (i + 1 >= n) return false;
            const char32_t druha = jednotka(++i);
            if (druha < 0xDC00 || druha > 0xDFFF) return false;
            znak = 0x10000 + ((znak - 0xD800) << 10) + (druha - 0xDC00);
        }
        if (!znakXml(znak)) return false;
        pridajUtf8(ciel, znak);
    }
    return true;
}

bool rovnakeBezVelkosti(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto mala = [](char z) { return z >= 'A' && z <= 'Z' ? char(z + 32) : z; };
        if (mala(a[i]) != mala(b[i])) return false;
    }
    return true;
}

bool medzera(char z) { return z == ' ' || z == '\t' || z == '\n' || z == '\r'; }

// Outside the root element the parser passes over text unseen; XML allows
// only whitespace there.
bool lenMedzery(std::string_view text) { return std::all_of(text.begin(), text.end(), medzera); }

// Parses a piece of the file in place; its only top-level node is one
// element, and, at the start of the skeleton, the declaration naming the
// file's encoding or none.
bool parsuj(pugi::xml_document& dokument, std::string& text, std::string_view kodovanie,
            pugi::xml_node& koren)
{
    koren = pugi::xml_node();
    // "<?xml" opens the declaration only at the very start; pugixml would
    // take one anywhere before the root.
    const bool sDeklaraciou = zacinaNa(text, "<?xml") && text.size() > 5 && medzera(text[5]);
    if (text.empty()
        || !dokument.load_buffer_inplace(text.data(), text.size(), volbyCitania, pugi::encoding_utf8))
        return false;
    pugi::xml_node element;
    for (pugi::xml_node uzol = dokument.first_child(); uzol; uzol = uzol.next_sibling()) {
        if (uzol.type() == pugi::node_element && !element) {
            element = uzol;
            continue;
        }
        if (uzol.type() != pugi::node_declaration || !sDeklaraciou || kodovanie.empty()
            || uzol != dokument.first_child())
            return false;
        const pugi::xml_attribute nazov = uzol.attribute("encoding");
        if (std::string_view(uzol.attribute("version").value()) != "1.0"
            || (nazov && !rovnakeBezVelkosti(nazov.value(), kodovanie)))
            return false;
    }
    if (!element) return false;
    koren = element;
    return true;
}

}  // namespace

bool XmlCamt::citaj(std::string_view obsah)
{
    m_koren = pugi::xml_node();
    m_zaznamy.clear();
    std::string_view kodovanie;
    if (zacinaNa(obsah, bomUtf16Le) || zacinaNa(obsah, bomUtf16Be)) {
        if (!zUtf16(obsah.substr(2), zacinaNa(obsah, bomUtf16Be), m_dekodovany)) return false;
        m_text = m_dekodovany;
        kodovanie = "UTF-16";
    } else {
        if (zacinaNa(obsah, bomUtf8)) obsah.remove_prefix(bomUtf8.size());
        m_text = obsah;
        kodovanie = "UTF-8";
    }
    // A decoded file is valid UTF-8 already. The bytes of a UTF-8 file are
    // checked piece by piece, each where it is copied out to be parsed
    // (the skeleton here, each entry in `zaznam`): so the text is read from
    // memory once more in all, not once more for the check alone. No piece
    // splits a character: they are cut at "<" and ">".
    m_overitUtf8 = kodovanie == "UTF-8";
    if (m_text.size() > UINT32_MAX) return false;
    pugi::xml_node koren;
    if (!rozdel() || (m_overitUtf8 && !platneUtf8(m_kostra))
        || !parsuj(m_dokument, m_kostra, kodovanie, koren) || lokalneMeno(koren) != "Document")
        return false;
    const std::string_view meno = koren.name();
    const std::size_t dvojbodka = meno.find(':');
    const std::string atribut =
        dvojbodka == std::string_view::npos ? "xmlns" : "xmlns:" + std::string(meno.substr(0, dvojbodka));
    if (!zacinaNa(koren.attribute(atribut.c_str()).value(), menoPriestoru)) return false;
    m_koren = koren;
    return true;
}

// Walks the markup once, the way the parser reads it: comments, CDATA
// sections and processing instructions are passed over whole, and a tag ends
// at the first ">" outside quotes (no "<" may stand in text or in a value,
// so every "<" elsewhere opens markup). Each element at depth 4 below
// Document, BkToCstmrStmt and Stmt whose local name is Ntry is cut out;
// everything else is the skeleton. A "<!" that opens neither a comment nor a
// CDATA section is a document type declaration or not XML: refused.
bool XmlCamt::rozdel()
{
    static constexpr std::string_view predkovia[] = {"Document", "BkToCstmrStmt", "Stmt"};
    const std::string_view text = m_text;
    m_kostra.clear();
    std::size_t hlbka = 0;
    bool vStatemente[3] = {false, false, false};
    std::size_t zaznamOd = std::string_view::npos;
    std::size_t kostraOd = 0;
    const auto koniecZaznamu = [&](std::size_t koniec) {
        m_zaznamy.push_back({std::uint32_t(zaznamOd), std::uint32_t(koniec - zaznamOd)});
        m_kostra.append(text.substr(kostraOd, zaznamOd - kostraOd));
        kostraOd = koniec;
        zaznamOd = std::string_view::npos;
    };
    // Where the text before the next markup begins.
    std::size_t textOd = 0;
    for (std::size_t i = najdi<'<'>(text, 0); i != std::string_view::npos; i = najdi<'<'>(text, i)) {
        if (i - textOd > najviacTextu || (hlbka == 0 && !lenMedzery(text.substr(textOd, i - textOd))))
            return false;
        const char druhy = i + 1 < text.size() ? text[i + 1] : '\0';
        std::size_t koniec;
        if (druhy == '!' || druhy == '?') {
            // The end of a comment, a CDATA section or a processing
            // instruction is looked for after its opening, as the parser
            // looks for it.
            const std::string_view zvysok = text.substr(i);
            std::string_view otvorenie = "<?", uzaver = "?>";
            if (zacinaNa(zvysok, "<!--")) {
                otvorenie = "<!--";
                uzaver = "-->";
            } else if (zacinaNa(zvysok, "<![CDATA[")) {
                otvorenie = "<![CDATA[";
                uzaver = "]]>";
            } else if (druhy == '!') {
                return false;
            }
            koniec = text.find(uzaver, i + otvorenie.size());
            if (koniec == std::string_view::npos || koniec - i > najviacTextu) return false;
            i = textOd = koniec + uzaver.size();
            continue;
        }
        if (druhy == '/') {
            koniec = najdi<'>'>(text, i);
            if (koniec == std::string_view::npos || hlbka == 0) return false;
            --hlbka;
            i = textOd = koniec + 1;
            if (hlbka == 3 && zaznamOd != std::string_view::npos) koniecZaznamu(i);
            continue;
        }
        // The tag ends at the first ">" outside a quoted value.
        for (koniec = najdi<'>', '"', '\''>(text, i + 1);
             koniec != std::string_view::npos && text[koniec] != '>';
             koniec = najdi<'>', '"', '\''>(text, koniec + 1)) {
            koniec = text[koniec] == '"' ? najdi<'"'>(text, koniec + 1) : najdi<'\''>(text, koniec + 1);
            if (koniec == std::string_view::npos) break;
        }
        if (koniec == std::string_view::npos || koniec - i > najviacTextu) return false;
        // Below Stmt the name of an element matters no more.
        if (hlbka <= 3) {
            std::size_t konieMena = i + 1;
            while (konieMena < koniec && !medzera(text[konieMena]) && text[konieMena] != '/') ++konieMena;
            std::string_view meno = text.substr(i + 1, konieMena - i - 1);
            meno.remove_prefix(std::min(meno.size(), meno.find(':') + 1));
            // Any other root, or a second one, is refused before a tree of the
            // whole file is built for it.
            if (hlbka == 0 && (meno != predkovia[0] || vStatemente[0])) return false;
            if (hlbka < 3)
                vStatemente[hlbka] = meno == predkovia[hlbka] && (hlbka == 0 || vStatemente[hlbka - 1]);
            if (hlbka == 3 && vStatemente[2] && meno == "Ntry" && zaznamOd == std::string_view::npos)
                zaznamOd = i;
        }
        const bool prazdny = text[koniec - 1] == '/';
        i = textOd = koniec + 1;
        if (prazdny) {
            if (hlbka == 3 && zaznamOd != std::string_view::npos) koniecZaznamu(i);
        } else if (++hlbka > najviacVnorenia) {
            return false;
        }
    }
    if (text.size() - textOd > najviacTextu || !lenMedzery(text.substr(textOd))) return false;
    m_kostra.append(text.substr(kostraOd));
    return true;
}

pugi::xml_node XmlCamt::zaznam(std::size_t index)
{
    const std::string_view text = m_text.substr(m_zaznamy[index].od, m_zaznamy[index].dlzka);
    pugi::xml_node koren;
    if (m_overitUtf8) {
        if (!kopirujUtf8(text, m_textZaznamu)) return koren;
    } else {
        m_textZaznamu.assign(text);
    }
    parsuj(m_dokumentZaznamu, m_textZaznamu, {}, koren);
    return koren;
}

std::string_view lokalneMeno(pugi::xml_node uzol)
{
    const char* meno = uzol.name();
    const char* dvojbodka = std::strrchr(meno, ':');
    return dvojbodka ? dvojbodka + 1 : meno;
}

namespace {

// The local name compared without measuring the name first: most files
// write no prefix, and most names differ in their first letter.
bool maMeno(pugi::xml_node uzol, std::string_view meno)
{
    const char* nazov = uzol.name();
    std::size_t i = 0;
    while (i < meno.size() && nazov[i] == meno[i]) ++i;
    if (i == meno.size() && nazov[i] == '\0') return true;
    for (const char* z = nazov + i; *z != '\0'; ++z)
        if (*z == ':') return lokalneMeno(uzol) == meno;
    return false;
}

}  // namespace

pugi::xml_node dieta(pugi::xml_node rodic, std::string_view meno)
{
    for (pugi::xml_node uzol = rodic.first_child(); uzol; uzol = uzol.next_sibling())
        if (uzol.type() == pugi::node_element && maMeno(uzol, meno)) return uzol;
    return {};
}

pugi::xml_node dalsi(pugi::xml_node uzol, std::string_view meno)
{
    for (uzol = uzol.next_sibling(); uzol; uzol = uzol.next_sibling())
        if (uzol.type() == pugi::node_element && maMeno(uzol, meno)) return uzol;
    return {};
}

void najdiDeti(pugi::xml_node rodic, std::span<const std::string_view> mena,
               std::span<pugi::xml_node> najdene)
{
    std::fill(najdene.begin(), najdene.end(), pugi::xml_node());
    for (pugi::xml_node uzol = rodic.first_child(); uzol; uzol = uzol.next_sibling()) {
        if (uzol.type() != pugi::node_element) continue;
        // The local name, measured in the same walk that finds its start.
        const char* nazov = uzol.name();
        const char* koniec = nazov;
        for (; *koniec != '\0'; ++koniec)
            if (*koniec == ':') nazov = koniec + 1;
        const std::string_view meno(nazov, std::size_t(koniec - nazov));
        for (std::size_t i = 0; i < mena.size(); ++i) {
            if (meno.size() == mena[i].size() && std::equal(meno.begin(), meno.end(), mena[i].begin())) {
                if (!najdene[i]) najdene[i] = uzol;
                break;
            }
        }
    }
}

pugi::xml_node cesta(pugi::xml_node od, std::initializer_list<std::string_view> mena)
{
    for (std::string_view meno : mena) od = dieta(od, meno);
    return od;
}

std::string_view hodnota(pugi::xml_node uzol) { return orez(uzol.child_value()); }

}  // namespace kasamat
