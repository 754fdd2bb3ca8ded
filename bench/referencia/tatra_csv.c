/* The reference converter of Format 2: Tatra banka's comma-separated export
 * of the newer internet banking to ABO statements (*.gpc).
 *
 * One walk over the records, oldest line first: each record is tested as
 * the file test and the reader test it, and its "075" item is written at
 * once into a fixed 130-byte block of the statement buffer (128 bytes and
 * CR LF), behind a free block that the statement's "074" record fills when
 * the file has passed. A file listed newest first is read from its last
 * record up: its statements hold the reverse of the file's order. The
 * direction is known only after the last record, and item records do not
 * depend on their place, so the blocks of such a file are reversed in
 * place at the end. With a free block before every statement's items and
 * one more after the last, the reversal leaves each statement again a free
 * block followed by its items, now in reading order.
 *
 * Refused (status 1, nothing written) besides what the export's test and
 * reader refuse: a file listed newest first in which a line that continues
 * a record begins like a record itself. Read from its last line up, such a
 * file may split into other records than read from the top; this converter
 * reads only from the top. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "referencia.h"

enum { ZAZNAM = 130, DLZKA_STLPCOV = 210 };

/* Balances and turnovers are written with 14 digits. */
#define NAJVIAC 99999999999999ULL

/* The column line in code page 1250. */
static const char stlpce[] =
    "\"D\xe1tum spracovania\",\"D\xe1tum z\xfa\xe8tovania\",Suma,Mena,Typ,\"Pred\xe8\xedslie\","
    "\"\xc8\xedslo \xfa\xe8tu\",\"K\xf3"
    "d banky\",IBAN,\"Variabiln\xfd symbol\",\"\x8apecifick\xfd symbol\",\"Kon\x9atantn\xfd "
    "symbol\",\"Referencia platite\xbe"
    "a\",\"Inform\xe1"
    "cia pre pr\xedjemcu\",Popis";
_Static_assert(sizeof stlpce - 1 == DLZKA_STLPCOV, "the column line is 210 bytes");

typedef struct {
    const char* p;
    size_t n;
} Usek;

/* Fields 6 to 12, never quoted. */
enum { PREDCISLIE, CISLO_UCTU, KOD_BANKY, IBAN, VARIABILNY, SPECIFICKY, KONSTANTNY, POLI };
/* The width each takes in the "075" record (IBAN is not written). */
static const size_t sirky[POLI] = {6, 10, 6, 0, 10, 10, 4};

typedef struct {
    const char* spracovanie; /* dd.mm.yyyy */
    const char* zuctovanie; /* dd.mm.yyyy */
    Usek jednotky, stotiny;
    const char* mena; /* 3 bytes */
    int debet;
    Usek polia[POLI];
    Usek informacia; /* without its quotes */
    Usek popis; /* as it stands, quotes included */
    /* Set with the answer -1 when the open field is Popis. */
    int otvorenyPopis;
} Zaznam;

static int cislica(char c) { return c >= '0' && c <= '9'; }
static int prazdny(char c) { return (unsigned char)c <= 32; }

static Usek orez(Usek u)
{
    while (u.n && prazdny(u.p[0])) ++u.p, --u.n;
    while (u.n && prazdny(u.p[u.n - 1])) --u.n;
    return u;
}

static int iba_cislice(Usek u)
{
    for (size_t i = 0; i < u.n; ++i)
        if (!cislica(u.p[i])) return 0;
    return 1;
}

/* An optional sign as the joined text's first byte, then digits only, at
 * least one of them. */
static int cita_sa_ako_cislo(const Usek* casti, int pocet)
{
    int prvy = 1;
    size_t cislic = 0;
    for (int c = 0; c < pocet; ++c)
        for (size_t i = 0; i < casti[c].n; ++i) {
            const char znak = casti[c].p[i];
            if (prvy && (znak == '+' || znak == '-')) {
                prvy = 0;
                continue;
            }
            prvy = 0;
            if (!cislica(znak)) return 0;
            ++cislic;
        }
    return cislic > 0;
}

/* The first 23 bytes of a record: both dates, their commas and the quote
 * that opens the amount. */
static int zaciatok_zaznamu(const char* t, size_t n)
{
    if (n < 23) return 0;
    const Usek spracovanie[3] = {{t, 2}, {t + 3, 2}, {t + 6, 4}};
    const Usek zuctovanie[3] = {{t + 11, 2}, {t + 14, 2}, {t + 17, 4}};
    return cita_sa_ako_cislo(spracovanie, 3) && cita_sa_ako_cislo(zuctovanie, 3) && t[2] == '.' && t[5] == '.'
        && t[10] == ',' && t[13] == '.' && t[16] == '.' && t[21] == ',' && t[22] == '"';
}

/* The text up to the next "," as a field; moves past its ",". */
static int dalsie_pole(const char** p, const char* koniec, Usek* pole)
{
    const char* ciarka = memchr(*p, ',', (size_t)(koniec - *p));
    if (!ciarka) return 0;
    *pole = (Usek){*p, (size_t)(ciarka - *p)};
    *p = ciarka + 1;
    return 1;
}

/* Referencia platiteľa and Informácia pre príjemcu: a quoted field ends at
 * the first quote followed by a comma; one still open continues on the next
 * line (-1). */
static int dalsie_pole_v_uvodzovkach(const char** p, const char* koniec, Usek* pole)
{
    if (*p == koniec || **p != '"') return dalsie_pole(p, koniec, pole);
    for (const char* hladaj = *p + 1;;) {
        const char* uvodzovka = memchr(hladaj, '"', (size_t)(koniec - hladaj));
        if (!uvodzovka || uvodzovka + 1 >= koniec) return -1;
        if (uvodzovka[1] == ',') {
            *pole = (Usek){*p + 1, (size_t)(uvodzovka - *p - 1)};
            *p = uvodzovka + 2;
            return 1;
        }
        hladaj = uvodzovka + 1;
    }
}

/* The record test: 1 a complete valid record, 0 an invalid one, -1 a quoted
 * field still open at the end. Keeps the fields of a record that passes. */
static int rozober(const char* t, size_t n, Zaznam* z)
{
    z->otvorenyPopis = 0;
    if (!zaciatok_zaznamu(t, n)) return 0;
    z->spracovanie = t;
    z->zuctovanie = t + 11;
    const char* const koniec = t + n;
    const char* p = t + 23;

    const char* ciarka = memchr(p, ',', (size_t)(koniec - p));
    if (!ciarka || ciarka == p) return 0;
    const size_t za = (size_t)(koniec - ciarka - 1);
    z->jednotky = (Usek){p, (size_t)(ciarka - p)};
    z->stotiny = (Usek){ciarka + 1, za < 2 ? za : 2};
    const Usek suma[2] = {z->jednotky, z->stotiny};
    if (!cita_sa_ako_cislo(suma, 2) || za < 4 || ciarka[3] != '"' || ciarka[4] != ',') return 0;
    p = ciarka + 5;

    if (koniec - p < 4 || memchr(p, ',', 3) || p[3] != ',') return 0;
    z->mena = p;
    p += 4;

    Usek typ;
    if (!dalsie_pole(&p, koniec, &typ)) return 0;
    if (typ.n == 5 && !memcmp(typ.p, "Debet", 5))
        z->debet = 1;
    else if (typ.n == 6 && !memcmp(typ.p, "Kredit", 6))
        z->debet = 0;
    else
        return 0;

    for (int i = 0; i < POLI; ++i)
        if (!dalsie_pole(&p, koniec, &z->polia[i])) return 0;

    Usek referencia;
    int v = dalsie_pole_v_uvodzovkach(&p, koniec, &referencia);
    if (v != 1) return v;
    v = dalsie_pole_v_uvodzovkach(&p, koniec, &z->informacia);
    if (v != 1) return v;

    z->popis = (Usek){p, (size_t)(koniec - p)};
    if (!z->popis.n) return 0;
    z->otvorenyPopis = p[0] == '"' && (z->popis.n == 1 || koniec[-1] != '"');
    return z->otvorenyPopis ? -1 : 1;
}

/* The values the record test lets through but a statement cannot carry: a
 * signed amount or one of more than 12 digits, a date with a sign, and
 * fields 6 to 12 longer than their ABO fields or holding a non-digit. */
static int hodnoty_sa_zmestia(const Zaznam* z)
{
    static const int datum[8] = {0, 1, 3, 4, 6, 7, 8, 9};
    for (int i = 0; i < 8; ++i)
        if (!cislica(z->spracovanie[datum[i]]) || !cislica(z->zuctovanie[datum[i]])) return 0;
    if (!iba_cislice(z->jednotky) || !iba_cislice(z->stotiny) || z->jednotky.n + z->stotiny.n > 12) return 0;
    for (int i = 0; i < POLI; ++i) {
        if (i == IBAN) continue;
        const Usek hodnota = orez(z->polia[i]);
        if (hodnota.n > sirky[i] || !iba_cislice(hodnota)) return 0;
    }
    return 1;
}

static Usek text(const Zaznam* z)
{
    const Usek informacia = orez(z->informacia);
    if (informacia.n) return informacia;
    /* A quoted Popis that passed its test ends with its closing quote. */
    if (z->popis.p[0] == '"') return orez((Usek){z->popis.p + 1, z->popis.n - 2});
    return orez(z->popis);
}

/* yyyymmdd of a date dd.mm.yyyy as a number, and its ddmmyy bytes. */
static uint32_t kluc(const char* d)
{
    uint32_t k = 0;
    static const int poradie[8] = {6, 7, 8, 9, 3, 4, 0, 1};
    for (int i = 0; i < 8; ++i) k = k * 10 + (uint32_t)(d[poradie[i]] - '0');
    return k;
}

static char* ddmmrr(char* p, const char* d)
{
    p[0] = d[0], p[1] = d[1], p[2] = d[3], p[3] = d[4], p[4] = d[8], p[5] = d[9];
    return p + 6;
}

/* The internal order of a plain 16-digit account number, the order the
 * bank's ABO files carry: characters 16, 14, 15, 12, 7 to 11, 13, 1 to 6. */
static void vnutorne_poradie(char* ciel, const char* ucet16)
{
    static const int poradie[16] = {16, 14, 15, 12, 7, 8, 9, 10, 11, 13, 1, 2, 3, 4, 5, 6};
    for (int i = 0; i < 16; ++i) ciel[i] = ucet16[poradie[i] - 1];
}

static void pis075(char* p, const char* vlastny, const Zaznam* z)
{
    char ucet[16];
    const Usek predcislie = orez(z->polia[PREDCISLIE]), cislo_uctu = orez(z->polia[CISLO_UCTU]);
    nuly(nuly(ucet, predcislie.p, predcislie.n, 6), cislo_uctu.p, cislo_uctu.n, 10);

    memcpy(p, "075", 3);
    memcpy(p + 3, vlastny, 16);
    vnutorne_poradie(p + 19, ucet);
    p += 35;
    memset(p, '0', 13);
    p += 13;
    const size_t suma = z->jednotky.n + z->stotiny.n;
    memset(p, '0', 12 - suma);
    memcpy(p + 12 - suma, z->jednotky.p, z->jednotky.n);
    memcpy(p + 12 - z->stotiny.n, z->stotiny.p, z->stotiny.n);
    p += 12;
    *p++ = z->debet ? '1' : '2';
    static const int symboly[4] = {VARIABILNY, KOD_BANKY, KONSTANTNY, SPECIFICKY};
    for (int i = 0; i < 4; ++i) {
        const Usek h = orez(z->polia[symboly[i]]);
        p = nuly(p, h.p, h.n, sirky[symboly[i]]);
    }
    p = ddmmrr(p, z->zuctovanie);
    const Usek t = text(z);
    p = medzery(p, t.p, t.n, 20);
    memcpy(p, "00000", 5);
    p = ddmmrr(p + 5, z->spracovanie);
    p[0] = '\r';
    p[1] = '\n';
}

/* One statement's records in the file's order of lines. */
typedef struct {
    size_t blok; /* the free block in front of its items */
    size_t pocet;
    uint32_t prvyKluc, poslednyKluc;
    char prvy[6], posledny[6]; /* ddmmyy */
    char prvaMena[3], poslednaMena[3];
    uint64_t debet, kredit;
} Skupina;

static void pis074(char* p, const char* vlastny, const char* mena, const char* prvy, const Skupina* s,
                   long cislo, const char* datum)
{
    memcpy(p, "074", 3);
    memcpy(p + 3, vlastny, 16);
    p = medzery(p + 19, mena, 3, 20);
    memcpy(p, prvy, 6);
    p = cislo_nuly(p + 6, 0, 14);
    *p++ = '+';
    const int zaporny = s->debet > s->kredit;
    p = cislo_nuly(p, zaporny ? s->debet - s->kredit : s->kredit - s->debet, 14);
    *p++ = zaporny ? '-' : '+';
    p = cislo_nuly(p, s->debet, 14);
    *p++ = '+';
    p = cislo_nuly(p, s->kredit, 14);
    *p++ = '+';
    p = cislo_nuly(p, (uint64_t)cislo, 3);
    memcpy(p, datum, 6);
    memset(p + 6, ' ', 14);
    p[20] = '\r';
    p[21] = '\n';
}

/* The physical lines: ended by CR LF, LF or CR; a line end at the very end
 * adds no empty line. The next LF is kept across lines, so a file of lines
 * ended by CR alone is still scanned once. */
typedef struct {
    const char* data;
    size_t n, pozicia, lf;
} Riadky;

static int riadok(Riadky* r, const char** zaciatok, size_t* dlzka)
{
    if (r->pozicia >= r->n) return 0;
    if (r->pozicia == 0 || r->lf < r->pozicia) {
        const char* lf = memchr(r->data + r->pozicia, '\n', r->n - r->pozicia);
        r->lf = lf ? (size_t)(lf - r->data) : r->n;
    }
    const char* cr = memchr(r->data + r->pozicia, '\r', r->lf - r->pozicia);
    const size_t koniec = cr ? (size_t)(cr - r->data) : r->lf;
    *zaciatok = r->data + r->pozicia;
    *dlzka = koniec - r->pozicia;
    r->pozicia = koniec + 1;
    if (koniec < r->n && r->data[koniec] == '\r' && r->pozicia < r->n && r->data[r->pozicia] == '\n')
        ++r->pozicia;
    return 1;
}

/* Room for a record's lines joined with a blank, kept from record to record. */
typedef struct {
    char* data;
    size_t dlzka, kapacita;
} Spojene;

static void pripoj(Spojene* s, const char* text, size_t n, int medzera)
{
    if (s->dlzka + n + 1 > s->kapacita) {
        size_t kapacita = s->kapacita ? s->kapacita : 4096;
        while (s->dlzka + n + 1 > kapacita) kapacita *= 2;
        s->data = realloc(s->data, kapacita);
        if (!s->data) {
            fprintf(stderr, "no memory for a record\n");
            exit(2);
        }
        s->kapacita = kapacita;
    }
    if (medzera) s->data[s->dlzka++] = ' ';
    memcpy(s->data + s->dlzka, text, n);
    s->dlzka += n;
}

static int porovnaj(const void* a, const void* b)
{
    const uint32_t x = *(const uint32_t*)a, y = *(const uint32_t*)b;
    return (x > y) - (x < y);
}

static void vymen_bloky(char* a, char* b)
{
    char pomoc[ZAZNAM];
    memcpy(pomoc, a, ZAZNAM);
    memcpy(a, b, ZAZNAM);
    memcpy(b, pomoc, ZAZNAM);
}

static void neplatny_s(const char* preco)
{
    fprintf(stderr, "not converted: %s\n", preco);
    neplatny();
}

int main(int argc, char** argv)
{
    Volby v;
    citaj_volby(argc, argv, &v);
    /* The task's account stands in every record; a task without one does not run. */
    const size_t dlzka_uctu = strlen(v.ucet);
    if (!dlzka_uctu) {
        fprintf(stderr, "Format 2 needs --account\n");
        return 2;
    }
    if (dlzka_uctu > 16 || !iba_cislice((Usek){v.ucet, dlzka_uctu})) neplatny_s("the account is not digits");
    char ucet16[16], vlastny[16];
    nuly(ucet16, v.ucet, dlzka_uctu, 16);
    vnutorne_poradie(vlastny, ucet16);
    long cislo = v.cislo < 1 ? 1 : v.cislo > 999 ? 999 : v.cislo;

    const Subor subor = nacitaj_subor(v.vstup);
    Riadky riadky = {subor.data, subor.dlzka, 0, 0};
    const char* r;
    size_t n;
    if (!riadok(&riadky, &r, &n) || n != DLZKA_STLPCOV || memcmp(r, stlpce, DLZKA_STLPCOV))
        neplatny_s("no column line");

    /* The shortest record is 49 bytes and every record but the last is
     * followed by a line end; the column line takes 211. Each record is one
     * block; each statement one more, and one closes the buffer. */
    const size_t najviac_zaznamov = subor.dlzka / 50 + 1;
    const size_t blokov = v.denne ? 2 * najviac_zaznamov + 1 : najviac_zaznamov + 2;
    Vypis vypis;
    vypis_rezervuj(&vypis, blokov * ZAZNAM);

    Skupina* skupiny = NULL;
    size_t pocet_skupin = 0, kapacita_skupin = 0;
    Spojene spojene = {0};
    uint64_t debet = 0, kredit = 0;
    uint32_t prvy_kluc = 0, posledny_kluc = 0;
    int pokracovanie_ako_zaznam = 0;
    Zaznam z;

    while (riadok(&riadky, &r, &n)) {
        const char* const prvy_riadok = r;
        int vysledok = rozober(r, n, &z);
        if (vysledok == -1) {
            spojene.dlzka = 0;
            pripoj(&spojene, r, n, 0);
            /* Only a line holding a quote followed by a comma can close
             * Referencia or Informácia, and only one ending with a quote can
             * close Popis: other lines are joined untested. */
            while (vysledok == -1 && riadok(&riadky, &r, &n)) {
                pripoj(&spojene, r, n, 1);
                if (zaciatok_zaznamu(r, n)) pokracovanie_ako_zaznam = 1;
                int uzavrie = 0;
                if (z.otvorenyPopis)
                    uzavrie = n && r[n - 1] == '"';
                else
                    for (const char* q = r; !uzavrie && (q = memchr(q, '"', (size_t)(r + n - q))) != NULL;
                         ++q)
                        uzavrie = q + 1 < r + n && q[1] == ',';
                if (uzavrie) vysledok = rozober(spojene.data, spojene.dlzka, &z);
            }
        }
        if (vysledok != 1) neplatny_s("a record does not pass its test");
        if (!hodnoty_sa_zmestia(&z)) neplatny_s("a value does not fit its field");

        const uint32_t k = kluc(prvy_riadok);
        if (!pocet_skupin) prvy_kluc = k;
        const int nova = !pocet_skupin || (v.denne && k != posledny_kluc);
        /* Its block, a free block when it opens a statement, the closing block. */
        if (vypis.dlzka + (size_t)(nova ? 3 : 2) * ZAZNAM > vypis.kapacita) {
            fprintf(stderr, "the statement outgrew its bound\n");
            return 2;
        }
        if (nova) {
            if (pocet_skupin == kapacita_skupin) {
                kapacita_skupin = kapacita_skupin ? 2 * kapacita_skupin : 64;
                skupiny = realloc(skupiny, kapacita_skupin * sizeof *skupiny);
                if (!skupiny) {
                    fprintf(stderr, "no memory for the statements\n");
                    return 2;
                }
            }
            Skupina* s = &skupiny[pocet_skupin++];
            *s = (Skupina){.blok = vypis.dlzka / ZAZNAM, .prvyKluc = k};
            ddmmrr(s->prvy, z.spracovanie);
            memcpy(s->prvaMena, z.mena, 3);
            miesto(&vypis, ZAZNAM);
        }
        posledny_kluc = k;

        Skupina* s = &skupiny[pocet_skupin - 1];
        uint64_t suma = 0;
        for (size_t i = 0; i < z.jednotky.n; ++i) suma = suma * 10 + (uint64_t)(z.jednotky.p[i] - '0');
        suma = suma * 100 + (uint64_t)(z.stotiny.p[0] - '0') * 10 + (uint64_t)(z.stotiny.p[1] - '0');
        uint64_t* obrat = z.debet ? &debet : &kredit;
        *obrat += suma;
        if (*obrat > NAJVIAC) neplatny_s("the turnover does not fit its field");
        *(z.debet ? &s->debet : &s->kredit) += suma;
        ++s->pocet;
        s->poslednyKluc = k;
        ddmmrr(s->posledny, z.spracovanie);
        memcpy(s->poslednaMena, z.mena, 3);

        pis075(miesto(&vypis, ZAZNAM), vlastny, &z);
    }
    if (!pocet_skupin) neplatny_s("no record");
    miesto(&vypis, ZAZNAM);

    /* A day that comes back after another would give a second statement of
     * that day under the first one's name. */
    if (pocet_skupin > 1) {
        uint32_t* dni = malloc(pocet_skupin * sizeof *dni);
        if (!dni) return 2;
        for (size_t i = 0; i < pocet_skupin; ++i) dni[i] = skupiny[i].prvyKluc;
        qsort(dni, pocet_skupin, sizeof *dni, porovnaj);
        for (size_t i = 1; i < pocet_skupin; ++i)
            if (dni[i] == dni[i - 1]) neplatny_s("a day comes back after another");
        free(dni);
    }

    /* The newest date is the first record's when the file lists newest first. */
    const int od_najnovsieho = prvy_kluc > posledny_kluc;
    if (od_najnovsieho && pokracovanie_ako_zaznam)
        neplatny_s("a newest-first file whose record continues on a line that begins like a record");
    const size_t spolu = vypis.dlzka / ZAZNAM;
    if (od_najnovsieho)
        for (size_t i = 0, j = spolu - 1; i < j; ++i, --j)
            vymen_bloky(vypis.data + i * ZAZNAM, vypis.data + j * ZAZNAM);

    for (size_t i = 0; i < pocet_skupin; ++i) {
        const Skupina* s = &skupiny[od_najnovsieho ? pocet_skupin - 1 - i : i];
        const size_t blok = od_najnovsieho ? spolu - 2 - s->blok - s->pocet : s->blok;
        char* const zaciatok = vypis.data + blok * ZAZNAM;
        char datum[8];
        cislo_nuly(datum, od_najnovsieho ? s->prvyKluc : s->poslednyKluc, 8);
        pis074(zaciatok, vlastny, od_najnovsieho ? s->prvaMena : s->poslednaMena,
               od_najnovsieho ? s->posledny : s->prvy, s, cislo, od_najnovsieho ? s->prvy : s->posledny);
        char meno[4096];
        meno_vypisu(meno, sizeof meno, v.vstup, 4, datum, ".gpc");
        zapis_vypis(v.vystup, meno, zaciatok, (s->pocet + 1) * ZAZNAM);
        if (cislo < 999) ++cislo;
    }
    return 0;
}
