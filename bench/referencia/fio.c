/* The reference converter of Format 3: a Fio banka transaction overview
 * (semicolon-separated, code page 1250) into ABO statements (*.gpc).
 *
 * One walk over the export's lines. The ten header lines give the own
 * account, the holder's name and the opening balance; every line after them
 * is a transaction once two further lines follow it (the sum line and the
 * closing text), so each line is tested and written as soon as the second
 * line after it is found. A statement's "074" record goes in front of its
 * items: its 130 bytes are kept free when the statement starts and filled
 * when it closes. With daily statements every statement of the file is held
 * in the one buffer and written only after the whole file has passed. The
 * task's account, text and variable symbol play no part: the export names
 * its own account. */
#include <stdlib.h>
#include <string.h>

#include "referencia.h"

/* One ABO record of 128 bytes and its CR LF. */
#define ZAZNAM 130
/* A balance or turnover is written with 14 digits; a file whose sums or
 * running balance would need more gives no statement. */
#define NAJVIAC 99999999999999LL
/* The fewest bytes of a transaction line with its line end: 13 fields each
 * ended by ";", the date of 10 bytes and the byte after it, and an amount of
 * at least "," and 2 decimals. */
#define NAJKRATSI_RIADOK 27
#define NAJVYSSIE_CISLO 999

/* The fixed texts of the export in code page 1250: the beginnings of lines
 * 1 to 8 and the column line. */
static const char zaciatok1[] = "Preh\276ad vybran\375ch transakci\355 na \372\350te \"";
static const char* const zaciatky[7] = {
    "Majite\276 \372\350tu: ",
    "Vytvoren\351 v aplik\341cii Internetbanking: ",
    "Obdobie: ",
    "Po\350iato\350n\375 stav \372\350tu k ",
    "Koncov\375 stav \372\350tu k ",
    "Suma pr\355jmov: +",
    "Suma v\375dajov: -",
};
static const char stlpce[] =
    "Prevod;D\341tum;Objem;Proti\372\350et;K\363d banky;KS;VS;\212S;U\236\355vate\276sk\341 identifik\341cia;"
    "Typ;Vykonal;N\341zov proti\372\350tu;N\341zov banky;";
static const char riadok_sumy[] = "0;Suma;";

typedef struct {
    const char* p;
    size_t n;
} Usek;

/* The physical lines of the export: they end at CR LF, LF or CR, and a line
 * end at the very end adds no empty line. The next LF is kept across lines,
 * so that a file whose lines end with CR alone is still scanned once. */
typedef struct {
    const char* data;
    size_t dlzka;
    size_t poz;
    size_t lf;
} Citac;

static int dalsi_riadok(Citac* c, Usek* riadok)
{
    const size_t od = c->poz;
    if (od >= c->dlzka) return 0;
    if (od == 0 || c->lf < od) {
        const char* lf = memchr(c->data + od, '\n', c->dlzka - od);
        c->lf = lf ? (size_t)(lf - c->data) : c->dlzka;
    }
    const char* cr = memchr(c->data + od, '\r', c->lf - od);
    const size_t koniec = cr ? (size_t)(cr - c->data) : c->lf;
    riadok->p = c->data + od;
    riadok->n = koniec - od;
    c->poz = koniec + 1;
    if (cr && c->poz < c->dlzka && c->data[c->poz] == '\n') c->poz++;
    return 1;
}

static int zacina(Usek r, const char* text, size_t n) { return r.n >= n && memcmp(r.p, text, n) == 0; }

static int cislica(char z) { return z >= '0' && z <= '9'; }

static int cislice(const char* p, const char* e)
{
    for (; p < e; ++p)
        if (!cislica(*p)) return 0;
    return 1;
}

/* Upper case of a code page 1250 byte, letters with diacritics included
 * (č -> Č, ľ -> Ľ, ô -> Ô); a byte without an upper-case letter stays. */
static char velke(char znak)
{
    static const unsigned char male[] = {0x9A, 0x9C, 0x9D, 0x9E, 0x9F, 0xB3, 0xB9, 0xBA, 0xBE, 0xBF};
    static const unsigned char velke_[] = {0x8A, 0x8C, 0x8D, 0x8E, 0x8F, 0xA3, 0xA5, 0xAA, 0xBC, 0xAF};
    const unsigned char z = (unsigned char)znak;
    if ((z >= 'a' && z <= 'z') || (z >= 0xE0 && z <= 0xFE && z != 0xF7)) return (char)(z - 0x20);
    for (size_t i = 0; i < sizeof male; ++i)
        if (z == male[i]) return (char)velke_[i];
    return znak;
}

/* Line 5: the balance stands from the second byte after the first colon up
 * to the fifth-last byte (a blank and the currency code end the line). Its
 * blanks are thousands separators, and the byte before its last two digits
 * is the decimal separator, whatever it is. Answers 0 when it is no number
 * or needs more than 14 digits. */
static int pociatocny_zostatok(Usek r, long long* zostatok)
{
    const char* dvojbodka = memchr(r.p, ':', r.n);
    if (!dvojbodka || r.n < 4) return 0;
    const size_t od = (size_t)(dvojbodka - r.p) + 2;
    if (od >= r.n - 4) return 0;
    const char* p = r.p + od;
    const char* const e = r.p + r.n - 4;
    size_t bajtov = 0;
    for (const char* q = p; q < e; ++q) bajtov += *q != ' ';
    if (bajtov < 3) return 0;
    /* The number is the bytes without the separator: an optional sign first,
     * then at least one digit. */
    size_t i = 0, cislic = 0;
    int zaporny = 0, velky = 0, prvy = 1;
    unsigned long long hodnota = 0;
    for (; p < e; ++p) {
        if (*p == ' ') continue;
        if (i++ == bajtov - 3) continue;
        if (prvy && (*p == '+' || *p == '-')) {
            zaporny = *p == '-';
        } else if (!cislica(*p)) {
            return 0;
        } else {
            ++cislic;
            if (!velky) hodnota = hodnota * 10 + (unsigned long long)(*p - '0');
            velky = velky || hodnota > (unsigned long long)NAJVIAC;
        }
        prvy = 0;
    }
    if (!cislic || velky) return 0;
    *zostatok = zaporny ? -(long long)hodnota : (long long)hodnota;
    return 1;
}

/* The field from p up to its ";", which must stand before e. */
static const char* koniec_pola(const char* p, const char* e) { return memchr(p, ';', (size_t)(e - p)); }

/* The value of a numeric field filled with "0" on the left; the tests before
 * make sure it fits. */
static char* nulami(char* q, const char* p, const char* e, size_t sirka)
{
    return nuly(q, p, (size_t)(e - p), sirka);
}

/* The statement being built: where its "074" record stands in the buffer and
 * the values it takes. */
typedef struct {
    size_t zaciatok;
    long long pociatocny;
    long long debet;
    long long kredit;
    const char* prvy; /* dd.mm.yyyy of the first transaction, in the export */
    const char* posledny; /* and of the last one */
    unsigned kluc; /* yyyymmdd of the last transaction */
} Stav;

/* A statement closed and waiting to be written. */
typedef struct {
    size_t zaciatok;
    size_t dlzka;
    unsigned kluc;
} Hotovy;

typedef struct {
    Vypis vypis;
    char ucet[16];
    char nazov[20];
    long cislo;
    Stav stav;
    long long debet; /* the file's turnovers and running balance */
    long long kredit;
    long long zostatok;
    Hotovy* hotove;
    size_t hotovych;
    size_t miesta;
} Konverzia;

static char* ddmmrr(char* q, const char* datum)
{
    q[0] = datum[0], q[1] = datum[1], q[2] = datum[3], q[3] = datum[4], q[4] = datum[8], q[5] = datum[9];
    return q + 6;
}

static char* zostatok_so_znamienkom(char* q, long long suma)
{
    q = cislo_nuly(q, (uint64_t)(suma < 0 ? -suma : suma), 14);
    *q = suma < 0 ? '-' : '+';
    return q + 1;
}

static void zacni(Konverzia* k, long long pociatocny)
{
    k->stav = (Stav){.zaciatok = k->vypis.dlzka, .pociatocny = pociatocny};
    miesto(&k->vypis, ZAZNAM);
}

/* Fills the statement's "074" record, numbers it and keeps it for writing. */
static void uzavri(Konverzia* k)
{
    const Stav* s = &k->stav;
    char* q = k->vypis.data + s->zaciatok;
    memcpy(q, "074", 3);
    memcpy(q + 3, k->ucet, 16);
    memcpy(q + 19, k->nazov, 20);
    q = ddmmrr(q + 39, s->prvy);
    q = zostatok_so_znamienkom(q, s->pociatocny);
    q = zostatok_so_znamienkom(q, s->pociatocny + s->kredit - s->debet);
    q = cislo_nuly(q, (uint64_t)s->debet, 14);
    *q++ = '0';
    q = cislo_nuly(q, (uint64_t)s->kredit, 14);
    *q++ = '0';
    q = cislo_nuly(q, (uint64_t)k->cislo, 3);
    q = ddmmrr(q, s->posledny);
    memcpy(q, "FIO           \r\n", 16);

    if (k->hotovych == k->miesta) {
        k->miesta = k->miesta ? 2 * k->miesta : 64;
        k->hotove = realloc(k->hotove, k->miesta * sizeof *k->hotove);
        if (!k->hotove) exit(2);
    }
    k->hotove[k->hotovych++] = (Hotovy){s->zaciatok, k->vypis.dlzka - s->zaciatok, s->kluc};
    if (k->cislo < NAJVYSSIE_CISLO) k->cislo++;
}

/* Tests one transaction line as the export's record test does, together with
 * what the statement needs of it (digits where it writes digits, an amount of
 * at most 12 digits), and writes its "075" record. Answers 0 when the line
 * is not a valid transaction. */
static int transakcia(Konverzia* k, Usek r, int denne)
{
    const char* const e = r.p + r.n;
    const char* p = memchr(r.p, ';', r.n);
    if (!p || e - ++p < 10) return 0;
    /* The date's parts must be digits; the bytes between them are not read. */
    const char* const datum = p;
    if (!cislica(p[0]) || !cislica(p[1]) || !cislica(p[3]) || !cislica(p[4]) || !cislice(p + 6, p + 10))
        return 0;
    const unsigned kluc =
        (unsigned)((((p[6] - '0') * 10 + p[7] - '0') * 10 + p[8] - '0') * 10 + p[9] - '0') * 10000u
        + (unsigned)(((p[3] - '0') * 10 + p[4] - '0') * 100 + (p[0] - '0') * 10 + p[1] - '0');
    /* The byte after the date is skipped whatever it is. */
    p = e - p > 10 ? p + 11 : e;

    /* Objem: a "-" for a debit, the units, a comma, two decimals and one byte more. */
    const int debet = p < e && *p == '-';
    p += debet;
    const char* const jednotky = p;
    while (p < e && cislica(*p)) ++p;
    const char* const ciarka = p;
    if (e - ciarka < 4 || *ciarka != ',' || !cislica(ciarka[1]) || !cislica(ciarka[2])
        || ciarka - jednotky > 10)
        return 0;
    long long suma = 0;
    for (const char* q = jednotky; q < ciarka; ++q) suma = suma * 10 + (*q - '0');
    suma = suma * 100 + (ciarka[1] - '0') * 10 + (ciarka[2] - '0');
    p = ciarka + 4;

    /* Protiúčet: digits, or a prefix of 1 to 6 digits, "-" and at most 10 digits. */
    const char* const protiucet = p;
    const char* const koniec_uctu = koniec_pola(p, e);
    if (!koniec_uctu) return 0;
    const char* const pomlcka = memchr(protiucet, '-', (size_t)(koniec_uctu - protiucet));
    if (pomlcka ? pomlcka == protiucet || pomlcka - protiucet > 6 || !cislice(protiucet, pomlcka)
                || koniec_uctu - (pomlcka + 1) > 10 || !cislice(pomlcka + 1, koniec_uctu)
                : koniec_uctu - protiucet > 16 || !cislice(protiucet, koniec_uctu))
        return 0;
    /* Bank code, KS, VS and ŠS: digits only, at most 6, 4, 10 and 10 of them. */
    static const size_t sirky[4] = {6, 4, 10, 10};
    const char* symboly[5] = {koniec_uctu + 1};
    for (int i = 0; i < 4; ++i) {
        const char* const koniec = koniec_pola(symboly[i], e);
        if (!koniec || (size_t)(koniec - symboly[i]) > sirky[i] || !cislice(symboly[i], koniec)) return 0;
        symboly[i + 1] = koniec + 1;
    }
    /* Five more fields, the last ";" ending the line. */
    const char* const identifikacia = symboly[4];
    const char* konce[5];
    for (int i = 0; i < 5; ++i)
        if (!(konce[i] = koniec_pola(i ? konce[i - 1] + 1 : identifikacia, e))) return 0;
    if (konce[4] != e - 1) return 0;

    /* The file's turnovers and every balance it runs through bound every
     * statement's sums and balances. */
    if (debet) {
        k->debet += suma;
        k->zostatok -= suma;
    } else {
        k->kredit += suma;
        k->zostatok += suma;
    }
    if (k->debet > NAJVIAC || k->kredit > NAJVIAC || k->zostatok > NAJVIAC || k->zostatok < -NAJVIAC)
        return 0;

    Stav* s = &k->stav;
    if (!s->prvy) {
        s->prvy = datum;
    } else if (denne && kluc != s->kluc) {
        const long long konecny = s->pociatocny + s->kredit - s->debet;
        uzavri(k);
        zacni(k, konecny);
        s->prvy = datum;
    }
    s->posledny = datum;
    s->kluc = kluc;
    *(debet ? &s->debet : &s->kredit) += suma;

    char* q = miesto(&k->vypis, ZAZNAM);
    memcpy(q, "075", 3);
    memcpy(q + 3, k->ucet, 16);
    q += 19;
    if (pomlcka) {
        q = nulami(q, protiucet, pomlcka, 6);
        q = nulami(q, pomlcka + 1, koniec_uctu, 10);
    } else {
        q = nulami(q, protiucet, koniec_uctu, 16);
    }
    memset(q, '0', 13);
    q = cislo_nuly(q + 13, (uint64_t)suma, 12);
    *q++ = debet ? '1' : '2';
    q = nulami(q, symboly[2], symboly[3] - 1, 10);
    q = nulami(q, symboly[0], symboly[1] - 1, 6);
    q = nulami(q, symboly[1], symboly[2] - 1, 4);
    q = nulami(q, symboly[3], symboly[4] - 1, 10);
    q = ddmmrr(q, datum);
    /* The text is Užívateľská identifikácia, or Typ when that is empty. */
    q = konce[0] > identifikacia ? medzery(q, identifikacia, (size_t)(konce[0] - identifikacia), 20)
                                 : medzery(q, konce[0] + 1, (size_t)(konce[1] - konce[0] - 1), 20);
    memcpy(q, "00203", 5);
    q = ddmmrr(q + 5, datum);
    q[0] = '\r', q[1] = '\n';
    return 1;
}

static int porovnaj(const void* a, const void* b)
{
    const unsigned x = *(const unsigned*)a, y = *(const unsigned*)b;
    return (x > y) - (x < y);
}

/* A day that comes back after another one would give a second statement of
 * that day under the same name. */
static int vracia_sa_den(const Hotovy* hotove, size_t n)
{
    size_t i = 1;
    while (i < n && hotove[i - 1].kluc < hotove[i].kluc) ++i;
    if (i >= n) return 0;
    unsigned* kluce = malloc(n * sizeof *kluce);
    if (!kluce) exit(2);
    for (i = 0; i < n; ++i) kluce[i] = hotove[i].kluc;
    qsort(kluce, n, sizeof *kluce, porovnaj);
    int vracia = 0;
    for (i = 1; i < n && !vracia; ++i) vracia = kluce[i - 1] == kluce[i];
    free(kluce);
    return vracia;
}

int main(int argc, char** argv)
{
    Volby v;
    citaj_volby(argc, argv, &v);
    const Subor s = nacitaj_subor(v.vstup);
    Citac c = {s.data, s.dlzka, 0, 0};

    Usek h[10];
    for (int i = 0; i < 10; ++i)
        if (!dalsi_riadok(&c, &h[i])) neplatny();
    if (!zacina(h[0], zaciatok1, sizeof zaciatok1 - 1) || h[0].n < 54 || memcmp(h[0].p + 48, "/8330\"", 6)
        || !cislice(h[0].p + 38, h[0].p + 48))
        neplatny();
    for (int i = 0; i < 7; ++i)
        if (!zacina(h[i + 1], zaciatky[i], strlen(zaciatky[i]))) neplatny();
    if (h[8].n != 0 || h[9].n != sizeof stlpce - 1 || memcmp(h[9].p, stlpce, h[9].n)) neplatny();
    long long pociatocny = 0;
    if (!pociatocny_zostatok(h[4], &pociatocny)) neplatny();

    Konverzia k = {.zostatok = pociatocny};
    k.cislo = v.cislo < 1 ? 1 : v.cislo > NAJVYSSIE_CISLO ? NAJVYSSIE_CISLO : v.cislo;
    nuly(k.ucet, h[0].p + 38, 10, 16);
    /* The holder's name stands after "Majiteľ účtu: " up to the first comma. */
    const char* const meno = h[1].p + 14;
    const char* const ciarka = memchr(meno, ',', h[1].n - 14);
    medzery(k.nazov, meno, ciarka ? (size_t)(ciarka - meno) : 0, 20);
    for (int i = 0; i < 20; ++i) k.nazov[i] = velke(k.nazov[i]);

    const size_t transakcii = s.dlzka / NAJKRATSI_RIADOK + 1;
    vypis_rezervuj(&k.vypis, ZAZNAM + transakcii * ZAZNAM * (v.denne ? 2 : 1));
    zacni(&k, pociatocny);

    /* A line is a transaction once two further lines follow it. */
    Usek a, b, dalsi;
    if (!dalsi_riadok(&c, &a) || !dalsi_riadok(&c, &b) || !dalsi_riadok(&c, &dalsi)) neplatny();
    do {
        if (!transakcia(&k, a, v.denne)) neplatny();
        a = b;
        b = dalsi;
    } while (dalsi_riadok(&c, &dalsi));
    if (!zacina(a, riadok_sumy, sizeof riadok_sumy - 1)) neplatny();
    uzavri(&k);
    if (v.denne && vracia_sa_den(k.hotove, k.hotovych)) neplatny();

    for (size_t i = 0; i < k.hotovych; ++i) {
        char datum[8], nazov[4096];
        cislo_nuly(datum, k.hotove[i].kluc, 8);
        meno_vypisu(nazov, sizeof nazov, v.vstup, 4, datum, ".gpc");
        zapis_vypis(v.vystup, nazov, k.vypis.data + k.hotove[i].zaciatok, k.hotove[i].dlzka);
    }
    return 0;
}
