// kasamat-bench-window: the window's responsiveness, offscreen.
//   kasamat-bench-window prepare DIR [--tasks N] [--statements N]
//       makes DIR/start, a program folder whose user.dat holds N tasks (200),
//       and DIR/run, one whose single Fio banka task converts N small
//       exports (10 000), one statement each
//   kasamat-bench-window start DIR
//       starts the window on DIR/start; prints the time from the program's
//       entry to the first shown window, then times the validation summary
//   kasamat-bench-window run DIR
//       starts the window on DIR/run, presses "Štart" and ticks a 1 ms timer
//       on the window's thread until the run has ended; prints the longest
//       gap between two ticks

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/aplikacia.h"
#include "app/frm_hlavny.h"
#include "bench/generator.h"
#include "store/citanie_uloh.h"
#include "store/databaza.h"

using namespace kasamat;

namespace {

QElapsedTimer odStartu;

std::string cesta(const QString& priecinok, const char* meno)
{
    return QDir(priecinok).filePath(QString::fromUtf8(meno)).toStdString();
}

bool programovyPriecinok(const QString& priecinok)
{
    QDir().mkpath(priecinok);
    const QString bin = QStringLiteral(KASAMAT_BIN_DIR);
    for (const char* meno : {"default.dat", "release.nfo", "TeamViewerQS_sk.exe"}) {
        const QString ciel = QString::fromStdString(cesta(priecinok, meno));
        QFile::remove(ciel);
        if (!QFile::copy(bin + "/" + meno, ciel)) return false;
    }
    return QFile::copy(QString::fromStdString(cesta(priecinok, "default.dat")),
                       QString::fromStdString(cesta(priecinok, "user.dat")));
}

// Writes the tasks into the program folder's user.dat in one transaction.
bool zapisUlohy(const QString& priecinok, const std::vector<Uloha>& ulohy)
{
    Databaza db;
    if (!db.otvor(cesta(priecinok, "user.dat"))) return false;
    db.SQL("BEGIN;");
    db.SQL("DELETE FROM Ulohy;");
    db.SQL("UPDATE Nastavenia SET Uloha=0;");
    for (std::size_t i = 0; i < ulohy.size(); ++i) {
        const Uloha& u = ulohy[i];
        db.SQL(
            "INSERT INTO Ulohy (ID, Nazov, PriecinokVstup, PriecinokVystup, Format, CisloUctu, CisloVypisu, "
            "Periodicita, VariabilnySymbol, TextPlatby) VALUES ("
            + std::to_string(i) + ", '" + sqlText(u.nazov) + "', '" + sqlText(u.priecinokVstup) + "', '"
            + sqlText(u.priecinokVystup) + "', " + std::to_string(u.format) + ", '" + sqlText(u.cisloUctu)
            + "', " + std::to_string(u.cisloVypisu) + ", 0, 0, '" + sqlText(u.textPlatby) + "');");
    }
    db.SQL("COMMIT;");
    return vyberNazvyUloh(db) == int(ulohy.size());
}

int priprav(const QString& koren, int uloh, int vypisov)
{
    const QString start = koren + "/start";
    const QString beh = koren + "/run";
    if (!programovyPriecinok(start) || !programovyPriecinok(beh)) return 1;

    std::vector<Uloha> ulohy;
    for (int i = 0; i < uloh; ++i) {
        Uloha u;
        u.nazov = "Úloha č. " + std::to_string(i + 1) + " – účtovná jednotka";
        u.priecinokVstup = cesta(start, ("vstup" + std::to_string(i)).c_str());
        u.priecinokVystup = cesta(start, ("vystup" + std::to_string(i)).c_str());
        QDir().mkpath(QString::fromStdString(u.priecinokVstup));
        QDir().mkpath(QString::fromStdString(u.priecinokVystup));
        u.format = i % 4;
        u.cisloUctu = "2628765432";
        u.cisloVypisu = 1 + i;
        u.textPlatby = "$txt $vs";
        ulohy.push_back(u);
    }
    if (!zapisUlohy(start, ulohy)) return 1;

    Uloha u;
    u.nazov = "Fio banka";
    u.priecinokVstup = cesta(beh, "vstup");
    u.priecinokVystup = cesta(beh, "vystup");
    u.format = 3;
    u.cisloVypisu = 1;
    QDir().mkpath(QString::fromStdString(u.priecinokVstup));
    QDir().mkpath(QString::fromStdString(u.priecinokVystup));
    bench::ZadanieExportu zadanie;
    zadanie.format = 3;
    zadanie.transakcii = 5;
    zadanie.dni = 1;
    for (int k = 0; k < vypisov; ++k) {
        zadanie.seed = 1 + unsigned(k);
        zadanie.prvyDen = unsigned(k % 3000);
        char meno[32];
        std::snprintf(meno, sizeof meno, "/vypis_%06d.csv", k);
        std::ofstream subor(u.priecinokVstup + meno, std::ios::binary);
        bench::generujExport(zadanie, subor);
        if (!subor.flush()) return 1;
    }
    return zapisUlohy(beh, {u}) ? 0 : 1;
}

double ms(qint64 ns) { return double(ns) / 1e6; }

// Milliseconds since the process was started by the system, loading of the
// libraries included; -1 where /proc tells nothing. Clock-tick resolution.
double odSpusteniaProcesu()
{
    std::ifstream stat("/proc/self/stat");
    std::ifstream uptime("/proc/uptime");
    std::string text;
    double odBootu = 0;
    if (!std::getline(stat, text) || !(uptime >> odBootu)) return -1;
    // Field 22, starttime, counted after the parenthesized command name.
    std::istringstream polia(text.substr(text.rfind(')') + 2));
    std::string pole;
    for (int i = 3; i <= 22 && polia >> pole; ++i) {
    }
    return (odBootu - std::stod(pole) / double(sysconf(_SC_CLK_TCK))) * 1000;
}

int start(const QString& koren)
{
    TfrmHlavny okno(CestyAplikacie::v((koren + "/start").toStdString()));
    frmHlavny = &okno;
    okno.show();
    // The first turn of the event loop after show(): the window has been laid
    // out and its first paint is queued.
    QTimer::singleShot(0, &okno, [&] {
        std::printf("start_to_shown_ms %.1f\nprocess_start_to_shown_ms %.0f\n", ms(odStartu.nsecsElapsed()),
                    odSpusteniaProcesu());
        std::printf("tasks %d\n", okno.pocetUloh());
        std::vector<double> casy;
        for (int i = 0; i < 9; ++i) {
            QElapsedTimer cas;
            cas.start();
            okno.tsSpustenieShow();
            casy.push_back(ms(cas.nsecsElapsed()));
        }
        std::sort(casy.begin(), casy.end());
        std::printf("validation_median_ms %.1f\nvalidation_max_ms %.1f\n", casy[casy.size() / 2],
                    casy.back());
        std::printf("start_enabled %d\n", okno.btnStart->isEnabled() ? 1 : 0);
        QApplication::quit();
    });
    const int vysledok = QApplication::exec();
    frmHlavny = nullptr;
    return vysledok;
}

// Puts the inputs of an earlier run back and removes its statements, so that
// every run converts the same files from statement number 1.
bool obnov(const QString& program)
{
    QDir vstup(program + "/vstup");
    QDir vystup(program + "/vystup");
    for (const QString& meno : vystup.entryList(QDir::Files)) {
        const bool export_ = meno.endsWith(QLatin1String(".csv"));
        if (export_ ? !QFile::rename(vystup.filePath(meno), vstup.filePath(meno)) : !vystup.remove(meno))
            return false;
    }
    Databaza db;
    return db.otvor(cesta(program, "user.dat")) && db.SQL("UPDATE Ulohy SET CisloVypisu=1;") == -1;
}

int beh(const QString& koren)
{
    if (!obnov(koren + "/run")) return 1;
    TfrmHlavny okno(CestyAplikacie::v((koren + "/run").toStdString()));
    frmHlavny = &okno;
    okno.show();
    QElapsedTimer tik;
    QElapsedTimer trvanie;
    qint64 najdlhsia = 0;
    qint64 kedyNajdlhsia = 0;
    long tikov = 0;
    // Gaps of at least 10, 20 and 50 ms.
    long dlhych[3] = {0, 0, 0};
    QTimer casovac;
    casovac.setTimerType(Qt::PreciseTimer);
    QObject::connect(&casovac, &QTimer::timeout, &okno, [&] {
        const qint64 medzera = tik.restart();
        if (medzera > najdlhsia) {
            najdlhsia = medzera;
            kedyNajdlhsia = trvanie.elapsed();
        }
        dlhych[0] += medzera >= 10;
        dlhych[1] += medzera >= 20;
        dlhych[2] += medzera >= 50;
        ++tikov;
        if (!okno.beziBeh()) {
            casovac.stop();
            const QString log = okno.mmStart->toPlainText();
            std::printf(
                "run_s %.2f\nstatements %lld\nlongest_gap_ms %lld\nlongest_gap_at_s %.2f\n"
                "ticks %ld\ngaps_10ms %ld\ngaps_20ms %ld\ngaps_50ms %ld\n",
                ms(trvanie.nsecsElapsed()) / 1000, log.count(QString::fromUtf8("Vygenerovaný výpis")),
                najdlhsia, double(kedyNajdlhsia) / 1000, tikov, dlhych[0], dlhych[1], dlhych[2]);
            QApplication::quit();
        }
    });
    QTimer::singleShot(0, &okno, [&] {
        trvanie.start();
        okno.btnStartClick();
        tik.start();
        casovac.start(1);
    });
    const int vysledok = QApplication::exec();
    frmHlavny = nullptr;
    return vysledok;
}

}  // namespace

int main(int argc, char** argv)
{
    odStartu.start();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Aplikacia aplikacia(argc, argv);
    const QStringList argumenty = QApplication::arguments();
    if (argumenty.size() < 3) {
        std::fprintf(stderr, "kasamat-bench-window prepare|start|run DIR [--tasks N] [--statements N]\n");
        return 2;
    }
    const QString akcia = argumenty[1];
    const QString koren = QDir(argumenty[2]).absolutePath();
    if (akcia == "prepare") {
        const int uloh =
            argumenty.contains("--tasks") ? argumenty.value(argumenty.indexOf("--tasks") + 1).toInt() : 200;
        const int vypisov = argumenty.contains("--statements")
            ? argumenty.value(argumenty.indexOf("--statements") + 1).toInt()
            : 10000;
        return priprav(koren, uloh, vypisov);
    }
    if (akcia == "start") return start(koren);
    if (akcia == "run") return beh(koren);
    return 2;
}
