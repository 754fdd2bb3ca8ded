/* The common part of the reference converters: careful single-pass
 * converters, one per Format, that the benchmark measures Kasamat against.
 * Each reads one export whole with one read, tests and converts its records
 * in one walk into a statement held whole, and writes every statement with
 * one write into a temporary file that is synced and renamed into place, as
 * Kasamat does. They produce Kasamat's statements byte for byte (bench/run.sh
 * compares them) for one valid export; they are benchmark code, not shipped.
 *
 *   kasamat-ref-<bank> --input FILE --output FOLDER [--account A] [--number N]
 *                      [--periodicity P] [--variable-symbol V] [--text T]
 *
 * Exit status: 0 converted, 1 the file is not a valid export (nothing
 * written), 2 a wrong command line or a failed read or write. */
#ifndef KASAMAT_REFERENCIA_H
#define KASAMAT_REFERENCIA_H

#include <stddef.h>
#include <stdint.h>

typedef struct {
    const char* vstup; /* the export's path */
    const char* vystup; /* the output folder */
    const char* ucet; /* --account, "" when not given (code page 1250 bytes) */
    const char* text; /* --text, "" when not given */
    long cislo; /* --number, 1 when not given */
    int denne; /* --periodicity 1 */
    int variabilny; /* --variable-symbol */
} Volby;

/* Reads the command line; exits with status 2 and a usage line when it is wrong. */
void citaj_volby(int argc, char** argv, Volby* v);

/* The export, read whole with one read. Exits with status 2 on failure. */
typedef struct {
    const char* data;
    size_t dlzka;
} Subor;
Subor nacitaj_subor(const char* cesta);

/* A statement held whole. Its room is reserved once for the largest
 * statement the file can give; miesto() hands out the next n bytes. */
typedef struct {
    char* data;
    size_t dlzka;
    size_t kapacita;
} Vypis;
void vypis_rezervuj(Vypis* v, size_t kapacita);
static inline char* miesto(Vypis* v, size_t n)
{
    char* p = v->data + v->dlzka;
    v->dlzka += n;
    return p;
}

/* The statement's name: `zaklad` (the export's file name without its folder,
 * `odrez` bytes dropped from its end) + " (" + datum + ")" + pripona. */
void meno_vypisu(char* ciel, size_t velkost, const char* vstup, size_t odrez, const char* datum8,
                 const char* pripona);

/* Writes the statement with one write into a temporary file in the folder,
 * syncs it, renames it to `meno` and syncs the folder. Exits with status 2 on
 * failure. */
void zapis_vypis(const char* priecinok, const char* meno, const char* data, size_t dlzka);

/* Field writers. Each writes exactly `sirka` bytes at p and answers p + sirka. */
char* nuly(char* p, const char* hodnota, size_t dlzka, size_t sirka); /* right-aligned, zero-filled */
char* medzery(char* p, const char* hodnota, size_t dlzka, size_t sirka); /* cut or blank-filled */
char* cislo_nuly(char* p, uint64_t hodnota, size_t sirka); /* a number, zero-filled */
/* Appends the decimal digits of a number; answers the end. */
char* cislo(char* p, uint64_t hodnota);

/* The status-1 exit: the file is not a valid export. */
void neplatny(void);

#endif
