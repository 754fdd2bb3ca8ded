/* The reference converter of Format 4: an ISO 20022 bank-to-customer
 * statement (camt.053, XML in UTF-8) to ABO statements (*.gpc).
 *
 * One walk over the text. The markup is read by hand, byte for byte as the
 * program's XML reader takes it: the same well-formedness, the same limits
 * (nesting, text and tag lengths), the same escapes, and an element's value
 * is its first text. The UTF-8 check follows the walk a block behind, over
 * bytes still in the cache. Each element gets a role from its parent's role
 * and its local name (the first child of a name, where only the first
 * counts), and the value of an element with a role is read from its first
 * text.
 *
 * Entries: each transaction of an entry writes its "075" item into a fixed
 * 130-byte block of the statement buffer (128 bytes and CR LF) when it
 * closes; the entry's own values (status, direction, dates, the text of
 * its last resort) are put in when the entry closes, and a batch entry
 * that does not split keeps only its first block. The blocks stand behind
 * a free block for the statement's "074" record, and with daily statements
 * every new booking day opens with one more free block. A file whose
 * entries are not in booking-date order is laid out once more at the end,
 * in order.
 *
 * Refused besides what the file test refuses (status 1, nothing written):
 * UTF-16 files; an entry before the statement's account, or before the
 * balance that gives the statement's currency; the XML declaration written
 * in a way the program's reader would take apart in other places than this
 * one (a "<" inside it, a value quoted past its end). Files of the camt.053
 * schema never do either. An entry whose direction follows its
 * transactions is read a second time, with the direction known. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "referencia.h"

enum { ZAZNAM = 130, NAJVIAC_VNORENIA = 64, DLZKA_TEXTU = 20 };

/* No camt.053 statement nests deeper or holds a longer text or tag. */
#define NAJVIAC_TEXTU ((size_t)1 << 20)
/* An amount has at most 12 digits of hundredths; balances and turnovers 14. */
#define NAJVIAC_SUMA 999999999999LL
#define NAJVIAC_OBRAT 99999999999999LL
/* Every valid date of the years 0 to 9999: no file has more booking days. */
#define NAJVIAC_DNI 3652425u
#define NIKDE ((size_t)-1)

static const char menny_priestor[] = "urn:iso:std:iso:20022:tech:xsd:camt.053.001.";

/* ------------------------------------------------------------------------ */
/* Bytes */

enum { Z_MEDZERA = 1, Z_ZACIATOK_MENA = 2, Z_MENO = 4 };
static unsigned char triedy[256];

static void priprav_triedy(void)
{
    for (int b = 0; b < 256; ++b) {
        const int pismeno =
            (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == '_' || b == ':' || b >= 0x80;
        const int cislica = (b >= '0' && b <= '9') || b == '-' || b == '.';
        triedy[b] = (unsigned char)((b == ' ' || b == '\t' || b == '\n' || b == '\r' ? Z_MEDZERA : 0)
                                    | (pismeno ? Z_ZACIATOK_MENA | Z_MENO : 0) | (cislica ? Z_MENO : 0));
    }
}

static int medzera(unsigned char b) { return triedy[b] & Z_MEDZERA; }
static int iba_cislice(const unsigned char* t, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (t[i] < '0' || t[i] > '9') return 0;
    return 1;
}

/* A value as its element holds it: the bytes of code 32 and below are trimmed at both ends. */
static void orez(const unsigned char** t, size_t* n)
{
    while (*n && (*t)[0] <= 32) ++*t, --*n;
    while (*n && (*t)[*n - 1] <= 32) --*n;
}

/* Code page 1250: the Unicode of its upper half, the five unassigned bytes
 * standing for the control characters of the same value. */
static const uint16_t horna_polovica[128] = {
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
#define NAJVYSSI_ZNAK 0x2122u
/* The byte of each character up to the highest the code page holds, 0 where it has none. */
static unsigned char bajty_znakov[NAJVYSSI_ZNAK + 1];
/* The upper case of each byte, letters with diacritics included. */
static unsigned char velke_bajty[256];

static uint32_t unicode(unsigned char b) { return b < 0x80 ? b : horna_polovica[b - 0x80]; }

static int bajt(uint32_t znak)
{
    if (znak < 0x80) return (int)znak;
    if (znak > NAJVYSSI_ZNAK || bajty_znakov[znak] == 0) return -1;
    return bajty_znakov[znak];
}

static uint32_t velke(uint32_t z)
{
    if (z >= 'a' && z <= 'z') return z - 0x20;
    if (z >= 0xE0 && z <= 0xFE && z != 0xF7) return z - 0x20;
    /* Latin Extended-A: the upper case first in each pair, but in the two
     * runs where the pairs start on an odd code. */
    const int neparne = (z >= 0x139 && z <= 0x148) || (z >= 0x179 && z <= 0x17E);
    if (z >= 0x100 && z <= 0x17F && z != 0x138 && z != 0x149 && z != 0x17F) {
        const int male = neparne ? (z % 2 == 0) : (z % 2 == 1);
        return male ? z - 1 : z;
    }
    return z;
}

static void priprav_kodovu_stranku(void)
{
    for (int i = 127; i >= 0; --i) bajty_znakov[horna_polovica[i]] = (unsigned char)(0x80 + i);
    for (int b = 0; b < 256; ++b) {
        const int v = bajt(velke(unicode((unsigned char)b)));
        velke_bajty[b] = (unsigned char)(v >= 0 ? v : b);
    }
}

/* One character of UTF-8 text; a malformed sequence is one unknown character. */
static uint32_t dalsi_znak(const unsigned char* t, size_t n, size_t* i)
{
    const unsigned char prvy = t[(*i)++];
    if (prvy < 0x80) return prvy;
    int dalsie = prvy >= 0xF0 ? 3 : prvy >= 0xE0 ? 2 : prvy >= 0xC0 ? 1 : -1;
    if (dalsie < 0) return 0xFFFD;
    uint32_t znak = prvy & (0x3Fu >> dalsie);
    for (; dalsie > 0; --dalsie) {
        if (*i >= n || (t[*i] & 0xC0) != 0x80) return 0xFFFD;
        znak = (znak << 6) | (t[(*i)++] & 0x3Fu);
    }
    return znak;
}

/* A text of the file for a 20-character field: runs of blanks, line ends
 * and other control characters become one blank, the ends are dropped, at
 * most 20 characters are kept (a C1 control character as "?"), in code page
 * 1250 ("?" for a character it lacks). Answers the length. */
static size_t text_cp1250(const unsigned char* t, size_t n, char* ciel)
{
    unsigned char vyber[256];
    size_t v = 0, znakov = 0, i = 0;
    int treba_medzeru = 0;
#define PRIDAJ(od, kolko)                                                    \
    do {                                                                     \
        size_t k_ = (kolko) < sizeof vyber - v ? (kolko) : sizeof vyber - v; \
        memcpy(vyber + v, (od), k_);                                         \
        v += k_;                                                             \
    } while (0)
    while (i < n && znakov < DLZKA_TEXTU) {
        if (t[i] <= 0x20 || t[i] == 0x7F) {
            treba_medzeru = znakov > 0;
            ++i;
            continue;
        }
        if (znakov + (treba_medzeru ? 1 : 0) >= DLZKA_TEXTU) break;
        if (treba_medzeru) {
            PRIDAJ(" ", 1);
            ++znakov;
            treba_medzeru = 0;
        }
        size_t od = i;
        while (i < n && !(t[i] <= 0x20 || t[i] == 0x7F) && znakov < DLZKA_TEXTU) {
            size_t dlzka = 1;
            while (i + dlzka < n && (t[i + dlzka] & 0xC0) == 0x80) ++dlzka;
            if (t[i] == 0xC2 && dlzka == 2 && t[i + 1] < 0xA0) {
                PRIDAJ(t + od, i - od);
                PRIDAJ("?", 1);
                od = i + dlzka;
            }
            ++znakov;
            i += dlzka;
        }
        PRIDAJ(t + od, i - od);
    }
#undef PRIDAJ
    size_t d = 0;
    for (size_t k = 0; k < v && d < DLZKA_TEXTU;) {
        const int b = bajt(dalsi_znak(vyber, v, &k));
        ciel[d++] = b < 0 ? '?' : (char)b;
    }
    return d;
}

/* ------------------------------------------------------------------------ */
/* Values */

/* An amount: digits, optionally "." and one or two digits; its hundredths at most 12 digits. */
static int suma_camt(const unsigned char* t, size_t n, int64_t* suma)
{
    const unsigned char* bodka = memchr(t, '.', n);
    const size_t cele = bodka ? (size_t)(bodka - t) : n;
    const size_t desatinne = bodka ? n - cele - 1 : 0;
    if (cele == 0 || !iba_cislice(t, cele) || (bodka && !iba_cislice(bodka + 1, desatinne))
        || (bodka && (desatinne == 0 || desatinne > 2)))
        return 0;
    size_t nuly = 0;
    while (nuly < cele && t[nuly] == '0') ++nuly;
    if (cele - nuly > 10) return 0;
    int64_t s = 0;
    for (size_t i = nuly; i < cele; ++i) s = s * 10 + (t[i] - '0');
    s *= 100;
    if (desatinne == 1) s += (bodka[1] - '0') * 10;
    if (desatinne == 2) s += (bodka[1] - '0') * 10 + (bodka[2] - '0');
    if (s > NAJVIAC_SUMA) return 0;
    *suma = s;
    return 1;
}

/* yyyy-mm-dd, a real calendar date, as yyyymmdd; 0 for anything else. */
static uint32_t datum(const unsigned char* t, size_t n)
{
    if (n != 10 || t[4] != '-' || t[7] != '-' || !iba_cislice(t, 4) || !iba_cislice(t + 5, 2)
        || !iba_cislice(t + 8, 2))
        return 0;
    const int rok = (t[0] - '0') * 1000 + (t[1] - '0') * 100 + (t[2] - '0') * 10 + (t[3] - '0');
    const int mesiac = (t[5] - '0') * 10 + (t[6] - '0');
    const int den = (t[8] - '0') * 10 + (t[9] - '0');
    static const int dni[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int prestupny = (rok % 4 == 0 && rok % 100 != 0) || rok % 400 == 0;
    if (mesiac < 1 || mesiac > 12 || den < 1) return 0;
    if (den > dni[mesiac - 1] + (mesiac == 2 && prestupny ? 1 : 0)) return 0;
    return (uint32_t)(rok * 10000 + mesiac * 100 + den);
}

/* "DBIT" 1, "CRDT" 0, anything else -1. */
static int indikator(const unsigned char* t, size_t n)
{
    if (n == 4 && !memcmp(t, "DBIT", 4)) return 1;
    if (n == 4 && !memcmp(t, "CRDT", 4)) return 0;
    return -1;
}

/* A Slovak or Czech IBAN, blanks removed and in upper case: "SK" or "CZ",
 * then 22 digits; with `kontrola` its ISO 7064 mod-97 check must hold. */
static int citaj_iban(const unsigned char* t, size_t n, int kontrola, char iban[24])
{
    size_t d = 0;
    for (size_t i = 0; i < n; ++i) {
        char z = (char)t[i];
        if (z == ' ') continue;
        if (d == 24) return 0;
        iban[d++] = z >= 'a' && z <= 'z' ? (char)(z - 32) : z;
    }
    if (d != 24 || !((iban[0] == 'S' && iban[1] == 'K') || (iban[0] == 'C' && iban[1] == 'Z'))
        || !iba_cislice((const unsigned char*)iban + 2, 22))
        return 0;
    if (kontrola) {
        int zvysok = 0;
        for (size_t i = 0; i < 24; ++i) {
            const char z = iban[(i + 4) % 24];
            zvysok =
                z >= 'A' && z <= 'Z' ? (zvysok * 100 + (z - 'A' + 10)) % 97 : (zvysok * 10 + (z - '0')) % 97;
        }
        if (zvysok != 1) return 0;
    }
    return 1;
}

static const char* kod_meny(const char* mena)
{
    static const char kody[][9] = {"EUR00978", "CZK00203", "USD00840", "GBP00826",
                                   "CHF00756", "PLN00985", "HUF00348"};
    for (size_t i = 0; i < sizeof kody / sizeof kody[0]; ++i)
        if (!memcmp(kody[i], mena, 3)) return kody[i] + 3;
    return "00000";
}

static void ddmmrr(char* p, uint32_t d)
{
    cislo_nuly(p, d % 100, 2);
    cislo_nuly(p + 2, d / 100 % 100, 2);
    cislo_nuly(p + 4, d / 10000 % 100, 2);
}

/* ------------------------------------------------------------------------ */
/* The state of the walk */

/* The roles of elements. R_NIC: nothing below it matters but its form. */
enum {
    R_NIC,
    R_KOREN,
    R_BK,
    R_STMT,
    R_ACCT,
    R_ACCT_ID,
    R_ACCT_IBAN,
    R_ACCT_CCY,
    R_OWNR,
    R_OWNR_NM,
    R_OWNR_PTY,
    R_OWNR_PTY_NM,
    R_BAL,
    R_BAL_TP,
    R_BAL_CDP,
    R_BAL_CD,
    R_BAL_AMT,
    R_BAL_IND,
    R_NTRY,
    R_N_AMT,
    R_N_IND,
    R_N_STS,
    R_N_STS_CD,
    R_N_BOOKG,
    R_N_VAL,
    R_B_DT,
    R_B_DTTM,
    R_V_DT,
    R_V_DTTM,
    R_N_DTLS,
    R_N_ADDTL,
    R_TX,
    R_T_AMT,
    R_T_AMTDTLS,
    R_T_TXAMT,
    R_T_AMT2,
    R_T_RLTD,
    R_STRANA,
    R_STRANA_NM,
    R_STRANA_PTY,
    R_STRANA_PTY_NM,
    R_UCET,
    R_UCET_ID,
    R_UCET_IBAN,
    R_T_REFS,
    R_T_E2E,
    R_T_RMT,
    R_T_USTRD,
    R_T_STRD,
    R_T_CRI,
    R_T_REF,
    POCET_ROL
};

/* The roles whose element's value is read. */
static unsigned char s_hodnotou[POCET_ROL];

static void priprav_roly(void)
{
    static const int roly[] = {
        R_ACCT_IBAN, R_ACCT_CCY, R_OWNR_NM,   R_OWNR_PTY_NM,   R_BAL_CD,    R_BAL_AMT, R_BAL_IND, R_N_AMT,
        R_N_IND,     R_N_STS,    R_N_STS_CD,  R_B_DT,          R_B_DTTM,    R_V_DT,    R_V_DTTM,  R_N_ADDTL,
        R_T_AMT,     R_T_AMT2,   R_STRANA_NM, R_STRANA_PTY_NM, R_UCET_IBAN, R_T_E2E,   R_T_USTRD, R_T_REF};
    for (size_t i = 0; i < sizeof roly / sizeof roly[0]; ++i) s_hodnotou[roly[i]] = 1;
}

typedef struct {
    const unsigned char* meno;
    size_t dlzka;
    uint32_t videne; /* the children of a name of which only the first counts, seen */
    unsigned char rola;
    unsigned char zachyteny; /* its value (its first text) was read */
    unsigned char najviac_dvojbodka; /* its name and its ancestors' have at most one colon */
} Uzol;

/* An Amt element: the amount and whether its Ccy is the statement's currency. */
typedef struct {
    int pritomna, mena_ok, cita_sa;
    int64_t suma;
} Suma;

/* A balance (Bal) as it closes. */
typedef struct {
    int typ; /* OPBD, PRCD, CLBD or -1 */
    int amt, cita_sa, indikator;
    int64_t suma;
    unsigned char ccy[4];
    size_t ccy_n; /* 4: longer than any currency code */
} Zostatok;
enum { OPBD, PRCD, CLBD };

typedef struct {
    char text[DLZKA_TEXTU];
    size_t n;
} Text;

/* A transaction's details (TxDtls). */
typedef struct {
    Suma amt, amt2;
    int meno_neprazdne;
    Text meno, meno_pty, ustrd;
    int iban_ok;
    char iban[24];
    unsigned char vs[10], ss[10], ks[4];
    size_t vs_n, ss_n, ks_n;
    int ma_vs;
    int ref_najdeny, ref_ok;
    unsigned char ref[10];
    size_t ref_n;
} Detail;

/* A booked entry (Ntry) as it is read. */
typedef struct {
    size_t od; /* its "<" in the text */
    size_t vystup_od; /* its first block */
    int zauctovany;
    Suma amt;
    int smer, smer_hotovy; /* -1 unread, 0 credit, 1 debit; the first CdtDbtInd has closed */
    int bookg, b_dt, b_dttm, val, v_dt, v_dttm;
    uint32_t b_dt_d, b_dttm_d, v_dt_d, v_dttm_d;
    Text addtl;
    size_t detailov; /* its TxDtls */
    int detaily_ok; /* every TxDtls amount reads, and they add up to no more than any amount */
    int64_t detaily_suma;
    int znova; /* a TxDtls closed before the direction was known */
} Zaznam;

/* One statement in the buffer: its "074" block and its items behind it. */
typedef struct {
    size_t od, pocet;
    int64_t debet, kredit;
    uint32_t prvy, posledny;
} Stat;

static struct {
    const unsigned char* t;
    size_t n;
    size_t overene; /* the UTF-8 check stands here */
    Uzol zasobnik[NAJVIAC_VNORENIA];
    size_t hlbka;
    int koren;
    /* the skip back to an entry's start, when it is read a second time */
    size_t skok;
    int znova, znova_smer;

    int pocet_stmt;
    int acct_hotovy, iban_ok;
    char ucet[16];
    unsigned char acct_ccy[4];
    size_t acct_ccy_n;
    int nazov_neprazdny;
    Text nazov, nazov_pty;
    Zostatok bal, zostatky[3];
    int pocet_zostatkov[3];

    int mena_hotova; /* settled at the first entry */
    char mena[3];
    const char* kod;
    Zaznam z;
    Detail d;

    /* the items */
    Vypis vystup;
    uint32_t* datumy;
    size_t polozky, hranica_poloziek;
    Stat* vypisy;
    size_t pocet_vypisov, hranica_vypisov;
    int denne, neusporiadane;
    int64_t debet, kredit;
    /* the running balance from the opening one, its lowest and highest */
    int64_t priebeh, najnizsi, najvyssi;
    /* scratch for a value with escapes */
    unsigned char pomoc[NAJVIAC_TEXTU + 8];
} S;

static void nepodporovany(const char* preco)
{
    fprintf(stderr, "kasamat-ref-camt053: not converted here: %s\n", preco);
    exit(1);
}

/* ------------------------------------------------------------------------ */
/* UTF-8 */

/* Strict UTF-8 (no overlong form, surrogate or code beyond U+10FFFF) of the
 * characters XML allows. Eight plain bytes are tested at once. */
static uint64_t rovne(uint64_t w, uint64_t bajt)
{
    /* High bits set exactly where a byte (below 0x80) equals `bajt`. */
    const uint64_t x = w ^ (bajt * 0x0101010101010101ull);
    return ~(((x & 0x7F7F7F7F7F7F7F7Full) + 0x7F7F7F7F7F7F7F7Full) | x) & 0x8080808080808080ull;
}

static int platne_utf8(const unsigned char* b, size_t n)
{
    const uint64_t vysoke = 0x8080808080808080ull, nizke = 0x7F7F7F7F7F7F7F7Full;
    size_t i = 0;
    while (i < n) {
        if (n - i >= 8) {
            uint64_t w;
            memcpy(&w, b + i, 8);
            if (!(w & vysoke)) {
                /* High bits set where a byte is below 0x20: only tab, LF and CR may be. */
                const uint64_t riadiace = ~((w & nizke) + 0x6060606060606060ull) & vysoke;
                if (!riadiace || !(riadiace & ~(rovne(w, '\t') | rovne(w, '\n') | rovne(w, '\r')))) {
                    i += 8;
                    continue;
                }
                return 0;
            }
        }
        const size_t koniec = n - i >= 8 ? i + 8 : n;
        while (i < koniec) {
            const unsigned char prvy = b[i];
            if (prvy < 0x80) {
                if (prvy < 0x20 && prvy != 0x9 && prvy != 0xA && prvy != 0xD) return 0;
                ++i;
                continue;
            }
            size_t dlzka;
            uint32_t znak;
            unsigned char od = 0x80, po = 0xBF;
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
                return 0;
            }
            if (n - i < dlzka || b[i + 1] < od || b[i + 1] > po) return 0;
            for (size_t k = 1; k < dlzka; ++k) {
                if ((b[i + k] & 0xC0) != 0x80) return 0;
                znak = (znak << 6) | (b[i + k] & 0x3Fu);
            }
            if (znak == 0xFFFE || znak == 0xFFFF) return 0;
            i += dlzka;
        }
    }
    return 1;
}

/* Checks the text up to `k`, which stands just behind markup (a ">"), so
 * no character is split. */
static void over_po(size_t k)
{
    if (!platne_utf8(S.t + S.overene, k - S.overene)) neplatny();
    S.overene = k;
}

/* ------------------------------------------------------------------------ */
/* Escapes */

/* A code written as UTF-8 the way the XML reader writes it, any value. */
static size_t utf8(unsigned char* p, uint32_t z)
{
    if (z < 0x80) {
        p[0] = (unsigned char)z;
        return 1;
    }
    if (z < 0x800) {
        p[0] = (unsigned char)(0xC0 | (z >> 6));
        p[1] = (unsigned char)(0x80 | (z & 0x3F));
        return 2;
    }
    if (z < 0x10000) {
        p[0] = (unsigned char)(0xE0 | (z >> 12));
        p[1] = (unsigned char)(0x80 | ((z >> 6) & 0x3F));
        p[2] = (unsigned char)(0x80 | (z & 0x3F));
        return 3;
    }
    p[0] = (unsigned char)(0xF0 | (z >> 18));
    p[1] = (unsigned char)(0x80 | ((z >> 12) & 0x3F));
    p[2] = (unsigned char)(0x80 | ((z >> 6) & 0x3F));
    p[3] = (unsigned char)(0x80 | (z & 0x3F));
    return 4;
}

/* Resolves the five named escapes and character references; anything else
 * after "&" stays as it is. The result is never longer than the text, and
 * it ends at a character reference to 0, as the reader's value does. */
static size_t rozbal(const unsigned char* t, size_t n, unsigned char* ciel)
{
    size_t i = 0, d = 0;
#define ZN(k) ((k) < n ? t[(k)] : 0)
    while (i < n) {
        if (t[i] != '&') {
            ciel[d++] = t[i++];
            continue;
        }
        size_t e = i + 1;
        const char* nahrada = NULL;
        size_t dlzka_nahrady = 0;
        switch (ZN(e)) {
        case '#': {
            uint32_t z = 0;
            if (ZN(e + 1) == 'x') {
                e += 2;
                for (unsigned ch = ZN(e);; ++e, ch = ZN(e)) {
                    if (ch - '0' <= 9u)
                        z = 16 * z + (ch - '0');
                    else if (((ch | ' ') - 'a') <= 5u)
                        z = 16 * z + ((ch | ' ') - 'a' + 10);
                    else if (ch == ';' && e > i + 3)
                        break;
                    else
                        goto ponechaj;
                }
            } else {
                ++e;
                for (unsigned ch = ZN(e);; ++e, ch = ZN(e)) {
                    if (ch - '0' <= 9u)
                        z = 10 * z + (ch - '0');
                    else if (ch == ';' && e > i + 2)
                        break;
                    else
                        goto ponechaj;
                }
            }
            d += utf8(ciel + d, z);
            i = e + 1;
            continue;
        }
        case 'a':
            if (ZN(e + 1) == 'm') {
                if (ZN(e + 2) == 'p' && ZN(e + 3) == ';')
                    nahrada = "&", dlzka_nahrady = 5;
                else
                    e += ZN(e + 2) == 'p' ? 3 : 2;
            } else if (ZN(e + 1) == 'p') {
                if (ZN(e + 2) == 'o' && ZN(e + 3) == 's' && ZN(e + 4) == ';')
                    nahrada = "'", dlzka_nahrady = 6;
                else
                    e += ZN(e + 2) != 'o' ? 2 : ZN(e + 3) != 's' ? 3 : 4;
            } else {
                e += 1;
            }
            break;
        case 'g':
        case 'l':
            if (ZN(e + 1) == 't' && ZN(e + 2) == ';')
                nahrada = ZN(e) == 'g' ? ">" : "<", dlzka_nahrady = 4;
            else
                e += ZN(e + 1) != 't' ? 1 : 2;
            break;
        case 'q':
            if (ZN(e + 1) == 'u' && ZN(e + 2) == 'o' && ZN(e + 3) == 't' && ZN(e + 4) == ';')
                nahrada = "\"", dlzka_nahrady = 6;
            else
                e += ZN(e + 1) != 'u' ? 1 : ZN(e + 2) != 'o' ? 2 : ZN(e + 3) != 't' ? 3 : 4;
            break;
        default: break;
        }
        if (nahrada) {
            ciel[d++] = (unsigned char)nahrada[0];
            i += dlzka_nahrady;
            continue;
        }
    ponechaj:
        /* Not an escape: the bytes read so far stay, and the reading goes on
         * from the one that did not fit. */
        while (i < e && i < n) ciel[d++] = t[i++];
    }
#undef ZN
    const unsigned char* nula = memchr(ciel, 0, d);
    return nula ? (size_t)(nula - ciel) : d;
}

/* The value of a text or attribute: escapes resolved where there are any,
 * then trimmed. */
static void hodnota_textu(const unsigned char* t, size_t n, int escapes, const unsigned char** v, size_t* vn)
{
    if (escapes && memchr(t, '&', n)) {
        *vn = rozbal(t, n, S.pomoc);
        *v = S.pomoc;
    } else {
        *v = t;
        *vn = n;
    }
    orez(v, vn);
}

/* ------------------------------------------------------------------------ */
/* The items */

/* One more block; the room reserved for the file is never exceeded. */
static char* novy_blok(void)
{
    if (S.vystup.dlzka + ZAZNAM > S.vystup.kapacita) {
        fprintf(stderr, "kasamat-ref-camt053: the statement buffer is too small\n");
        exit(2);
    }
    return miesto(&S.vystup, ZAZNAM);
}

/* Writes a TxDtls' item (or an entry's without details) into a new block:
 * all but the entry's values, which its close puts in. Position 61 holds
 * "T" when the item has its text, "P" when it takes the entry's. */
static void zapis_polozku(const Detail* d, const Suma* suma)
{
    char* r = novy_blok();
    memcpy(r, "075", 3);
    memcpy(r + 3, S.ucet, 16);
    if (d && d->iban_ok) {
        memcpy(r + 19, d->iban + 8, 16);
        memcpy(r + 71, "00", 2);
        memcpy(r + 73, d->iban + 4, 4);
    } else {
        memset(r + 19, '0', 16);
        memset(r + 71, '0', 6);
    }
    memset(r + 35, '0', 13);
    cislo_nuly(r + 48, suma ? (uint64_t)suma->suma : 0, 12);
    const Text* text = NULL;
    if (d) {
        const unsigned char* vs = d->vs;
        size_t vs_n = d->vs_n;
        if (!d->ma_vs && d->ref_ok) vs = d->ref, vs_n = d->ref_n;
        nuly(r + 61, (const char*)vs, vs_n, 10);
        nuly(r + 77, (const char*)d->ks, d->ks_n, 4);
        nuly(r + 81, (const char*)d->ss, d->ss_n, 10);
        if (d->ustrd.n)
            text = &d->ustrd;
        else if (d->meno_neprazdne ? d->meno.n : d->meno_pty.n)
            text = d->meno_neprazdne ? &d->meno : &d->meno_pty;
    } else {
        memset(r + 61, '0', 10);
        memset(r + 77, '0', 14);
    }
    r[60] = text ? 'T' : 'P';
    medzery(r + 97, text ? text->text : "", text ? text->n : 0, 20);
    memcpy(r + 117, S.kod, 5);
    r[128] = '\r';
    r[129] = '\n';
}

static Stat* novy_vypis(size_t od, uint32_t datum)
{
    Stat* v = &S.vypisy[S.pocet_vypisov++];
    *v = (Stat){od, 0, 0, 0, datum, datum};
    return v;
}

/* Items out of booking-date order: the free blocks go, and the blocks are
 * laid out in order when the file has been read. */
static void bez_medzier(size_t od, size_t pocet)
{
    size_t kam = 0;
    for (size_t i = 0; i < S.pocet_vypisov; ++i) {
        memmove(S.vystup.data + kam, S.vystup.data + S.vypisy[i].od + ZAZNAM, S.vypisy[i].pocet * ZAZNAM);
        kam += S.vypisy[i].pocet * ZAZNAM;
    }
    memmove(S.vystup.data + kam, S.vystup.data + od, pocet * ZAZNAM);
    S.vystup.dlzka = kam + pocet * ZAZNAM;
    S.pocet_vypisov = 0;
    S.neusporiadane = 1;
}

/* Places an entry's blocks (from `od`, all of one booking date) in its
 * statement. */
static void umiestni(size_t od, size_t pocet, uint32_t datum, int64_t suma, int debet)
{
    if (!S.neusporiadane) {
        Stat* v = S.pocet_vypisov ? &S.vypisy[S.pocet_vypisov - 1] : novy_vypis(0, datum);
        if (datum < v->posledny) {
            bez_medzier(od, pocet);
        } else if (S.denne && datum != v->posledny) {
            novy_blok();
            memmove(S.vystup.data + od + ZAZNAM, S.vystup.data + od, pocet * ZAZNAM);
            v = novy_vypis(od, datum);
        }
        if (!S.neusporiadane) {
            v->pocet += pocet;
            *(debet ? &v->debet : &v->kredit) += suma;
            v->posledny = datum;
            /* Every item of an entry goes the same way: the balance between
             * them lies between the balances before and after the entry. */
            S.priebeh += debet ? -suma : suma;
            if (S.priebeh < S.najnizsi) S.najnizsi = S.priebeh;
            if (S.priebeh > S.najvyssi) S.najvyssi = S.priebeh;
        }
    }
    for (size_t i = 0; i < pocet; ++i) S.datumy[S.polozky++] = datum;
}

/* ------------------------------------------------------------------------ */
/* The statement's currency: the account's Ccy, else that of the opening
 * balance's amount (OPBD, else PRCD). `konecna`: no balance can follow. */
static int mena_vypisu(unsigned char* mena, size_t* n, int konecna)
{
    if (S.acct_ccy_n) {
        memcpy(mena, S.acct_ccy, 4);
        *n = S.acct_ccy_n;
        return 1;
    }
    const int i = S.pocet_zostatkov[OPBD] ? OPBD : PRCD;
    if (!konecna
        && !(S.pocet_zostatkov[OPBD] == 1 || (S.pocet_zostatkov[OPBD] == 0 && S.pocet_zostatkov[PRCD] == 1)))
        return 0;
    *n = S.zostatky[i].amt ? S.zostatky[i].ccy_n : 0;
    memcpy(mena, S.zostatky[i].ccy, 4);
    return 1;
}

static int mena3(const unsigned char* m, size_t n)
{
    return n == 3 && m[0] >= 'A' && m[0] <= 'Z' && m[1] >= 'A' && m[1] <= 'Z' && m[2] >= 'A' && m[2] <= 'Z';
}

static void usad_menu(void)
{
    unsigned char mena[4];
    size_t n;
    if (!S.acct_hotovy) nepodporovany("an entry before the statement's account");
    if (!mena_vypisu(mena, &n, 0)) nepodporovany("an entry before the balance that names the currency");
    if (!mena3(mena, n)) {
        /* Final unless a PRCD balance gave it and an OPBD one may follow. */
        if (S.acct_ccy_n || S.pocet_zostatkov[OPBD]) neplatny();
        nepodporovany("an entry before the balance that names the currency");
    }
    memcpy(S.mena, mena, 3);
    S.kod = kod_meny(S.mena);
    S.mena_hotova = 1;
}

static void suma_otvor(Suma* s, const unsigned char* ccy, size_t ccy_n, int ma_ccy)
{
    s->pritomna = 1;
    s->mena_ok = ma_ccy && ccy_n == 3 && !memcmp(ccy, S.mena, 3);
    s->cita_sa = 0;
}

static void detail_koniec(void)
{
    Zaznam* z = &S.z;
    const Detail* d = &S.d;
    const Suma* s = d->amt.pritomna ? &d->amt : &d->amt2;
    const int ok = s->pritomna && s->mena_ok && s->cita_sa;
    const size_t k = z->detailov++;
    z->detaily_ok = (k == 0 || z->detaily_ok) && ok;
    if (ok) {
        z->detaily_suma += s->suma;
        /* No entry's amount is larger: such details never split it. */
        if (z->detaily_suma > NAJVIAC_SUMA) z->detaily_ok = 0;
    }
    if (k == 0 || z->detaily_ok) zapis_polozku(d, ok ? s : NULL);
}

static void zaznam_zaciatok(size_t i)
{
    if (!S.mena_hotova) usad_menu();
    memset(&S.z, 0, sizeof S.z);
    S.z.od = i;
    S.z.vystup_od = S.vystup.dlzka;
    S.z.smer = S.znova ? S.znova_smer : -1;
    S.z.smer_hotovy = S.znova;
}

static void zaznam_koniec(void)
{
    Zaznam* z = &S.z;
    if (!z->zauctovany) {
        S.vystup.dlzka = z->vystup_od;
        return;
    }
    const uint32_t zauctovanie = !z->bookg ? 0 : z->b_dt ? z->b_dt_d : z->b_dttm ? z->b_dttm_d : 0;
    const uint32_t valuta = !z->val ? zauctovanie : z->v_dt ? z->v_dt_d : z->v_dttm ? z->v_dttm_d : 0;
    if (!z->amt.pritomna || !z->amt.mena_ok || !z->amt.cita_sa || z->smer < 0 || !zauctovanie || !valuta)
        neplatny();
    if (z->znova && !S.znova) {
        /* The direction came after the details that it chooses the
         * counterparty of: the entry is read again, knowing it. */
        S.vystup.dlzka = z->vystup_od;
        S.znova = 1;
        S.znova_smer = z->smer;
        S.skok = z->od;
        return;
    }
    S.znova = 0;
    const int rozdeleny = z->detailov >= 2 && z->detaily_ok && z->detaily_suma == z->amt.suma;
    size_t pocet = 1;
    if (rozdeleny) {
        pocet = z->detailov;
    } else {
        if (z->detailov == 0) zapis_polozku(NULL, NULL);
        S.vystup.dlzka = z->vystup_od + ZAZNAM;
        cislo_nuly(S.vystup.data + z->vystup_od + 48, (uint64_t)z->amt.suma, 12);
    }
    for (size_t k = 0; k < pocet; ++k) {
        char* r = S.vystup.data + z->vystup_od + k * ZAZNAM;
        if (r[60] == 'P') medzery(r + 97, z->addtl.text, z->addtl.n, 20);
        r[60] = z->smer ? '1' : '2';
        ddmmrr(r + 91, valuta);
        ddmmrr(r + 122, zauctovanie);
    }
    /* The turnovers stop here long before they could wrap. */
    int64_t* obrat = z->smer ? &S.debet : &S.kredit;
    *obrat += z->amt.suma;
    if (*obrat > NAJVIAC_OBRAT) neplatny();
    umiestni(z->vystup_od, pocet, zauctovanie, z->amt.suma, z->smer);
}

/* ------------------------------------------------------------------------ */
/* Roles */

/* Names are short: compared in place, without a call. */
static int je(const unsigned char* m, size_t n, const char* meno)
{
    for (size_t k = 0; k < n; ++k)
        if (m[k] != (unsigned char)meno[k]) return 0;
    return meno[n] == 0;
}

/* The role of a child element (its local name `m`) of `r`. */
static int rola_dietata(Uzol* r, const unsigned char* m, size_t n)
{
    /* Only the first child of a name counts; `bit` marks it seen. */
#define PRVE(meno, bit, rola)                        \
    if (je(m, n, meno)) {                            \
        if (r->videne & (1u << (bit))) return R_NIC; \
        r->videne |= 1u << (bit);                    \
        return rola;                                 \
    }
#define KAZDE(meno, rola) \
    if (je(m, n, meno)) return rola;
    switch (r->rola) {
    case R_KOREN: KAZDE("BkToCstmrStmt", R_BK) break;
    case R_BK: KAZDE("Stmt", R_STMT) break;
    case R_STMT:
        PRVE("Acct", 0, R_ACCT)
        KAZDE("Bal", R_BAL)
        KAZDE("Ntry", R_NTRY)
        break;
    case R_ACCT:
        PRVE("Id", 0, R_ACCT_ID)
        PRVE("Ccy", 1, R_ACCT_CCY)
        PRVE("Ownr", 2, R_OWNR)
        break;
    case R_ACCT_ID: PRVE("IBAN", 0, R_ACCT_IBAN) break;
    case R_OWNR:
        PRVE("Nm", 0, R_OWNR_NM)
        PRVE("Pty", 1, R_OWNR_PTY)
        break;
    case R_OWNR_PTY: PRVE("Nm", 0, R_OWNR_PTY_NM) break;
    case R_BAL:
        PRVE("Tp", 0, R_BAL_TP)
        PRVE("Amt", 1, R_BAL_AMT)
        PRVE("CdtDbtInd", 2, R_BAL_IND)
        break;
    case R_BAL_TP: PRVE("CdOrPrtry", 0, R_BAL_CDP) break;
    case R_BAL_CDP: PRVE("Cd", 0, R_BAL_CD) break;
    case R_NTRY:
        PRVE("Amt", 0, R_N_AMT)
        PRVE("CdtDbtInd", 1, R_N_IND)
        PRVE("Sts", 2, R_N_STS)
        PRVE("BookgDt", 3, R_N_BOOKG)
        PRVE("ValDt", 4, R_N_VAL)
        PRVE("AddtlNtryInf", 5, R_N_ADDTL)
        KAZDE("NtryDtls", R_N_DTLS)
        break;
    case R_N_STS: PRVE("Cd", 0, R_N_STS_CD) break;
    case R_N_BOOKG:
        PRVE("Dt", 0, R_B_DT)
        PRVE("DtTm", 1, R_B_DTTM)
        break;
    case R_N_VAL:
        PRVE("Dt", 0, R_V_DT)
        PRVE("DtTm", 1, R_V_DTTM)
        break;
    case R_N_DTLS: KAZDE("TxDtls", R_TX) break;
    case R_TX:
        PRVE("Amt", 0, R_T_AMT)
        PRVE("AmtDtls", 1, R_T_AMTDTLS)
        PRVE("RltdPties", 2, R_T_RLTD)
        PRVE("Refs", 3, R_T_REFS)
        PRVE("RmtInf", 4, R_T_RMT)
        break;
    case R_T_AMTDTLS: PRVE("TxAmt", 0, R_T_TXAMT) break;
    case R_T_TXAMT: PRVE("Amt", 0, R_T_AMT2) break;
    case R_T_RLTD:
        /* The counterparty: who paid a credit, who was paid a debit. */
        if (S.z.smer == 1) {
            PRVE("Cdtr", 0, R_STRANA)
            PRVE("CdtrAcct", 1, R_UCET)
        } else {
            PRVE("Dbtr", 0, R_STRANA)
            PRVE("DbtrAcct", 1, R_UCET)
        }
        break;
    case R_STRANA:
        PRVE("Nm", 0, R_STRANA_NM)
        PRVE("Pty", 1, R_STRANA_PTY)
        break;
    case R_STRANA_PTY: PRVE("Nm", 0, R_STRANA_PTY_NM) break;
    case R_UCET: PRVE("Id", 0, R_UCET_ID) break;
    case R_UCET_ID: PRVE("IBAN", 0, R_UCET_IBAN) break;
    case R_T_REFS: PRVE("EndToEndId", 0, R_T_E2E) break;
    case R_T_RMT:
        PRVE("Ustrd", 0, R_T_USTRD)
        KAZDE("Strd", R_T_STRD)
        break;
    case R_T_STRD: PRVE("CdtrRefInf", 0, R_T_CRI) break;
    case R_T_CRI:
        /* The reference of the first Strd that has one. */
        if (S.d.ref_najdeny) break;
        PRVE("Ref", 0, R_T_REF)
        break;
    default: break;
    }
#undef PRVE
#undef KAZDE
    return R_NIC;
}

/* What an element does when it opens; `atr` is the value of its one
 * attribute that matters (Ccy of an amount), trimmed, when it has it. */
static void otvor(int rola, size_t i, const unsigned char* atr, size_t atr_n, int ma_atr)
{
    switch (rola) {
    case R_STMT:
        if (++S.pocet_stmt > 1) neplatny();
        break;
    case R_BAL:
        memset(&S.bal, 0, sizeof S.bal);
        S.bal.typ = -1;
        S.bal.indikator = -1;
        break;
    case R_BAL_AMT:
        S.bal.amt = 1;
        S.bal.ccy_n = ma_atr ? (atr_n > 3 ? 4 : atr_n) : 0;
        if (ma_atr) memcpy(S.bal.ccy, atr, S.bal.ccy_n > 3 ? 3 : S.bal.ccy_n);
        break;
    case R_NTRY: zaznam_zaciatok(i); break;
    case R_N_AMT: suma_otvor(&S.z.amt, atr, atr_n, ma_atr); break;
    case R_N_BOOKG: S.z.bookg = 1; break;
    case R_N_VAL: S.z.val = 1; break;
    case R_B_DT: S.z.b_dt = 1; break;
    case R_B_DTTM: S.z.b_dttm = 1; break;
    case R_V_DT: S.z.v_dt = 1; break;
    case R_V_DTTM: S.z.v_dttm = 1; break;
    case R_TX:
        memset(&S.d, 0, sizeof S.d);
        if (!S.z.smer_hotovy) S.z.znova = 1;
        break;
    case R_T_AMT: suma_otvor(&S.d.amt, atr, atr_n, ma_atr); break;
    case R_T_AMT2: suma_otvor(&S.d.amt2, atr, atr_n, ma_atr); break;
    case R_T_REF: S.d.ref_najdeny = 1; break;
    default: break;
    }
}

static void zatvor(int rola)
{
    switch (rola) {
    case R_ACCT:
        /* The first Acct holds the statement's own account. */
        if (!S.iban_ok) neplatny();
        S.acct_hotovy = 1;
        break;
    case R_BAL:
        if (S.bal.typ >= 0) {
            S.zostatky[S.bal.typ] = S.bal;
            ++S.pocet_zostatkov[S.bal.typ];
        }
        break;
    case R_N_IND: S.z.smer_hotovy = 1; break;
    case R_TX: detail_koniec(); break;
    case R_NTRY: zaznam_koniec(); break;
    default: break;
    }
}

/* The symbol after a tag of the EndToEndId: its digits up to the next "/". */
static size_t symbol(const unsigned char* e, size_t n, const char* znacka, size_t najviac,
                     unsigned char* ciel)
{
    for (size_t i = 0; i + 3 <= n; ++i) {
        if (memcmp(e + i, znacka, 3)) continue;
        const unsigned char* z = e + i + 3;
        const size_t zn = n - i - 3;
        const unsigned char* lomka = memchr(z, '/', zn);
        const size_t d = lomka ? (size_t)(lomka - z) : zn;
        if (d == 0 || d > najviac || !iba_cislice(z, d)) return 0;
        memcpy(ciel, z, d);
        return d;
    }
    return 0;
}

/* An element's value (trimmed). */
static void hodnota(int rola, const unsigned char* v, size_t n)
{
    switch (rola) {
    case R_ACCT_IBAN: {
        char iban[24];
        S.iban_ok = citaj_iban(v, n, 1, iban);
        if (S.iban_ok) memcpy(S.ucet, iban + 8, 16);
        break;
    }
    case R_ACCT_CCY:
        S.acct_ccy_n = n > 3 ? 4 : n;
        memcpy(S.acct_ccy, v, n > 3 ? 3 : n);
        break;
    case R_OWNR_NM:
        S.nazov_neprazdny = n > 0;
        S.nazov.n = text_cp1250(v, n, S.nazov.text);
        break;
    case R_OWNR_PTY_NM: S.nazov_pty.n = text_cp1250(v, n, S.nazov_pty.text); break;
    case R_BAL_CD:
        S.bal.typ = n != 4          ? -1
            : !memcmp(v, "OPBD", 4) ? OPBD
            : !memcmp(v, "PRCD", 4) ? PRCD
            : !memcmp(v, "CLBD", 4) ? CLBD
                                    : -1;
        break;
    case R_BAL_AMT: S.bal.cita_sa = suma_camt(v, n, &S.bal.suma); break;
    case R_BAL_IND: S.bal.indikator = indikator(v, n); break;
    case R_N_AMT: S.z.amt.cita_sa = suma_camt(v, n, &S.z.amt.suma); break;
    case R_N_IND:
        if (!S.znova) S.z.smer = indikator(v, n);
        break;
    case R_N_STS:
    case R_N_STS_CD:
        if (n == 4 && !memcmp(v, "BOOK", 4)) S.z.zauctovany = 1;
        break;
    case R_B_DT: S.z.b_dt_d = datum(v, n); break;
    case R_B_DTTM: S.z.b_dttm_d = datum(v, n < 10 ? n : 10); break;
    case R_V_DT: S.z.v_dt_d = datum(v, n); break;
    case R_V_DTTM: S.z.v_dttm_d = datum(v, n < 10 ? n : 10); break;
    case R_N_ADDTL: S.z.addtl.n = text_cp1250(v, n, S.z.addtl.text); break;
    case R_T_AMT: S.d.amt.cita_sa = suma_camt(v, n, &S.d.amt.suma); break;
    case R_T_AMT2: S.d.amt2.cita_sa = suma_camt(v, n, &S.d.amt2.suma); break;
    case R_STRANA_NM:
        S.d.meno_neprazdne = n > 0;
        S.d.meno.n = text_cp1250(v, n, S.d.meno.text);
        break;
    case R_STRANA_PTY_NM: S.d.meno_pty.n = text_cp1250(v, n, S.d.meno_pty.text); break;
    case R_UCET_IBAN: S.d.iban_ok = citaj_iban(v, n, 0, S.d.iban); break;
    case R_T_E2E: {
        S.d.vs_n = symbol(v, n, "/VS", 10, S.d.vs);
        S.d.ss_n = symbol(v, n, "/SS", 10, S.d.ss);
        S.d.ks_n = symbol(v, n, "/KS", 4, S.d.ks);
        S.d.ma_vs = 0;
        for (size_t i = 0; i + 3 <= n && !S.d.ma_vs; ++i) S.d.ma_vs = !memcmp(v + i, "/VS", 3);
        break;
    }
    case R_T_USTRD: S.d.ustrd.n = text_cp1250(v, n, S.d.ustrd.text); break;
    case R_T_REF:
        S.d.ref_ok = n >= 1 && n <= 10 && iba_cislice(v, n);
        if (S.d.ref_ok) memcpy(S.d.ref, v, n), S.d.ref_n = n;
        break;
    default: break;
    }
}

/* The first text of the top element is its value. */
static void zachyt(Uzol* u, size_t od, size_t po, int escapes)
{
    const unsigned char* v;
    size_t n;
    u->zachyteny = 1;
    hodnota_textu(S.t + od, po - od, escapes, &v, &n);
    hodnota(u->rola, v, n);
}

/* ------------------------------------------------------------------------ */
/* Markup */

static size_t najdi(size_t od, const char* co)
{
    const size_t d = strlen(co);
    while (od + d <= S.n) {
        const unsigned char* p = memchr(S.t + od, co[0], S.n - od - d + 1);
        if (!p) return NIKDE;
        const size_t k = (size_t)(p - S.t);
        if (!memcmp(p, co, d)) return k;
        od = k + 1;
    }
    return NIKDE;
}

static int zacina(size_t i, const char* co)
{
    const size_t d = strlen(co);
    return S.n - i >= d && !memcmp(S.t + i, co, d);
}

typedef struct {
    size_t meno_od, meno_do, hodnota_od, hodnota_do;
} Atribut;

/* The next attribute of a tag from *s, or its end: answers 0 with *s on its
 * ">" (*prazdny: "/>"). In the XML declaration `q` stands on the "?" of its
 * "?>", which ends it as "/" would. */
static int atribut(size_t* ps, size_t q, Atribut* a, int* prazdny)
{
    const unsigned char* t = S.t;
    const size_t n = S.n;
    size_t s = *ps;
    while (s < n && medzera(t[s])) ++s;
    if (s >= n) neplatny();
    const unsigned char c = s == q ? '/' : t[s];
    if (triedy[c] & Z_ZACIATOK_MENA) {
        a->meno_od = s;
        while (s < n && (triedy[t[s]] & Z_MENO)) ++s;
        a->meno_do = s;
        if (s >= n) neplatny();
        unsigned char ch = t[s++];
        if (medzera(ch)) {
            while (s < n && medzera(t[s])) ++s;
            if (s >= n) neplatny();
            ch = t[s++];
        }
        if (ch != '=') neplatny();
        while (s < n && medzera(t[s])) ++s;
        if (s >= n || (t[s] != '"' && t[s] != '\'')) neplatny();
        const unsigned char uvodzovka = t[s++];
        const unsigned char* k = memchr(t + s, uvodzovka, n - s);
        if (!k) neplatny();
        if (q != NIKDE && (size_t)(k - t) > q) nepodporovany("an XML declaration quoted past its end");
        a->hodnota_od = s;
        a->hodnota_do = (size_t)(k - t);
        s = a->hodnota_do + 1;
        if (s < n && s != q && (triedy[t[s]] & Z_ZACIATOK_MENA)) neplatny();
        *ps = s;
        return 1;
    }
    if (c == '/') {
        if (s + 1 >= n || t[s + 1] != '>') neplatny();
        *prazdny = 1;
        *ps = s + 1;
        return 0;
    }
    if (c == '>') {
        *prazdny = 0;
        *ps = s;
        return 0;
    }
    neplatny();
    return 0;
}

static int atribut_je(const Atribut* a, const char* meno, size_t d)
{
    return a->meno_do - a->meno_od == d && !memcmp(S.t + a->meno_od, meno, d);
}

/* The value of an attribute, escapes resolved (not trimmed). */
static void hodnota_atributu(const Atribut* a, const unsigned char** v, size_t* n)
{
    const size_t d = a->hodnota_do - a->hodnota_od;
    if (d > NAJVIAC_TEXTU) neplatny(); /* its tag is longer than any statement's */
    if (memchr(S.t + a->hodnota_od, '&', d)) {
        *n = rozbal(S.t + a->hodnota_od, d, S.pomoc);
        *v = S.pomoc;
    } else {
        *v = S.t + a->hodnota_od;
        *n = d;
    }
}

/* The XML declaration: version 1.0, and UTF-8 if it names an encoding. */
static void deklaracia(size_t s, size_t q)
{
    Atribut a;
    int prazdny = 0, verzia = 0, kodovanie = 0;
    while (atribut(&s, q, &a, &prazdny)) {
        const unsigned char* v;
        size_t n;
        if (!verzia && atribut_je(&a, "version", 7)) {
            verzia = 1;
            hodnota_atributu(&a, &v, &n);
            if (n != 3 || memcmp(v, "1.0", 3)) neplatny();
        } else if (!kodovanie && atribut_je(&a, "encoding", 8)) {
            kodovanie = 1;
            hodnota_atributu(&a, &v, &n);
            static const char utf8_meno[] = "utf-8";
            if (n != 5) neplatny();
            for (size_t i = 0; i < 5; ++i)
                if ((v[i] >= 'A' && v[i] <= 'Z' ? v[i] + 32 : v[i]) != utf8_meno[i]) neplatny();
        }
    }
    if (!verzia || !prazdny) neplatny();
    if (s != q + 1 && memchr(S.t + s, '<', q - s)) nepodporovany("markup inside the XML declaration");
}

static size_t spracovanie(size_t i)
{
    size_t s = i + 2;
    if (s >= S.n || !(triedy[S.t[s]] & Z_ZACIATOK_MENA)) neplatny();
    size_t e = s;
    while (e < S.n && (triedy[S.t[e]] & Z_MENO)) ++e;
    if (e >= S.n) neplatny();
    const size_t k = najdi(e, "?>");
    if (k == NIKDE || k - i > NAJVIAC_TEXTU) neplatny();
    if (e - s == 3 && (S.t[s] | 32) == 'x' && (S.t[s + 1] | 32) == 'm' && (S.t[s + 2] | 32) == 'l') {
        /* The declaration only opens the text, in lower case, followed by a blank. */
        if (S.hlbka || S.koren || i != 0 || memcmp(S.t, "<?xml", 5) || !medzera(S.t[e])) neplatny();
        deklaracia(e, k);
    }
    return k + 2;
}

static size_t koncova(size_t i)
{
    if (S.hlbka == 0) neplatny();
    Uzol* u = &S.zasobnik[S.hlbka - 1];
    size_t s = i + 2;
    if (S.n - s < u->dlzka) neplatny();
    for (size_t k = 0; k < u->dlzka; ++k)
        if (S.t[s + k] != u->meno[k]) neplatny();
    s += u->dlzka;
    if (s < S.n && (triedy[S.t[s]] & Z_MENO)) neplatny();
    while (s < S.n && medzera(S.t[s])) ++s;
    if (s >= S.n || S.t[s] != '>') neplatny();
    const int rola = u->rola;
    --S.hlbka;
    zatvor(rola);
    if (S.skok != NIKDE) {
        const size_t skok = S.skok;
        S.skok = NIKDE;
        return skok;
    }
    return s + 1;
}

static size_t zaciatocna(size_t i)
{
    const unsigned char* t = S.t;
    const size_t s = i + 1;
    if (s >= S.n || !(triedy[t[s]] & Z_ZACIATOK_MENA)) neplatny();
    size_t e = s;
    while (e < S.n && (triedy[t[e]] & Z_MENO)) ++e;
    if (e >= S.n) neplatny();
    const unsigned char* meno = t + s;
    const size_t dlzka = e - s;

    Uzol* rodic = S.hlbka ? &S.zasobnik[S.hlbka - 1] : NULL;
    int rola = R_NIC, najviac_dvojbodka = 0;
    /* The name of the one attribute that matters: `chcene`, and for the
     * root's namespace declaration ":" and the element's prefix behind it. */
    const char* chcene = NULL;
    size_t chcene_n = 0, predpona = 0;
    int s_predponou = 0;
    if (!rodic || rodic->rola != R_NIC) {
        /* The local name: after the last colon. */
        const unsigned char* lokalne = meno;
        int dvojbodky = 0;
        for (size_t k = 0; k < dlzka; ++k)
            if (meno[k] == ':') lokalne = meno + k + 1, ++dvojbodky;
        const size_t lokalne_n = (size_t)(meno + dlzka - lokalne);
        najviac_dvojbodka = dvojbodky <= 1;
        if (!rodic) {
            if (S.koren || dvojbodky > 1 || !je(lokalne, lokalne_n, "Document")) neplatny();
            rola = R_KOREN;
            chcene = "xmlns";
            chcene_n = 5;
            s_predponou = dvojbodky;
            predpona = dvojbodky ? (size_t)(lokalne - meno) - 1 : 0;
        } else {
            rola = rola_dietata(rodic, lokalne, lokalne_n);
            /* The entries are those whose names, and their ancestors', have
             * at most one colon. */
            najviac_dvojbodka = najviac_dvojbodka && rodic->najviac_dvojbodka;
            if (rola == R_NTRY && !najviac_dvojbodka) rola = R_NIC;
            if (rola == R_BAL_AMT || rola == R_N_AMT || rola == R_T_AMT || rola == R_T_AMT2) {
                chcene = "Ccy";
                chcene_n = 3;
            }
        }
    }

    size_t koniec;
    int prazdny = 0, ma_atr = 0;
    const unsigned char* atr = NULL;
    size_t atr_n = 0;
    if (t[e] == '>') {
        koniec = e;
    } else if (t[e] == '/') {
        if (e + 1 >= S.n || t[e + 1] != '>') neplatny();
        koniec = e + 1;
        prazdny = 1;
    } else if (medzera(t[e])) {
        size_t p = e + 1;
        Atribut a;
        while (atribut(&p, NIKDE, &a, &prazdny)) {
            if (!chcene || ma_atr) continue;
            const size_t d = a.meno_do - a.meno_od;
            const unsigned char* m = t + a.meno_od;
            const int zhoda = s_predponou ? d == chcene_n + 1 + predpona && !memcmp(m, chcene, chcene_n)
                    && m[chcene_n] == ':' && !memcmp(m + chcene_n + 1, meno, predpona)
                                          : d == chcene_n && !memcmp(m, chcene, chcene_n);
            if (zhoda) {
                ma_atr = 1;
                hodnota_atributu(&a, &atr, &atr_n);
                if (rola != R_KOREN) orez(&atr, &atr_n);
            }
        }
        koniec = p;
    } else {
        neplatny();
        return 0;
    }
    if (koniec - i > NAJVIAC_TEXTU) neplatny();

    if (rola == R_KOREN) {
        S.koren = 1;
        if (!ma_atr || atr_n < sizeof menny_priestor - 1
            || memcmp(atr, menny_priestor, sizeof menny_priestor - 1))
            neplatny();
    }
    otvor(rola, i, atr, atr_n, ma_atr);
    if (prazdny) {
        zatvor(rola);
    } else {
        if (S.hlbka >= NAJVIAC_VNORENIA) neplatny();
        S.zasobnik[S.hlbka++] =
            (Uzol){meno, dlzka, 0, (unsigned char)rola, 0, (unsigned char)najviac_dvojbodka};
    }
    return koniec + 1;
}

/* Text between markup: whitespace alone outside the root; the first text of
 * an element whose value is read is that value. */
static void text(size_t od, size_t po)
{
    if (S.hlbka == 0) {
        for (size_t k = od; k < po; ++k)
            if (!medzera(S.t[k])) neplatny();
        return;
    }
    Uzol* u = &S.zasobnik[S.hlbka - 1];
    if (!s_hodnotou[u->rola] || u->zachyteny) return;
    for (size_t k = od; k < po; ++k) {
        if (!medzera(S.t[k])) {
            zachyt(u, od, po, 1);
            return;
        }
    }
}

static size_t znacka(size_t i)
{
    const unsigned char c = i + 1 < S.n ? S.t[i + 1] : 0;
    if (c == '!') {
        if (zacina(i, "<!--")) {
            const size_t k = najdi(i + 4, "-->");
            if (k == NIKDE || k - i > NAJVIAC_TEXTU) neplatny();
            return k + 3;
        }
        if (zacina(i, "<![CDATA[")) {
            const size_t k = najdi(i + 9, "]]>");
            if (k == NIKDE || k - i > NAJVIAC_TEXTU || S.hlbka == 0) neplatny();
            Uzol* u = &S.zasobnik[S.hlbka - 1];
            if (s_hodnotou[u->rola] && !u->zachyteny) zachyt(u, i + 9, k, 0);
            return k + 3;
        }
        /* A document type declaration, or no XML. */
        neplatny();
    }
    if (c == '?') return spracovanie(i);
    if (c == '/') return koncova(i);
    return zaciatocna(i);
}

static void citaj_dokument(void)
{
    size_t i = 0;
    for (;;) {
        const unsigned char* lt = i < S.n ? memchr(S.t + i, '<', S.n - i) : NULL;
        const size_t j = lt ? (size_t)(lt - S.t) : S.n;
        if (j - i > NAJVIAC_TEXTU) neplatny();
        if (j > i) text(i, j);
        if (!lt) break;
        i = znacka(j);
        if (i - S.overene >= 65536 && i > S.overene) over_po(i);
    }
    if (S.n > S.overene) over_po(S.n);
    if (S.hlbka || !S.koren) neplatny();
}

/* ------------------------------------------------------------------------ */
/* The statements */

/* The blocks were read out of booking-date order: they are laid out again,
 * in order (stable: file order within a date), into a new buffer. */
static void rozloz(void)
{
    const size_t n = S.polozky;
    uint32_t* poradie = malloc((n ? n : 1) * sizeof *poradie);
    uint32_t* pomocne = malloc((n ? n : 1) * sizeof *pomocne);
    if (!poradie || !pomocne) nepodporovany("no memory to order the entries");
    for (size_t i = 0; i < n; ++i) poradie[i] = (uint32_t)i;
    for (size_t sirka = 1; sirka < n; sirka *= 2) {
        for (size_t od = 0; od < n; od += 2 * sirka) {
            const size_t stred = od + sirka < n ? od + sirka : n,
                         po = od + 2 * sirka < n ? od + 2 * sirka : n;
            size_t a = od, b = stred, k = od;
            while (a < stred && b < po)
                pomocne[k++] = S.datumy[poradie[b]] < S.datumy[poradie[a]] ? poradie[b++] : poradie[a++];
            while (a < stred) pomocne[k++] = poradie[a++];
            while (b < po) pomocne[k++] = poradie[b++];
        }
        uint32_t* x = poradie;
        poradie = pomocne;
        pomocne = x;
    }
    size_t vypisov = n ? 1 : 0;
    if (S.denne)
        for (size_t i = 1; i < n; ++i) vypisov += S.datumy[poradie[i]] != S.datumy[poradie[i - 1]];
    Vypis novy;
    vypis_rezervuj(&novy, (n + vypisov) * ZAZNAM);
    S.pocet_vypisov = 0;
    S.priebeh = S.najnizsi = S.najvyssi = 0;
    Stat* v = NULL;
    for (size_t i = 0; i < n; ++i) {
        const uint32_t datum = S.datumy[poradie[i]];
        if (!v || (S.denne && datum != v->posledny)) {
            v = novy_vypis(novy.dlzka, datum);
            miesto(&novy, ZAZNAM);
        }
        const char* r = S.vystup.data + (size_t)poradie[i] * ZAZNAM;
        memcpy(miesto(&novy, ZAZNAM), r, ZAZNAM);
        int64_t suma = 0;
        for (size_t k = 48; k < 60; ++k) suma = suma * 10 + (r[k] - '0');
        const int debet = r[60] == '1';
        ++v->pocet;
        *(debet ? &v->debet : &v->kredit) += suma;
        v->posledny = datum;
        S.priebeh += debet ? -suma : suma;
        if (S.priebeh < S.najnizsi) S.najnizsi = S.priebeh;
        if (S.priebeh > S.najvyssi) S.najvyssi = S.priebeh;
    }
    free(poradie);
    free(pomocne);
    free(S.vystup.data);
    S.vystup = novy;
}

/* A balance of the statement: its amount in the currency, signed by its indicator. */
static int64_t zostatok(const Zostatok* z)
{
    if (!z->amt || z->ccy_n != 3 || memcmp(z->ccy, S.mena, 3) || !z->cita_sa || z->indikator < 0) neplatny();
    return z->indikator ? -z->suma : z->suma;
}

/* The checks of the statement as a whole, once every entry is read. */
static int64_t skontroluj_vypis(void)
{
    if (S.pocet_stmt != 1 || !S.acct_hotovy) neplatny();
    const int i = S.pocet_zostatkov[OPBD] > 0 ? OPBD : PRCD;
    if (S.pocet_zostatkov[i] != 1 || S.pocet_zostatkov[CLBD] != 1) neplatny();
    unsigned char mena[4];
    size_t n;
    mena_vypisu(mena, &n, 1);
    if (!mena3(mena, n)) neplatny();
    if (S.mena_hotova && memcmp(mena, S.mena, 3))
        nepodporovany("an entry before the balance that names the currency");
    memcpy(S.mena, mena, 3);
    const int64_t pociatocny = zostatok(&S.zostatky[i]);
    const int64_t konecny = zostatok(&S.zostatky[CLBD]);
    /* A statement whose own figures do not add up is not converted. */
    if (S.debet > NAJVIAC_OBRAT || S.kredit > NAJVIAC_OBRAT || pociatocny + S.kredit - S.debet != konecny)
        neplatny();
    if (S.neusporiadane) rozloz();
    /* Every balance the statements run through fits its field. */
    if (pociatocny < -NAJVIAC_OBRAT || pociatocny > NAJVIAC_OBRAT || pociatocny + S.najnizsi < -NAJVIAC_OBRAT
        || pociatocny + S.najvyssi > NAJVIAC_OBRAT)
        neplatny();
    return pociatocny;
}

static void zapis_074(char* p, const Stat* v, int64_t stary, int64_t novy, long cislo)
{
    memcpy(p, "074", 3);
    memcpy(p + 3, S.ucet, 16);
    Text nazov = S.nazov_neprazdny ? S.nazov : S.nazov_pty;
    for (size_t i = 0; i < nazov.n; ++i) nazov.text[i] = (char)velke_bajty[(unsigned char)nazov.text[i]];
    if (nazov.n)
        medzery(p + 19, nazov.text, nazov.n, 20);
    else
        medzery(p + 19, S.mena, 3, 20);
    ddmmrr(p + 39, v->prvy);
    cislo_nuly(p + 45, (uint64_t)(stary < 0 ? -stary : stary), 14);
    p[59] = stary < 0 ? '-' : '+';
    cislo_nuly(p + 60, (uint64_t)(novy < 0 ? -novy : novy), 14);
    p[74] = novy < 0 ? '-' : '+';
    cislo_nuly(p + 75, (uint64_t)v->debet, 14);
    p[89] = '0';
    cislo_nuly(p + 90, (uint64_t)v->kredit, 14);
    p[104] = '0';
    cislo_nuly(p + 105, (uint64_t)cislo, 3);
    ddmmrr(p + 108, v->posledny);
    memset(p + 114, ' ', 14);
    p[128] = '\r';
    p[129] = '\n';
}

int main(int argc, char** argv)
{
    Volby volby;
    citaj_volby(argc, argv, &volby);
    const Subor subor = nacitaj_subor(volby.vstup);
    priprav_triedy();
    priprav_kodovu_stranku();
    priprav_roly();

    const unsigned char* t = (const unsigned char*)subor.data;
    size_t n = subor.dlzka;
    if (n >= 2 && ((t[0] == 0xFF && t[1] == 0xFE) || (t[0] == 0xFE && t[1] == 0xFF)))
        nepodporovany("a UTF-16 file");
    if (n >= 3 && t[0] == 0xEF && t[1] == 0xBB && t[2] == 0xBF) t += 3, n -= 3;
    /* The program reads no text of 4 GiB or more. */
    if (n > UINT32_MAX) neplatny();
    S.t = t;
    S.n = n;
    S.skok = NIKDE;
    S.denne = volby.denne;

    /* Every item is a transaction's details with a readable amount (at
     * least "<TxDtls><Amt Ccy=\"EUR\">1</Amt></TxDtls>", 39 bytes) or an
     * entry without them (longer still), each with bytes of its own, and
     * one more block stands before each statement, of which there is one
     * per file or one per booking day. */
    S.hranica_poloziek = n / 39 + 2;
    S.hranica_vypisov = !S.denne ? 1 : S.hranica_poloziek < NAJVIAC_DNI ? S.hranica_poloziek : NAJVIAC_DNI;
    vypis_rezervuj(&S.vystup, (S.hranica_poloziek + S.hranica_vypisov) * ZAZNAM);
    S.datumy = malloc(S.hranica_poloziek * sizeof *S.datumy);
    S.vypisy = malloc(S.hranica_vypisov * sizeof *S.vypisy);
    if (!S.datumy || !S.vypisy) nepodporovany("no memory for the statement");
    S.vystup.dlzka = ZAZNAM; /* the first statement's "074" block */

    citaj_dokument();
    const int64_t pociatocny = skontroluj_vypis();

    long cislo = volby.cislo < 1 ? 1 : volby.cislo > 999 ? 999 : volby.cislo;
    int64_t zostatok_vypisu = pociatocny;
    for (size_t i = 0; i < S.pocet_vypisov; ++i) {
        const Stat* v = &S.vypisy[i];
        const int64_t novy = zostatok_vypisu + v->kredit - v->debet;
        zapis_074(S.vystup.data + v->od, v, zostatok_vypisu, novy, cislo);
        char datum8[9], meno[4096];
        cislo_nuly(datum8, v->posledny, 8);
        meno_vypisu(meno, sizeof meno, volby.vstup, 4, datum8, ".gpc");
        zapis_vypis(volby.vystup, meno, S.vystup.data + v->od, (v->pocet + 1) * ZAZNAM);
        zostatok_vypisu = novy;
        if (cislo < 999) ++cislo;
    }
    return 0;
}
