#define _POSIX_C_SOURCE 200809L
#include "referencia.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static void zlyhanie(const char* co, const char* cesta)
{
    fprintf(stderr, "%s %s: %s\n", co, cesta, strerror(errno));
    exit(2);
}

void citaj_volby(int argc, char** argv, Volby* v)
{
    *v = (Volby){.ucet = "", .text = "", .cislo = 1};
    for (int i = 1; i + 1 < argc; i += 2) {
        const char *k = argv[i], *h = argv[i + 1];
        if (!strcmp(k, "--input"))
            v->vstup = h;
        else if (!strcmp(k, "--output"))
            v->vystup = h;
        else if (!strcmp(k, "--account"))
            v->ucet = h;
        else if (!strcmp(k, "--text"))
            v->text = h;
        else if (!strcmp(k, "--number"))
            v->cislo = atol(h);
        else if (!strcmp(k, "--periodicity"))
            v->denne = atoi(h) == 1;
        else if (!strcmp(k, "--variable-symbol"))
            v->variabilny = atoi(h);
        else
            v->vstup = NULL, i = argc;
    }
    if (!v->vstup || !v->vystup || argc % 2 == 0) {
        fprintf(stderr,
                "usage: %s --input FILE --output FOLDER [--account A] [--number N] "
                "[--periodicity P] [--variable-symbol V] [--text T]\n",
                argv[0]);
        exit(2);
    }
}

Subor nacitaj_subor(const char* cesta)
{
    const int fd = open(cesta, O_RDONLY);
    struct stat s;
    if (fd < 0 || fstat(fd, &s) != 0) zlyhanie("cannot open", cesta);
    char* data = malloc((size_t)s.st_size + 1);
    size_t precitane = 0;
    while (data && precitane < (size_t)s.st_size) {
        const ssize_t n = read(fd, data + precitane, (size_t)s.st_size - precitane);
        if (n <= 0) zlyhanie("cannot read", cesta);
        precitane += (size_t)n;
    }
    if (!data) zlyhanie("no memory for", cesta);
    close(fd);
    return (Subor){data, precitane};
}

void vypis_rezervuj(Vypis* v, size_t kapacita)
{
    v->data = malloc(kapacita ? kapacita : 1);
    v->dlzka = 0;
    v->kapacita = kapacita;
    if (!v->data) zlyhanie("no memory for", "the statement");
}

void meno_vypisu(char* ciel, size_t velkost, const char* vstup, size_t odrez, const char* datum8,
                 const char* pripona)
{
    const char* lomka = strrchr(vstup, '/');
    const char* meno = lomka ? lomka + 1 : vstup;
    const size_t dlzka = strlen(meno);
    const int zaklad = (int)(dlzka < odrez ? 0 : dlzka - odrez);
    snprintf(ciel, velkost, "%.*s (%.8s)%s", zaklad, meno, datum8, pripona);
}

void zapis_vypis(const char* priecinok, const char* meno, const char* data, size_t dlzka)
{
    char docasny[4096], ciel[4096];
    snprintf(docasny, sizeof docasny, "%s/.ref-%ld.tmp", priecinok, (long)getpid());
    snprintf(ciel, sizeof ciel, "%s/%s", priecinok, meno);
    const int fd = open(docasny, O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) zlyhanie("cannot create", docasny);
    size_t zapisane = 0;
    while (zapisane < dlzka) {
        const ssize_t n = write(fd, data + zapisane, dlzka - zapisane);
        if (n <= 0) zlyhanie("cannot write", docasny);
        zapisane += (size_t)n;
    }
    if (fsync(fd) != 0 || close(fd) != 0 || rename(docasny, ciel) != 0) zlyhanie("cannot write", ciel);
    const int adresar = open(priecinok, O_RDONLY | O_DIRECTORY);
    if (adresar >= 0) {
        fsync(adresar);
        close(adresar);
    }
}

char* nuly(char* p, const char* hodnota, size_t dlzka, size_t sirka)
{
    if (dlzka > sirka) dlzka = sirka;
    memset(p, '0', sirka - dlzka);
    memcpy(p + sirka - dlzka, hodnota, dlzka);
    return p + sirka;
}

char* medzery(char* p, const char* hodnota, size_t dlzka, size_t sirka)
{
    if (dlzka > sirka) dlzka = sirka;
    memcpy(p, hodnota, dlzka);
    memset(p + dlzka, ' ', sirka - dlzka);
    return p + sirka;
}

char* cislo_nuly(char* p, uint64_t hodnota, size_t sirka)
{
    for (size_t i = sirka; i-- > 0; hodnota /= 10) p[i] = (char)('0' + hodnota % 10);
    return p + sirka;
}

char* cislo(char* p, uint64_t hodnota)
{
    char pomoc[20];
    size_t n = 0;
    do pomoc[n++] = (char)('0' + hodnota % 10);
    while (hodnota /= 10);
    while (n) *p++ = pomoc[--n];
    return p;
}

void neplatny(void) { exit(1); }
