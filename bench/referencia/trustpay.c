/* The reference converter of Format 1: a TrustPay account export into CLR
 * statements. One walk over the records tests each record as the file test
 * does, splits it and writes its transaction block straight into the
 * statement buffer; a record that does not test 1, an amount that does not
 * fit, or (daily) a day that comes back after another makes the file invalid
 * before anything is written. Per file, the one statement is written at the
 * end; daily, every statement is held in the one buffer until the whole file
 * has passed, then each is written with its own write.
 *
 * The options are taken as given: --account and --text are code page 1250
 * bytes, as the statements carry them. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "referencia.h"

/* The own bank code of the TrustPay conversion. */
#define KOD "9952"

/* Appends a string literal. */
#define KONST(p, s) pridaj((p), (s), sizeof(s) - 1)

/* The most one transaction block writes besides its amount digits and the own
 * account number: HD:11 with two bank codes of at most 4 and 7 bytes and a
 * record number of at most 20 digits (50), KC: (18), ID: (13), EC: (15), the
 * own account's line (6), the counterparty's line with prefix, number and
 * payment text (43), AD:/AK: and ZD:/ZK: (30 each). */
#define NAJVIAC_BLOK 205
/* The most a trailer writes: six records whose numbers and sums have at most
 * 20 digits and whose statement number has at most 3. */
#define NAJVIAC_UZAVER 300
/* The shortest record, with the one byte that ends its line, holds 34 bytes
 * besides its amount digits, of which it has at least 3. */
#define NAJKRATSI_ZAZNAM 37
#define BEZ_SUMY 34

static char* pridaj(char* p, const char* s, size_t n)
{
    memcpy(p, s, n);
    return p + n;
}

static void bez_pamate(void)
{
    fprintf(stderr, "no memory for a record\n");
    exit(2);
}

/* Working space that only grows: a record joined from several lines, the
 * payment text while its tags are taken out, the payment text made from the
 * template. Its room is kept from record to record. */
typedef struct {
    char* data;
    size_t kapacita;
} Pracovny;

static char* aspon(Pracovny* b, size_t n)
{
    if (n > b->kapacita) {
        size_t k = b->kapacita ? b->kapacita : 256;
        while (k < n) k *= 2;
        char* nove = realloc(b->data, k);
        if (!nove) bez_pamate();
        b->data = nove;
        b->kapacita = k;
    }
    return b->data;
}

static int cislice(const char* p, size_t n)
{
    if (!n) return 0;
    for (size_t i = 0; i < n; ++i)
        if (p[i] < '0' || p[i] > '9') return 0;
    return 1;
}

/* Reads as a decimal integer: digits, optionally after leading blanks and a sign. */
static int konvertuje(const char* p, size_t n)
{
    while (n && *p == ' ') ++p, --n;
    if (n && (*p == '+' || *p == '-')) ++p, --n;
    return cislice(p, n);
}

/* The first occurrence of `hladane` in the text, or NULL. */
static const char* najdi(const char* t, size_t n, const char* hladane, size_t m)
{
    const char* const koniec = t + n;
    while ((size_t)(koniec - t) >= m) {
        const char* p = memchr(t, hladane[0], (size_t)(koniec - t) - m + 1);
        if (!p) return NULL;
        if (!memcmp(p + 1, hladane + 1, m - 1)) return p;
        t = p + 1;
    }
    return NULL;
}

typedef struct {
    const char* p;
    size_t n;
} Usek;

/* Trimming removes the bytes of code 32 and below at both ends. */
static Usek orez(const char* p, size_t n)
{
    while (n && (unsigned char)*p <= 32) ++p, --n;
    while (n && (unsigned char)p[n - 1] <= 32) --n;
    return (Usek){p, n};
}

/* The separators a record that tested 1 was found to have; the values lie
 * between them. */
typedef struct {
    const char* ucet_koniec; /* the closing quote of the counter-account */
    const char* ciarka; /* the amount's comma */
    const char* text_koniec; /* the closing quote of the payment text */
    const char* ref_koniec; /* the closing quote of the reference */
    const char* cislo_koniec; /* the ";" after the number field */
} Polia;

/* The record test, on a record whose byte-order mark is removed: 1 a complete
 * valid record, 0 no TrustPay record, -1 a quoted field is still open at the
 * end. A -1 comes only from a missing double quote, so a line without one,
 * appended to such a record, cannot change the answer. */
static int test(const char* r, size_t n, Polia* f)
{
    const char* const k = r + n;
    if (n < 14 || !cislice(r, 2) || !cislice(r + 4, 2) || !cislice(r + 8, 4)) return 0;
    if (r[2] != '.' || r[3] != ' ' || r[6] != '.' || r[7] != ' ' || r[12] != ';' || r[13] != '"') return 0;

    const char* q = memchr(r + 14, '"', n - 14);
    if (!q) return -1;
    if (k - q < 3 || q[1] != ';' || (q[2] != '+' && q[2] != '-')) return 0;
    f->ucet_koniec = q;

    /* The amount goes into the statement as written: plain digits only. */
    const char* const suma = q + 3;
    const char* c = memchr(suma, ',', (size_t)(k - suma));
    if (!c || !cislice(suma, (size_t)(c - suma))) return 0;
    if (k - c < 9 || !cislice(c + 1, 2) || c[3] != ';' || c[7] != ';' || c[8] != '"') return 0;
    f->ciarka = c;

    const char* const text = c + 9;
    q = memchr(text, '"', (size_t)(k - text));
    if (!q) return -1;
    if (k - q < 3 || q[1] != ';' || q[2] != '"') return 0;
    f->text_koniec = q;

    const char* const ref = q + 3;
    q = memchr(ref, '"', (size_t)(k - ref));
    if (!q) return -1;
    if (k - q < 2 || q[1] != ';') return 0;
    f->ref_koniec = q;

    /* The number field may end with a double quote before its ";". */
    const char* const cislo = q + 2;
    const char* s = memchr(cislo, ';', (size_t)(k - cislo));
    if (!s) return 0;
    size_t dlzka = (size_t)(s - cislo);
    if (dlzka && cislo[dlzka - 1] == '"') --dlzka;
    if (!konvertuje(cislo, dlzka)) return 0;
    f->cislo_koniec = s;

    if (k - s < 2 || s[1] != '"') return 0;
    q = memchr(s + 2, '"', (size_t)(k - s - 2));
    if (!q) return -1;
    return q + 1 == k;
}

/* The counter-account split into prefix, number and bank code. */
typedef struct {
    Usek predcislie, cislo, kod;
} Ucet;

static Ucet rozdel_ucet(const char* u, size_t n)
{
    Ucet v = {{"", 0}, {"", 0}, {"0000", 4}};
    if (n == 24 && u[0] == 'S' && u[1] == 'K' && konvertuje(u + 2, 7) && konvertuje(u + 9, 7)
        && konvertuje(u + 16, 8)) {
        v.kod = (Usek){u + 4, 4};
        v.predcislie = (Usek){u + 8, 6};
        v.cislo = (Usek){u + 14, 10};
    } else {
        Usek cast = {u, n};
        const char* lomka = memchr(u, '/', n);
        if (lomka) {
            /* Exports write both prefix-number/bank and bank/prefix-number;
             * a "/" in the first half of the text marks the bank code first. */
            const size_t l = (size_t)(lomka - u);
            const Usek pred = {u, l}, za = {lomka + 1, n - l - 1};
            const int kod_prvy = l + 1 < n / 2;
            v.kod = kod_prvy ? orez(pred.p, pred.n) : orez(za.p, za.n);
            cast = kod_prvy ? za : pred;
        }
        const char* pomlcka = memchr(cast.p, '-', cast.n);
        if (pomlcka) {
            const size_t l = (size_t)(pomlcka - cast.p);
            v.predcislie = orez(cast.p, l);
            v.cislo = orez(pomlcka + 1, cast.n - l - 1);
        } else {
            v.cislo = orez(cast.p, cast.n);
        }
    }
    if (v.predcislie.n > 6) v.predcislie.p += v.predcislie.n - 6, v.predcislie.n = 6;
    if (v.cislo.n > 10) v.cislo.p += v.cislo.n - 10, v.cislo.n = 10;
    if (v.kod.n > 7) v.kod.p += v.kod.n - 7, v.kod.n = 7;
    return v;
}

/* A tag's value: at most 10 bytes. */
typedef struct {
    char p[10];
    size_t n;
} Symbol;

/* Takes the first occurrence of a tag out of the text: its value is the
 * trimmed rest up to its first blank, and what follows that blank goes back
 * to the text. Answers 0 when the tag is not there. */
static int vyber_znacku(char* text, size_t* dlzka, const char* znacka, size_t zn, Symbol* s)
{
    const char* m = najdi(text, *dlzka, znacka, zn);
    s->n = 0;
    if (!m) return 0;
    const size_t miesto = (size_t)(m - text);
    const Usek hodnota = orez(m + zn, *dlzka - miesto - zn);
    const size_t koniec = (size_t)(hodnota.p - text) + hodnota.n;
    size_t zvysok = koniec, n = hodnota.n;
    const char* medzera = memchr(hodnota.p, ' ', hodnota.n);
    if (medzera) {
        n = (size_t)(medzera - hodnota.p);
        zvysok = (size_t)(medzera - text) + 1;
    }
    s->n = n < 10 ? n : 10;
    memcpy(s->p, hodnota.p, s->n);
    memmove(text + miesto, text + zvysok, koniec - zvysok);
    *dlzka = miesto + (koniec - zvysok);
    return 1;
}

/* Replaces the first occurrence of a variable; the buffer has the room. */
static void nahrad_prvy(char* text, size_t* dlzka, const char* premenna, size_t pn, const char* hodnota,
                        size_t hn)
{
    const char* m = najdi(text, *dlzka, premenna, pn);
    if (!m) return;
    const size_t miesto = (size_t)(m - text);
    memmove(text + miesto + hn, text + miesto + pn, *dlzka - miesto - pn);
    memcpy(text + miesto, hodnota, hn);
    *dlzka = *dlzka - pn + hn;
}

/* One statement of a daily run, held in the buffer until the file has passed. */
typedef struct {
    size_t od, dlzka;
    char datum[8];
} Hotovy;

/* The days that began a statement: a day that comes back after another one
 * would give a second statement of that name. Open addressing on yyyymmdd + 1. */
typedef struct {
    uint32_t* kluce;
    size_t kapacita, pocet;
} Dni;

static int novy_den(Dni* d, uint32_t den)
{
    if (2 * (d->pocet + 1) > d->kapacita) {
        const size_t kapacita = d->kapacita ? 2 * d->kapacita : 64;
        uint32_t* kluce = calloc(kapacita, sizeof *kluce);
        if (!kluce) bez_pamate();
        for (size_t i = 0; i < d->kapacita; ++i) {
            if (!d->kluce[i]) continue;
            size_t j = (d->kluce[i] * 2654435761u) & (kapacita - 1);
            while (kluce[j]) j = (j + 1) & (kapacita - 1);
            kluce[j] = d->kluce[i];
        }
        free(d->kluce);
        d->kluce = kluce;
        d->kapacita = kapacita;
    }
    const uint32_t k = den + 1;
    size_t i = (k * 2654435761u) & (d->kapacita - 1);
    for (; d->kluce[i]; i = (i + 1) & (d->kapacita - 1))
        if (d->kluce[i] == k) return 0;
    d->kluce[i] = k;
    ++d->pocet;
    return 1;
}

typedef struct {
    Volby volby;
    size_t dlzka_uctu;
    size_t dlzka_sablony;
    /* A template without "$" gives every record the same payment text. */
    int pevny_text;
    Usek text_pevny;

    Vypis vypis;
    long cislo;
    /* The file's turnover: every statement sum stays within it. */
    int64_t obrat;

    /* The statement being built. */
    int zacaty;
    size_t od;
    int64_t poradie, debet, kredit, spolu;
    char predchadzajuci[12];
    char datum[8];
    char mena[3];

    Hotovy* hotove;
    size_t hotovych, kapacita_hotovych;
    Dni dni;

    Pracovny zaznam, text, platba;
} Prevod;

static void zacni_vypis(Prevod* pr, const char* r)
{
    if (pr->volby.denne) {
        /* The date text holds digits only, so its yyyymmdd value tells the day. */
        static const int miesta[8] = {8, 9, 10, 11, 4, 5, 0, 1};
        uint32_t den = 0;
        for (int i = 0; i < 8; ++i) den = den * 10 + (uint32_t)(r[miesta[i]] - '0');
        if (!novy_den(&pr->dni, den)) neplatny();
    }
    pr->zacaty = 1;
    pr->od = pr->vypis.dlzka;
    pr->poradie = 1;
    pr->debet = pr->kredit = pr->spolu = 0;
}

/* Appends the trailer of the statement built so far and numbers it. */
static void uzavri(Prevod* pr)
{
    const uint64_t n = (uint64_t)(pr->poradie - 1);
    const int64_t zostatok = pr->kredit - pr->debet;
    char* p = pr->vypis.data + pr->vypis.dlzka;
    p = KONST(p, "HD:51 ");
    p = pridaj(p, pr->datum, 8);
    p = KONST(p, " " KOD " ");
    p = cislo(p, n + 1);
    p = KONST(p, " 1030\r\nIN:1 ");
    p = cislo(p, n);
    p = KONST(p, "\r\nS1:");
    p = cislo(p, n);
    *p++ = ' ';
    p = cislo(p, (uint64_t)pr->spolu);
    p = KONST(p, "\r\nHD:52 ");
    p = pridaj(p, pr->datum, 8);
    p = KONST(p, " " KOD " ");
    p = cislo(p, n + 2);
    p = KONST(p, " " KOD "\r\nZV:");
    p = pridaj(p, pr->mena, 3);
    p = KONST(p, " " KOD " 0 ");
    p = pridaj(p, pr->datum, 8);
    *p++ = ' ';
    p = cislo(p, (uint64_t)pr->cislo);
    /* The export states no balance: every statement opens with 0. */
    p = KONST(p, " 1 0 + R\r\nKV:");
    p = cislo(p, n + 2);
    *p++ = ' ';
    p = cislo(p, (uint64_t)pr->debet);
    p = KONST(p, " + ");
    p = cislo(p, (uint64_t)pr->kredit);
    p = KONST(p, " + ");
    p = cislo(p, (uint64_t)(zostatok < 0 ? -zostatok : zostatok));
    p = zostatok < 0 ? KONST(p, " - R\r\n") : KONST(p, " + R\r\n");
    pr->vypis.dlzka = (size_t)(p - pr->vypis.data);

    if (pr->volby.denne) {
        if (pr->hotovych == pr->kapacita_hotovych) {
            pr->kapacita_hotovych = pr->kapacita_hotovych ? 2 * pr->kapacita_hotovych : 32;
            pr->hotove = realloc(pr->hotove, pr->kapacita_hotovych * sizeof *pr->hotove);
            if (!pr->hotove) bez_pamate();
        }
        Hotovy* h = &pr->hotove[pr->hotovych++];
        h->od = pr->od;
        h->dlzka = pr->vypis.dlzka - pr->od;
        memcpy(h->datum, pr->datum, 8);
        /* After statement 999 the number stays 999. */
        if (pr->cislo < 999) ++pr->cislo;
    }
}

/* The counterparty's designation: prefix, number and payment text. */
static char* protiucet(char* p, const Ucet* u, Usek text)
{
    p = pridaj(p, u->predcislie.p, u->predcislie.n);
    *p++ = ' ';
    p = nuly(p, u->cislo.p, u->cislo.n, u->cislo.n < 2 ? 2 : u->cislo.n);
    *p++ = ' ';
    return pridaj(p, text.p, text.n);
}

static char* kod_banky(char* p, Usek kod) { return nuly(p, kod.p, kod.n, kod.n < 4 ? 4 : kod.n); }

static char* riadok(char* p, const char* znacka, const char* hodnota, size_t n)
{
    p = pridaj(p, znacka, 3);
    p = pridaj(p, hodnota, n);
    return KONST(p, "\r\n");
}

/* One record that tested 1: the daily cut, its transaction block, its sums. */
static void preved(Prevod* pr, const char* r, size_t n, const Polia* f)
{
    if (!pr->zacaty) {
        zacni_vypis(pr, r);
    } else if (pr->volby.denne && memcmp(pr->predchadzajuci, r, 12) != 0) {
        uzavri(pr);
        zacni_vypis(pr, r);
    }
    memcpy(pr->predchadzajuci, r, 12);

    /* The amount's digits go into KC: as written, so the value must be exact:
     * at most 18 significant digits. */
    const char* const suma = f->ucet_koniec + 3;
    const size_t cele = (size_t)(f->ciarka - suma);
    int64_t hodnota = 0;
    size_t platnych = 0;
    for (size_t i = 0; i < cele + 2; ++i) {
        const char c = i < cele ? suma[i] : f->ciarka[i - cele + 1];
        if (platnych || c != '0') {
            if (++platnych > 18) neplatny();
            hodnota = hodnota * 10 + (c - '0');
        }
    }
    if (hodnota > INT64_MAX - pr->obrat) neplatny();
    pr->obrat += hodnota;
    const int debet = f->ucet_koniec[2] == '-';

    /* The tags come out of the payment text in this order; a missing REF:
     * leaves the reference field in its place. */
    const char* const pole5 = f->ciarka + 9;
    size_t dlzka = (size_t)(f->text_koniec - pole5);
    char* text = memcpy(aspon(&pr->text, dlzka + 1), pole5, dlzka);
    Symbol ks, vs, ss, ref;
    vyber_znacku(text, &dlzka, "KS:", 3, &ks);
    vyber_znacku(text, &dlzka, "VS:", 3, &vs);
    vyber_znacku(text, &dlzka, "SS:", 3, &ss);
    if (!vyber_znacku(text, &dlzka, "REF:", 4, &ref)) {
        const char* const pole6 = f->text_koniec + 3;
        const size_t n6 = (size_t)(f->ref_koniec - pole6);
        ref.n = n6 < 10 ? n6 : 10;
        memcpy(ref.p, pole6, ref.n);
    }
    const char* const nazov = f->cislo_koniec + 2;
    const size_t dlzka_nazvu = (size_t)(r + n - 1 - nazov);

    /* The payment text: each variable's first occurrence, searched in the
     * text as the earlier replacements left it. */
    Usek platba = pr->text_pevny;
    if (!pr->pevny_text) {
        char* t = aspon(&pr->platba, pr->dlzka_sablony + 4 * 10 + dlzka + dlzka_nazvu + 1);
        size_t tn = pr->dlzka_sablony;
        memcpy(t, pr->volby.text, tn);
        nahrad_prvy(t, &tn, "$ks", 3, ks.p, ks.n);
        nahrad_prvy(t, &tn, "$vs", 3, vs.p, vs.n);
        nahrad_prvy(t, &tn, "$ss", 3, ss.p, ss.n);
        nahrad_prvy(t, &tn, "$ref", 4, ref.p, ref.n);
        nahrad_prvy(t, &tn, "$txt", 4, text, dlzka);
        nahrad_prvy(t, &tn, "$npu", 4, nazov, dlzka_nazvu);
        platba = orez(t, tn);
        if (platba.n > 20) platba.n = 20;
    }

    const Ucet ucet = rozdel_ucet(r + 14, (size_t)(f->ucet_koniec - r - 14));
    const Symbol* const zd = pr->volby.variabilny == 1 ? &ref : &vs;

    /* The bound the buffer was reserved by holds; should it not, stop rather
     * than write past it. */
    if (pr->vypis.kapacita - pr->vypis.dlzka < NAJVIAC_BLOK + pr->dlzka_uctu + cele + 2 + NAJVIAC_UZAVER) {
        fprintf(stderr, "the statement outgrew its room\n");
        exit(2);
    }
    char kluc[8];
    memcpy(kluc, r + 8, 4);
    memcpy(kluc + 4, r + 4, 2);
    memcpy(kluc + 6, r, 2);

    char* p = pr->vypis.data + pr->vypis.dlzka;
    p = KONST(p, "HD:11 ");
    p = pridaj(p, kluc, 8);
    *p++ = ' ';
    p = debet ? KONST(p, KOD) : kod_banky(p, ucet.kod);
    *p++ = ' ';
    p = cislo(p, (uint64_t)pr->poradie);
    *p++ = ' ';
    p = debet ? kod_banky(p, ucet.kod) : KONST(p, KOD);
    p = KONST(p, "\r\nKC:");
    p = pridaj(p, suma, cele);
    p = pridaj(p, f->ciarka + 1, 2);
    *p++ = ' ';
    /* The export carries one date per record: it also stands for the second date. */
    p = pridaj(p, kluc, 8);
    *p++ = ' ';
    p = pridaj(p, f->ciarka + 4, 3);
    p = KONST(p, "\r\n");
    p = riadok(p, "ID:", kluc, 8);
    if (ks.n) p = riadok(p, "EC:", ks.p, ks.n);
    /* The side that carries the own account shows the direction. */
    p = KONST(p, "UD:");
    if (debet) {
        *p++ = ' ';
        p = pridaj(p, pr->volby.ucet, pr->dlzka_uctu);
        p = KONST(p, "\r\nUK:");
        p = protiucet(p, &ucet, platba);
    } else {
        p = protiucet(p, &ucet, platba);
        p = KONST(p, "\r\nUK: ");
        p = pridaj(p, pr->volby.ucet, pr->dlzka_uctu);
    }
    p = KONST(p, "\r\n");
    if (ss.n) {
        p = riadok(p, "AD:", ss.p, ss.n);
        p = riadok(p, "AK:", ss.p, ss.n);
    }
    if (zd->n) {
        p = riadok(p, "ZD:", zd->p, zd->n);
        p = riadok(p, "ZK:", zd->p, zd->n);
    }
    pr->vypis.dlzka = (size_t)(p - pr->vypis.data);

    *(debet ? &pr->debet : &pr->kredit) += hodnota;
    pr->spolu += hodnota;
    memcpy(pr->datum, kluc, 8);
    memcpy(pr->mena, f->ciarka + 4, 3);
    ++pr->poradie;
}

/* The physical lines of the export: they end at CR LF, LF or CR, and a line
 * end at the very end adds no empty line. The next LF is kept across lines,
 * so that each byte is looked at once for it. */
typedef struct {
    const char* data;
    size_t dlzka, poz, lf;
} Riadky;

static size_t najdi_znak(const char* d, char znak, size_t od, size_t po)
{
    const char* m = memchr(d + od, znak, po - od);
    return m ? (size_t)(m - d) : po;
}

static int dalsi_riadok(Riadky* c, const char** riadok, size_t* dlzka)
{
    if (c->poz >= c->dlzka) return 0;
    const size_t zaciatok = c->poz;
    if (c->lf < zaciatok) c->lf = najdi_znak(c->data, '\n', zaciatok, c->dlzka);
    const size_t koniec = najdi_znak(c->data, '\r', zaciatok, c->lf);
    *riadok = c->data + zaciatok;
    *dlzka = koniec - zaciatok;
    c->poz = koniec == c->dlzka ? koniec : koniec + 1;
    if (koniec < c->dlzka && c->data[koniec] == '\r' && c->poz < c->dlzka && c->data[c->poz] == '\n')
        ++c->poz;
    return 1;
}

int main(int argc, char** argv)
{
    static Prevod pr;
    citaj_volby(argc, argv, &pr.volby);
    const Subor subor = nacitaj_subor(pr.volby.vstup);
    /* A file without lines is no TrustPay export. */
    if (subor.dlzka == 0) neplatny();

    pr.cislo = pr.volby.cislo < 1 ? 1 : pr.volby.cislo > 999 ? 999 : pr.volby.cislo;
    pr.dlzka_uctu = strlen(pr.volby.ucet);
    pr.dlzka_sablony = strlen(pr.volby.text);
    if (!memchr(pr.volby.text, '$', pr.dlzka_sablony)) {
        pr.pevny_text = 1;
        pr.text_pevny = orez(pr.volby.text, pr.dlzka_sablony);
        if (pr.text_pevny.n > 20) pr.text_pevny.n = 20;
    }

    /* Each record writes at most NAJVIAC_BLOK bytes, the own account and its
     * amount digits (daily, also the trailer of a statement it may close);
     * the amount digits of all records together are at most the file's size
     * less BEZ_SUMY bytes per record. */
    const size_t zaznamov = (subor.dlzka + 1) / NAJKRATSI_ZAZNAM + 1;
    const size_t na_zaznam = NAJVIAC_BLOK + pr.dlzka_uctu + (pr.volby.denne ? NAJVIAC_UZAVER : 0) - BEZ_SUMY;
    vypis_rezervuj(&pr.vypis, subor.dlzka + 1 + zaznamov * na_zaznam + NAJVIAC_UZAVER);

    Riadky riadky = {subor.data, subor.dlzka, 0, 0};
    riadky.lf = najdi_znak(subor.data, '\n', 0, subor.dlzka);
    const char* riadok;
    size_t dlzka;
    while (dalsi_riadok(&riadky, &riadok, &dlzka)) {
        const char* r = riadok;
        size_t n = dlzka;
        if (n >= 3 && !memcmp(r, "\xEF\xBB\xBF", 3)) r += 3, n -= 3;
        Polia f;
        int vysledok = test(r, n, &f);
        if (vysledok == -1 && riadky.poz < riadky.dlzka) {
            /* A quoted field holds line breaks: the record goes on over the
             * next lines, one blank in place of each break. */
            char* z = memcpy(aspon(&pr.zaznam, n + 1), r, n);
            size_t zn = n;
            while (vysledok == -1 && dalsi_riadok(&riadky, &riadok, &dlzka)) {
                z = aspon(&pr.zaznam, zn + 1 + dlzka);
                z[zn++] = ' ';
                memcpy(z + zn, riadok, dlzka);
                zn += dlzka;
                if (memchr(riadok, '"', dlzka)) vysledok = test(z, zn, &f);
            }
            r = z;
            n = zn;
        }
        if (vysledok != 1) neplatny();
        preved(&pr, r, n, &f);
    }
    uzavri(&pr);

    char meno[4096];
    if (!pr.volby.denne) {
        meno_vypisu(meno, sizeof meno, pr.volby.vstup, 0, pr.datum, ".clr");
        zapis_vypis(pr.volby.vystup, meno, pr.vypis.data, pr.vypis.dlzka);
        return 0;
    }
    for (size_t i = 0; i < pr.hotovych; ++i) {
        const Hotovy* h = &pr.hotove[i];
        meno_vypisu(meno, sizeof meno, pr.volby.vstup, 0, h->datum, ".clr");
        zapis_vypis(pr.volby.vystup, meno, pr.vypis.data + h->od, h->dlzka);
    }
    return 0;
}
