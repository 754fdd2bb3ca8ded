/* Format 0: the fixed-width text export of Tatra banka's older internet
 * banking into CLR statements. The header and the closing rule line are
 * checked first, then the transaction lines are walked once in statement
 * order: a file listed newest first is walked from its last transaction line
 * up, so that each statement receives its transactions oldest first. */

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "referencia.h"

/* The rule line and the two title lines are this long; the last column of a
 * transaction line ends there too. */
#define SIRKA_RIADKU 278

static const char ciara[] =
    "------------+------------+------------------+------+--------+--------+------------+---------+"
    "------------+------------+------------+------------------------------------------------------------"
    "------------+------------------------------------------------------------------------+";
static const char nadpis1[] =
    "Datum       | Datum      | Suma             | Mena | Typ    | Prefix | Cislo      | Kod     | "
    "Konstantny | Variabilny | Specificky | Ucel Platby                                                  "
    "          | Popis                                                                  |";
static const char nadpis2[] =
    "Spracovania | Zuctovania |                  |      | Platby | Uctu   | Uctu       | Banky   | "
    "Symbol     | Symbol     | Symbol     |                                                              "
    "          |                                                                        |";

_Static_assert(sizeof ciara - 1 == SIRKA_RIADKU && sizeof nadpis1 - 1 == SIRKA_RIADKU
                   && sizeof nadpis2 - 1 == SIRKA_RIADKU,
               "the fixed lines are all one width");

/* The own bank code of the Format: one side of every transaction. */
#define KOD_BANKY "1100"

/* The most one transaction can write besides the own account: the record
 * number (20 digits at most), every value at its full column width, the
 * counterparty's designation (prefix, number and 20 bytes of description),
 * every optional record and every line end. */
#define NAJVIAC_TRANSAKCIA 220
/* The most the six closing records of a statement can write: counts and sums
 * of up to 20 characters each. */
#define NAJVIAC_ZAVER 320

typedef struct {
    const char* p;
    size_t n;
} Text;

#define PRIDAJ(p, literal) (memcpy((p), (literal), sizeof(literal) - 1), (p) + sizeof(literal) - 1)

static char* pridaj(char* p, Text t)
{
    memcpy(p, t.p, t.n);
    return p + t.n;
}

/* The bytes from 1-based position `od`, at most `sirka` of them; positions
 * beyond the end of a shorter line read as nothing. */
static Text pole(Text riadok, size_t od, size_t sirka)
{
    if (od > riadok.n) return (Text){riadok.p, 0};
    const size_t zvysok = riadok.n - (od - 1);
    return (Text){riadok.p + od - 1, zvysok < sirka ? zvysok : sirka};
}

/* Trimming removes the bytes of code 32 and below at both ends. */
static Text orez(Text t)
{
    while (t.n && (unsigned char)t.p[0] <= 32) ++t.p, --t.n;
    while (t.n && (unsigned char)t.p[t.n - 1] <= 32) --t.n;
    return t;
}

static int cislica(char znak) { return znak >= '0' && znak <= '9'; }

/* A processing date cut as yyyymmdd from the line's dd.mm.yyyy; answers
 * whether it is eight digits. Lines of fewer than ten bytes give less. */
static int datum_spracovania(Text riadok, char datum[8])
{
    if (riadok.n < 10) return 0;
    const char* r = riadok.p;
    const char d[8] = {r[6], r[7], r[8], r[9], r[3], r[4], r[0], r[1]};
    memcpy(datum, d, 8);
    for (int i = 0; i < 8; ++i)
        if (!cislica(d[i])) return 0;
    return 1;
}

/* The forward walk: lines end at CR LF, LF or CR. The next LF is kept from
 * line to line, so a file whose lines end with CR alone is still scanned for
 * LF once. */
typedef struct {
    const char* data;
    size_t dlzka;
    size_t lf;
} Citac;

static size_t najdi(const char* data, char znak, size_t od, size_t po)
{
    const char* miesto = memchr(data + od, znak, po - od);
    return miesto ? (size_t)(miesto - data) : po;
}

/* The end of the content of the line that starts at `zaciatok`. */
static size_t koniec_riadku(Citac* c, size_t zaciatok)
{
    if (c->lf < zaciatok) c->lf = najdi(c->data, '\n', zaciatok, c->dlzka);
    return najdi(c->data, '\r', zaciatok, c->lf);
}

/* The start of the next line after the content that ends at `koniec`. */
static size_t za_koncom(const char* data, size_t dlzka, size_t koniec)
{
    if (koniec < dlzka && data[koniec] == '\r' && koniec + 1 < dlzka && data[koniec + 1] == '\n')
        return koniec + 2;
    return koniec + 1;
}

/* Nonzero when a byte of the word equals `znak`: eight bytes per test for
 * the backward walk, which the C library has no search for. */
static uint64_t ma_bajt(uint64_t slovo, unsigned char znak)
{
    const uint64_t jednotky = 0x0101010101010101u;
    const uint64_t x = slovo ^ (jednotky * znak);
    return (x - jednotky) & ~x & (jednotky << 7);
}

/* The position of the last CR or LF in [od, po); the byte at `od` is one, the
 * end of an earlier line, so the search always finds one. */
static size_t posledny_zlom(const char* data, size_t od, size_t po)
{
    size_t i = po;
    while (i - od >= 8) {
        uint64_t slovo;
        memcpy(&slovo, data + i - 8, 8);
        if (ma_bajt(slovo, '\n') | ma_bajt(slovo, '\r')) break;
        i -= 8;
    }
    while (i-- > od)
        if (data[i] == '\n' || data[i] == '\r') return i;
    return od;
}

/* The line whose line end finishes just before `za`: its content is
 * [*zaciatok, *koniec). The line before `od` must end at `od`. */
static void riadok_pred(const char* data, size_t od, size_t za, size_t* zaciatok, size_t* koniec)
{
    size_t k = za - 1;
    if (data[k] == '\n' && k > od && data[k - 1] == '\r') --k;
    *koniec = k;
    *zaciatok = k > od ? posledny_zlom(data, od - 1, k) + 1 : od;
}

/* The lines between the header and the closing rule line, each ended by
 * exactly one line end: counted without reading them, they bound the
 * statements' room before the walk. */
static size_t pocet_transakcii(const char* data, size_t od, size_t po)
{
    size_t pocet = 0;
    for (const char* p = data + od; (p = memchr(p, '\n', (size_t)(data + po - p))) != NULL; ++p) ++pocet;
    /* A CR followed by LF ends its line together with the LF counted above. */
    for (const char* p = data + od; (p = memchr(p, '\r', (size_t)(data + po - p))) != NULL; ++p)
        if (p[1] != '\n') ++pocet;
    return pocet;
}

static char* cislo_so_znamienkom(char* p, int64_t hodnota)
{
    if (hodnota >= 0) return cislo(p, (uint64_t)hodnota);
    *p++ = '-';
    return cislo(p, 0 - (uint64_t)hodnota);
}

/* The amount as atol reads its text: leading blanks, a sign, digits up to the
 * first non-digit. The text holds at most 15 bytes, so no value overflows. */
static int64_t atol_hodnota(const char* p, const char* koniec)
{
    while (p < koniec && (*p == ' ' || (*p >= '\t' && *p <= '\r'))) ++p;
    int zaporne = 0;
    if (p < koniec && (*p == '+' || *p == '-')) zaporne = *p++ == '-';
    int64_t hodnota = 0;
    for (; p < koniec && cislica(*p); ++p) hodnota = hodnota * 10 + (*p - '0');
    return zaporne ? -hodnota : hodnota;
}

/* The statement being built. */
typedef struct {
    size_t zaciatok; /* where its records begin in the statement buffer */
    uint64_t poradie; /* the number of the next transaction */
    int64_t debet, kredit, spolu;
    char datum[8]; /* the statement's date: that of its last transaction */
    Text mena; /* the currency of its last transaction */
} Stav;

/* A closed statement, waiting in the buffer for its write. */
typedef struct {
    size_t od, dlzka;
    char datum[8];
} Hotovy;

/* The days that began a daily statement: a day that comes back after another
 * one would give a second statement of its name. Open addressing over a table
 * sized for every transaction starting a day of its own. */
typedef struct {
    uint64_t* sloty;
    unsigned posun;
} Dni;

static void dni_rezervuj(Dni* d, size_t najviac)
{
    unsigned bity = 1;
    while (bity < 63 && ((size_t)1 << bity) < 2 * najviac) ++bity;
    d->sloty = calloc((size_t)1 << bity, sizeof *d->sloty);
    d->posun = 64 - bity;
    if (!d->sloty) {
        fprintf(stderr, "no memory for the days\n");
        exit(2);
    }
}

/* Answers 0 when the day was there already. The key is never 0, which marks
 * a free slot. */
static int dni_pridaj(Dni* d, uint64_t kluc)
{
    const uint64_t maska = ((uint64_t)1 << (64 - d->posun)) - 1;
    for (uint64_t i = (kluc * 0x9E3779B97F4A7C15u) >> d->posun;; i = (i + 1) & maska) {
        if (d->sloty[i] == kluc) return 0;
        if (d->sloty[i] == 0) {
            d->sloty[i] = kluc;
            return 1;
        }
    }
}

/* The day text of the daily cut (positions 1 to 10) as a key: valid only as
 * ten bytes whose date digits are digits, which the statement's name needs;
 * the two separators take part, as the cut compares them too. */
static int kluc_dna(Text den, uint64_t* kluc)
{
    static const int cifry[8] = {0, 1, 3, 4, 6, 7, 8, 9};
    if (den.n != 10) return 0;
    uint64_t hodnota = 0;
    for (int i = 0; i < 8; ++i) {
        const char znak = den.p[cifry[i]];
        if (!cislica(znak)) return 0;
        hodnota = hodnota * 10 + (uint64_t)(znak - '0');
    }
    *kluc = ((hodnota << 16) | ((uint64_t)(unsigned char)den.p[2] << 8) | (unsigned char)den.p[5]) + 1;
    return 1;
}

typedef struct {
    Vypis vypis;
    Stav stav;
    Hotovy* hotove;
    size_t pocet_hotovych;
    long prve_cislo;
    const char* ucet;
    size_t dlzka_uctu;
    int64_t obrat; /* the file's turnover: sums of the file stay within it */
    int denne;
    Dni dni;
    Text predchadzajuci; /* the previous transaction's day text */
} Konverzia;

static void zacni(Konverzia* k)
{
    k->stav.zaciatok = k->vypis.dlzka;
    k->stav.poradie = 1;
    k->stav.debet = k->stav.kredit = k->stav.spolu = 0;
}

/* Closes the statement with its six closing records after its transactions. */
static void uzavri(Konverzia* k)
{
    const Stav* s = &k->stav;
    const uint64_t n = s->poradie - 1;
    const long cislo_vypisu = k->prve_cislo + (long)k->pocet_hotovych;
    const int64_t zostatok = s->kredit - s->debet;
    const Text datum = {s->datum, 8};
    char* p = k->vypis.data + k->vypis.dlzka;

    p = PRIDAJ(p, "HD:51 ");
    p = pridaj(p, datum);
    p = PRIDAJ(p, " " KOD_BANKY " ");
    p = cislo(p, n + 1);
    p = PRIDAJ(p, " 1030\r\nIN:1 ");
    p = cislo(p, n);
    p = PRIDAJ(p, "\r\nS1:");
    p = cislo(p, n);
    *p++ = ' ';
    p = cislo_so_znamienkom(p, s->spolu);
    p = PRIDAJ(p, "\r\nHD:52 ");
    p = pridaj(p, datum);
    p = PRIDAJ(p, " " KOD_BANKY " ");
    p = cislo(p, n + 2);
    p = PRIDAJ(p, " " KOD_BANKY "\r\nZV:");
    p = pridaj(p, s->mena);
    p = PRIDAJ(p, " " KOD_BANKY " 0 ");
    p = pridaj(p, datum);
    *p++ = ' ';
    p = cislo(p, (uint64_t)(cislo_vypisu < 999 ? cislo_vypisu : 999));
    /* The export states no balance: every statement opens with 0. */
    p = PRIDAJ(p, " 1 0 + R\r\nKV:");
    p = cislo(p, n + 2);
    *p++ = ' ';
    p = cislo_so_znamienkom(p, s->debet);
    p = PRIDAJ(p, " + ");
    p = cislo_so_znamienkom(p, s->kredit);
    p = PRIDAJ(p, " + ");
    p = cislo(p, zostatok < 0 ? 0 - (uint64_t)zostatok : (uint64_t)zostatok);
    p = zostatok < 0 ? PRIDAJ(p, " - R\r\n") : PRIDAJ(p, " + R\r\n");
    k->vypis.dlzka = (size_t)(p - k->vypis.data);

    Hotovy* h = &k->hotove[k->pocet_hotovych++];
    h->od = s->zaciatok;
    h->dlzka = k->vypis.dlzka - s->zaciatok;
    memcpy(h->datum, s->datum, 8);
}

/* The counterparty's designation: prefix, number, the first 20 bytes of the
 * purpose (or of the description when there is no purpose). */
static char* protiucet(char* p, Text r)
{
    Text cislo_uctu = orez(pole(r, 72, 10));
    Text popis = orez(pole(r, 134, 70));
    if (!popis.n) popis = orez(pole(r, 207, 70));
    if (popis.n > 20) popis.n = 20;
    p = pridaj(p, orez(pole(r, 63, 6)));
    *p++ = ' ';
    p = cislo_uctu.n ? pridaj(p, cislo_uctu) : PRIDAJ(p, "00");
    *p++ = ' ';
    return pridaj(p, popis);
}

static char* vlastny_ucet(char* p, const Konverzia* k)
{
    *p++ = ' ';
    memcpy(p, k->ucet, k->dlzka_uctu);
    return p + k->dlzka_uctu;
}

/* One transaction line: the daily cut, its records, its sums. */
static void transakcia(Konverzia* k, Text r)
{
    const Text den = pole(r, 1, 10);
    if (k->stav.poradie == 0) {
        zacni(k);
        k->predchadzajuci = den;
    } else if (k->denne && (den.n != k->predchadzajuci.n || memcmp(den.p, k->predchadzajuci.p, den.n))) {
        uzavri(k);
        zacni(k);
        k->predchadzajuci = den;
    }
    if (k->stav.poradie == 1 && k->denne) {
        /* A daily statement's transactions share their day text, so its
         * first transaction names it. */
        uint64_t kluc;
        if (!kluc_dna(den, &kluc) || !dni_pridaj(&k->dni, kluc)) neplatny();
        datum_spracovania(r, k->stav.datum);
    }
    if (k->vypis.kapacita - k->vypis.dlzka < NAJVIAC_TRANSAKCIA + k->dlzka_uctu + NAJVIAC_ZAVER) {
        fprintf(stderr, "the statements outgrew their room\n");
        exit(2);
    }

    const Text datum[3] = {pole(r, 7, 4), pole(r, 4, 2), pole(r, 1, 2)};
    const Text kod_banky = orez(pole(r, 85, 7));
    const Text typ = pole(r, 54, 5);
    const int debet = typ.n == 5 && !memcmp(typ.p, "Debet", 5);
    const Text mena = pole(r, 47, 3);
    char* p = k->vypis.data + k->vypis.dlzka;

    p = PRIDAJ(p, "HD:11 ");
    for (int i = 0; i < 3; ++i) p = pridaj(p, datum[i]);
    *p++ = ' ';
    if (debet)
        p = PRIDAJ(p, KOD_BANKY);
    else
        p = kod_banky.n ? pridaj(p, kod_banky) : PRIDAJ(p, "0000");
    *p++ = ' ';
    p = cislo(p, k->stav.poradie);
    *p++ = ' ';
    if (!debet)
        p = PRIDAJ(p, KOD_BANKY);
    else
        p = kod_banky.n ? pridaj(p, kod_banky) : PRIDAJ(p, "0000");

    p = PRIDAJ(p, "\r\nKC:");
    char* const suma = p;
    p = pridaj(p, orez(pole(r, 28, 13)));
    p = pridaj(p, pole(r, 42, 2));
    const int64_t hodnota = atol_hodnota(suma, p);
    *p++ = ' ';
    p = pridaj(p, pole(r, 21, 4));
    p = pridaj(p, pole(r, 18, 2));
    p = pridaj(p, pole(r, 15, 2));
    *p++ = ' ';
    p = pridaj(p, mena);

    p = PRIDAJ(p, "\r\nID:");
    for (int i = 0; i < 3; ++i) p = pridaj(p, datum[i]);
    p = PRIDAJ(p, "\r\n");

    const Text konstantny = orez(pole(r, 95, 10));
    if (konstantny.n) {
        p = PRIDAJ(p, "EC:");
        p = pridaj(p, konstantny);
        p = PRIDAJ(p, "\r\n");
    }
    /* The side that carries the own account shows the direction. */
    p = PRIDAJ(p, "UD:");
    p = debet ? vlastny_ucet(p, k) : protiucet(p, r);
    p = PRIDAJ(p, "\r\nUK:");
    p = debet ? protiucet(p, r) : vlastny_ucet(p, k);
    p = PRIDAJ(p, "\r\n");
    const Text specificky = orez(pole(r, 121, 10));
    if (specificky.n) {
        p = PRIDAJ(p, "AD:");
        p = pridaj(p, specificky);
        p = PRIDAJ(p, "\r\nAK:");
        p = pridaj(p, specificky);
        p = PRIDAJ(p, "\r\n");
    }
    const Text variabilny = orez(pole(r, 108, 10));
    if (variabilny.n) {
        p = PRIDAJ(p, "ZD:");
        p = pridaj(p, variabilny);
        p = PRIDAJ(p, "\r\nZK:");
        p = pridaj(p, variabilny);
        p = PRIDAJ(p, "\r\n");
    }
    k->vypis.dlzka = (size_t)(p - k->vypis.data);

    /* A turnover beyond 64 bits makes the file invalid, as no sum of it could
     * be written then. */
    const int64_t velkost = hodnota < 0 ? -hodnota : hodnota;
    if (velkost > INT64_MAX - k->obrat) neplatny();
    k->obrat += velkost;
    if (debet)
        k->stav.debet += hodnota;
    else
        k->stav.kredit += hodnota;
    k->stav.spolu += hodnota;
    k->stav.mena = mena;
    ++k->stav.poradie;
}

int main(int argc, char** argv)
{
    Volby volby;
    citaj_volby(argc, argv, &volby);
    const Subor subor = nacitaj_subor(volby.vstup);
    const char* const d = subor.data;
    const size_t n = subor.dlzka;

    /* Lines 1 to 4: the header, compared whole and exact. */
    static const char* const hlavicka[4] = {ciara, nadpis1, nadpis2, ciara};
    Citac citac = {d, n, 0};
    citac.lf = najdi(d, '\n', 0, n);
    size_t zaciatok = 0;
    for (int i = 0; i < 4; ++i) {
        if (zaciatok >= n) neplatny();
        const size_t koniec = koniec_riadku(&citac, zaciatok);
        if (koniec - zaciatok != SIRKA_RIADKU || memcmp(d + zaciatok, hlavicka[i], SIRKA_RIADKU)) neplatny();
        zaciatok = za_koncom(d, n, koniec);
    }
    const size_t prvy = zaciatok;
    if (prvy >= n) neplatny();

    /* The last line closes the file; a line end at the very end of the file
     * adds no empty line. */
    size_t koniec = n;
    if (d[koniec - 1] == '\n') {
        if (--koniec > 0 && d[koniec - 1] == '\r') --koniec;
    } else if (d[koniec - 1] == '\r') {
        --koniec;
    }
    const size_t zaver = koniec > prvy ? posledny_zlom(d, prvy - 1, koniec) + 1 : prvy;
    /* At least one transaction line stands between the header and it. */
    if (zaver <= prvy || koniec - zaver != SIRKA_RIADKU || memcmp(d + zaver, ciara, SIRKA_RIADKU)) neplatny();

    /* The first and the last transaction line date the file: a later first
     * date means the file lists its transactions newest first. */
    const size_t koniec_prveho = koniec_riadku(&citac, prvy);
    size_t posledny, koniec_posledneho;
    riadok_pred(d, prvy, zaver, &posledny, &koniec_posledneho);
    char datum_prveho[8], datum_posledneho[8];
    if (!datum_spracovania((Text){d + prvy, koniec_prveho - prvy}, datum_prveho)
        || !datum_spracovania((Text){d + posledny, koniec_posledneho - posledny}, datum_posledneho))
        neplatny();
    const int odzadu = memcmp(datum_prveho, datum_posledneho, 8) > 0;

    const size_t transakcii = pocet_transakcii(d, prvy, zaver);
    const size_t vypisov = volby.denne ? transakcii : 1;
    Konverzia k = {.ucet = volby.ucet, .dlzka_uctu = strlen(volby.ucet), .denne = volby.denne};
    k.prve_cislo = volby.cislo < 1 ? 1 : volby.cislo > 999 ? 999 : volby.cislo;
    vypis_rezervuj(&k.vypis, transakcii * (NAJVIAC_TRANSAKCIA + k.dlzka_uctu) + vypisov * NAJVIAC_ZAVER);
    k.hotove = malloc(vypisov * sizeof *k.hotove);
    if (!k.hotove) {
        fprintf(stderr, "no memory for the statements\n");
        return 2;
    }
    if (volby.denne) dni_rezervuj(&k.dni, vypisov);
    /* Not yet started: the first transaction starts the first statement. */
    k.stav.poradie = 0;

    if (odzadu) {
        size_t z = posledny, kon = koniec_posledneho;
        for (;;) {
            transakcia(&k, (Text){d + z, kon - z});
            if (z == prvy) break;
            riadok_pred(d, prvy, z, &z, &kon);
        }
    } else {
        for (size_t z = prvy; z < zaver;) {
            const size_t kon = koniec_riadku(&citac, z);
            transakcia(&k, (Text){d + z, kon - z});
            z = za_koncom(d, n, kon);
        }
    }
    /* A statement for the whole file is dated by its last transaction, which
     * one of the two dates above is. */
    if (!volby.denne) memcpy(k.stav.datum, odzadu ? datum_prveho : datum_posledneho, 8);
    uzavri(&k);

    /* Written only now that the whole file has passed. */
    for (size_t i = 0; i < k.pocet_hotovych; ++i) {
        char meno[4096];
        meno_vypisu(meno, sizeof meno, volby.vstup, 0, k.hotove[i].datum, ".clr");
        zapis_vypis(volby.vystup, meno, k.vypis.data + k.hotove[i].od, k.hotove[i].dlzka);
    }
    return 0;
}
