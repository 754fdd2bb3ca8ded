#pragma once
// What the window tests share: a program folder with the companion files and
// a user.dat made to order, reading that database back through a second
// connection, closing the message boxes the window shows, and a test entry
// that runs under the program's own application object; and the window shown
// on its Settings tab.

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <string>
#include <vector>

#include "app/aplikacia.h"
#include "app/frm_hlavny.h"
#include "platform/cesta.h"
#include "podpora/proces.h"
#include "podpora/subor_nastaveni.h"
#include "store/aktualizacia.h"

namespace kasamat::test {

// Every column of two tasks is the same.
inline void porovnaj(const Uloha& a, const Uloha& b)
{
    QCOMPARE(a.nazov, b.nazov);
    QCOMPARE(a.priecinokVstup, b.priecinokVstup);
    QCOMPARE(a.priecinokVystup, b.priecinokVystup);
    QCOMPARE(a.format, b.format);
    QCOMPARE(a.cisloUctu, b.cisloUctu);
    QCOMPARE(a.cisloVypisu, b.cisloVypisu);
    QCOMPARE(a.periodicita, b.periodicita);
    QCOMPARE(a.variabilnySymbol, b.variabilnySymbol);
    QCOMPARE(a.textPlatby, b.textPlatby);
}

inline Uloha uloha(const std::string& nazov, int format = 0)
{
    Uloha u;
    u.nazov = nazov;
    u.format = format;
    return u;
}

class ProgramovyPriecinok {
public:
    ProgramovyPriecinok()
    {
        QVERIFY(m_priecinok.isValid());
        kopirujSuboryAplikacie(cestaZUtf8(cesta().toStdString()));
    }

    QString cesta() const { return m_priecinok.path(); }
    // The program's paths, all in this folder.
    CestyAplikacie cesty() const { return CestyAplikacie::v(cesta().toStdString()); }
    QString subor(const char* meno) const { return m_priecinok.filePath(QString::fromUtf8(meno)); }
    // A new folder inside the program folder, for a task's input or output.
    QString novyPriecinok(const char* meno) const
    {
        QDir(cesta()).mkpath(QString::fromUtf8(meno));
        return subor(meno);
    }

    // user.dat: a copy of the template holding exactly these tasks, with `vybrata` as Nastavenia.Uloha.
    void ulohy(const std::vector<Uloha>& ulohy, int vybrata) const
    {
        QFile::remove(subor("user.dat"));
        QVERIFY(QFile::copy(subor("default.dat"), subor("user.dat")));
        Databaza db;
        QVERIFY(db.otvor(subor("user.dat").toStdString()));
        QVERIFY(zapisUlohy(db, ulohy, vybrata));
    }

    // The tasks of user.dat in ID order, as stored (the statement number unbounded).
    std::vector<Uloha> ulohyVSubore() const
    {
        Databaza db;
        return db.otvor(subor("user.dat").toStdString()) ? citajUlohy(db) : std::vector<Uloha>();
    }

    long long vybrataVSubore() const
    {
        Databaza db;
        if (!db.otvor(subor("user.dat").toStdString()) || db.SQL("SELECT Uloha FROM Nastavenia;") != 1)
            return -100;
        return db.cislo(0, "Uloha");
    }

    QByteArray obsah(const char* meno) const
    {
        QFile f(subor(meno));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_priecinok;
};

struct Sprava {
    QString titul;
    QString text;
    QMessageBox::Icon ikona;
};

// Answers every message box that the window shows with its default button and
// remembers what each one said.
class ZatvaracSprav : public QObject {
public:
    ZatvaracSprav()
    {
        connect(&m_casovac, &QTimer::timeout, this, [this] {
            for (QWidget* okno : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(okno);
                if (!box || !box->isVisible()) continue;
                spravy.push_back({box->windowTitle(), box->text(), box->icon()});
                box->accept();
            }
        });
        m_casovac.start(10);
    }
    std::vector<Sprava> spravy;

private:
    QTimer m_casovac;
};

// Shows the window on its Settings tab, active, so that the focus moves as a user moves it.
inline void naNastavenie(TfrmHlavny& okno)
{
    okno.show();
    QVERIFY(QTest::qWaitForWindowActive(&okno));
    okno.PageControl->setCurrentWidget(okno.tsNastavenie);
}

// Presses "Štart" and waits for the run to end.
inline void spustiAPockaj(TfrmHlavny& okno)
{
    QVERIFY(okno.btnStart->isEnabled());
    QTest::mouseClick(okno.btnStart, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!okno.beziBeh(), 20000);
}

}  // namespace kasamat::test

// A test program under the program's own application object, so that an error
// escaping a handler ends in the framework's error box as in the program.
#define KASAMAT_TEST_MAIN(Trieda)                      \
    int main(int argc, char** argv)                    \
    {                                                  \
        kasamat::Aplikacia aplikacia(argc, argv);      \
        aplikacia.setAttribute(Qt::AA_Use96Dpi, true); \
        Trieda test;                                   \
        QTEST_SET_MAIN_SOURCE_PATH                     \
        return QTest::qExec(&test, argc, argv);        \
    }
