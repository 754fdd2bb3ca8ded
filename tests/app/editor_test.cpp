#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include "app/up_down.h"

#include "app/frm_hlavny.h"
#include "prostredie_okna.h"

using namespace kasamat;
using namespace kasamat::test;

namespace {

// Types into a box as a user: a few characters stand for keys without a character of their own.
void napis(QWidget* box, const QString& klavesy)
{
    for (int i = 0; i < klavesy.size(); ++i) {
        const QChar znak = klavesy[i];
        if (znak == u'\b')
            QTest::keyClick(box, Qt::Key_Backspace);
        else if (znak == u'\x7f')
            QTest::keyClick(box, Qt::Key_Delete);
        else if (znak == u'↑')
            QTest::keyClick(box, Qt::Key_Up);
        else if (znak == u'↓')
            QTest::keyClick(box, Qt::Key_Down);
        else if (znak == u'⌃')
            QTest::keyClick(box, klavesy[++i].toLatin1(), Qt::ControlModifier);
        else
            QTest::keyClick(box, znak.toLatin1());
    }
}

// Replaces the whole text of a box by typing, as a user who selected it all.
void prepis(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

Uloha plna(const std::string& nazov, int format)
{
    Uloha u = uloha(nazov, format);
    u.priecinokVstup = "/vstup/" + nazov;
    u.priecinokVystup = "/vystup/" + nazov;
    u.cisloUctu = "2628765432";
    u.cisloVypisu = 17;
    u.periodicita = 1;
    u.variabilnySymbol = format == 1 ? 1 : 0;
    u.textPlatby = format == 1 ? "$vs $txt" : "";
    return u;
}

QStringList polozky(const QComboBox* zoznam)
{
    QStringList texty;
    for (int i = 0; i < zoznam->count(); ++i) texty << zoznam->itemText(i);
    return texty;
}

}  // namespace

class EditorTest : public QObject {
    Q_OBJECT

private slots:
    void nameIsStoredWithEveryCharacter()
    {
        ProgramovyPriecinok program;
        program.ulohy({uloha("prvá"), uloha("druhá")}, 1);
        TfrmHlavny okno(program.cesty());
        naNastavenie(okno);

        okno.edtNazov->setFocus();
        okno.edtNazov->selectAll();
        QString napisane;
        for (const char znak : {'F', 'i', 'o'}) {
            QTest::keyClick(okno.edtNazov, znak);
            napisane += QLatin1Char(znak);
            QCOMPARE(program.ulohyVSubore().at(1).nazov, napisane.toStdString());
            QCOMPARE(okno.cbUloha->itemText(1), QStringLiteral("2. ") + napisane);
            QCOMPARE(okno.cbUloha->currentIndex(), 1);
        }
        QCOMPARE(program.ulohyVSubore().at(0).nazov, std::string("prvá"));
    }

    void digitFilter_data()
    {
        QTest::addColumn<bool>("ucet");
        QTest::addColumn<QString>("povodny");
        QTest::addColumn<int>("zaciatok");
        QTest::addColumn<int>("dlzka");
        QTest::addColumn<QString>("klavesy");
        QTest::addColumn<QString>("vysledok");
        QTest::addColumn<QString>("ulozene");

        QTest::newRow("account: eleventh digit refused") << true << "1234567890" << 10 << 0 << "1"
                                                         << "1234567890"
                                                         << "1234567890";
        QTest::newRow("account: digit replaces a selection at the limit")
            << true << "1234567890" << 2 << 3 << "9"
            << "12967890"
            << "12967890";
        QTest::newRow("account: digit goes in at the caret") << true << "123" << 1 << 0 << "9"
                                                             << "1923"
                                                             << "1923";
        QTest::newRow("account: letters, blank and punctuation refused") << true << "123" << 3 << 0 << "a -x."
                                                                         << "123"
                                                                         << "123";
        QTest::newRow("account: backspace before the caret") << true << "123" << 2 << 0 << "\b"
                                                             << "13"
                                                             << "13";
        QTest::newRow("account: backspace at the start does nothing") << true << "123" << 0 << 0 << "\b"
                                                                      << "123"
                                                                      << "123";
        QTest::newRow("account: backspace removes the selection") << true << "12345" << 1 << 3 << "\b"
                                                                  << "15"
                                                                  << "15";
        QTest::newRow("account: delete after the caret") << true << "123" << 0 << 0 << "\x7f"
                                                         << "23"
                                                         << "23";
        QTest::newRow("account: paste and cut by keyboard refused")
            << true << "123" << 0 << 2 << QStringLiteral("⌃v⌃x") << "123"
            << "123";
        QTest::newRow("account: erased to empty") << true << "1" << 1 << 0 << "\b"
                                                  << ""
                                                  << "";
        QTest::newRow("number: fourth digit refused") << false << "123" << 3 << 0 << "4"
                                                      << "123"
                                                      << "123";
        QTest::newRow("number: erasing the last digit gives 1") << false << "5" << 1 << 0 << "\b"
                                                                << "1"
                                                                << "1";
        QTest::newRow("number: deleting the only digit gives 1") << false << "7" << 0 << 0 << "\x7f"
                                                                 << "1"
                                                                 << "1";
        QTest::newRow("number: selecting all and typing 0 gives 1") << false << "42" << 0 << 2 << "0"
                                                                    << "1"
                                                                    << "1";
        QTest::newRow("number: typed leading zero stays in the box") << false << "5" << 0 << 0 << "0"
                                                                     << "05"
                                                                     << "5";
        QTest::newRow("number: letter refused") << false << "5" << 1 << 0 << "a"
                                                << "5"
                                                << "5";
        QTest::newRow("number: up steps and stops at 999")
            << false << "998" << 3 << 0 << QStringLiteral("↑↑") << "999"
            << "999";
        QTest::newRow("number: down stops at 1") << false << "2" << 1 << 0 << QStringLiteral("↓↓") << "1"
                                                 << "1";
    }

    void digitFilter()
    {
        QFETCH(bool, ucet);
        QFETCH(QString, povodny);
        QFETCH(int, zaciatok);
        QFETCH(int, dlzka);
        QFETCH(QString, klavesy);

        ProgramovyPriecinok program;
        Uloha u = uloha("u");
        if (ucet)
            u.cisloUctu = povodny.toStdString();
        else
            u.cisloVypisu = povodny.toInt();
        program.ulohy({u, uloha("iná")}, 0);
        QApplication::clipboard()->setText(QStringLiteral("999"));

        TfrmHlavny okno(program.cesty());
        naNastavenie(okno);
        QLineEdit* box = ucet ? okno.edtCisloUctu : okno.edtCisloVypisu;
        box->setFocus();
        box->setSelection(zaciatok, dlzka);
        napis(box, klavesy);

        QTEST(box->text(), "vysledok");
        const Uloha ulozena = program.ulohyVSubore().at(0);
        QTEST(ucet ? QString::fromStdString(ulozena.cisloUctu) : QString::number(ulozena.cisloVypisu),
              "ulozene");
        porovnaj(program.ulohyVSubore().at(1), uloha("iná"));
    }

    // Pasting through the context menu bypasses the digit filter: the account
    // number keeps what was pasted, the statement number keeps its range, and
    // a text that is no number is reported and not stored.
    void pasteThroughContextMenu_data()
    {
        QTest::addColumn<bool>("ucet");
        QTest::addColumn<QString>("schranka");
        QTest::addColumn<QString>("ulozene");
        QTest::addColumn<bool>("chyba");
        QTest::newRow("account keeps pasted letters") << true << "ab 12"
                                                      << "ab 12" << false;
        QTest::newRow("number of 1000 or more becomes 999") << false << "5000"
                                                            << "999" << false;
        QTest::newRow("number with letters is reported") << false << "12a"
                                                         << "17" << true;
    }

    void pasteThroughContextMenu()
    {
        QFETCH(bool, ucet);
        QFETCH(QString, schranka);
        QFETCH(bool, chyba);
        ProgramovyPriecinok program;
        program.ulohy({plna("a", 0)}, 0);
        TfrmHlavny okno(program.cesty());
        naNastavenie(okno);
        QApplication::clipboard()->setText(schranka);
        QLineEdit* box = ucet ? okno.edtCisloUctu : okno.edtCisloVypisu;
        box->selectAll();

        ZatvaracSprav zatvarac;
        QMetaObject::invokeMethod(box, "paste", Qt::QueuedConnection);
        QTRY_VERIFY(box->text() != (ucet ? QStringLiteral("2628765432") : QStringLiteral("17")));
        QTRY_COMPARE(zatvarac.spravy.size(), std::size_t(chyba ? 1 : 0));
        if (chyba) QCOMPARE(zatvarac.spravy[0].titul, QStringLiteral("Kontomat"));
        const Uloha ulozena = program.ulohyVSubore().at(0);
        QTEST(ucet ? QString::fromStdString(ulozena.cisloUctu) : QString::number(ulozena.cisloVypisu),
              "ulozene");
        if (ucet) return;
        // The spinner goes on from the stored number, whatever the box shows.
        okno.udCisloVypisu->krok(1);
        QCOMPARE(program.ulohyVSubore().at(0).cisloVypisu, std::min(ulozena.cisloVypisu + 1, 999));
    }

    void spinnerArrows()
    {
        ProgramovyPriecinok program;
        program.ulohy({uloha("a")}, 0);
        TfrmHlavny okno(program.cesty());
        naNastavenie(okno);
        const auto sipky = okno.udCisloVypisu->findChildren<QToolButton*>();
        QCOMPARE(sipky.size(), 2);
        QToolButton* hore = sipky[0]->arrowType() == Qt::UpArrow ? sipky[0] : sipky[1];
        QToolButton* dole = hore == sipky[0] ? sipky[1] : sipky[0];

        QTest::mouseClick(dole, Qt::LeftButton);
        QCOMPARE(okno.edtCisloVypisu->text(), QStringLiteral("1"));
        QTest::mouseClick(hore, Qt::LeftButton);
        QTest::mouseClick(hore, Qt::LeftButton);
        QCOMPARE(okno.edtCisloVypisu->text(), QStringLiteral("3"));
        QCOMPARE(program.ulohyVSubore().at(0).cisloVypisu, 3);
    }

    void folderIsStoredOnlyOnLeaving()
    {
        ProgramovyPriecinok program;
        program.ulohy({plna("a", 0)}, 0);
        TfrmHlavny okno(program.cesty());
        naNastavenie(okno);

        prepis(okno.edtPriecinokVstup, QStringLiteral("/nove/vstup"));
        QCOMPARE(program.ulohyVSubore().at(0).priecinokVstup, std::string("/vstup/a"));
        okno.edtNazov->setFocus();
        QCOMPARE(program.ulohyVSubore().at(0).priecinokVstup, std::string("/nove/vstup"));

        prepis(okno.edtPriecinokVystup, QStringLiteral("/nove/vystup"));
        QCOMPARE(program.ulohyVSubore().at(0).priecinokVystup, std::string("/vystup/a"));
        okno.edtPriecinokVstup->setFocus();
        QCOMPARE(program.ulohyVSubore().at(0).priecinokVystup, std::string("/nove/vystup"));
    }

    void wheelOverUnfocusedListDoesNotChangeTask()
    {
        ProgramovyPriecinok program;
        program.ulohy({plna("a", 0), plna("b", 0)}, 0);
        TfrmHlavny okno(program.cesty());
        naNastavenie(okno);

        prepis(okno.edtPriecinokVstup, QStringLiteral("/nove"));
        const QPoint stred = okno.cbUloha->rect().center();
        QWheelEvent koliesko(stred, okno.cbUloha->mapToGlobal(stred), {}, QPoint(0, -120), Qt::NoButton,
                             Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(okno.cbUloha, &koliesko);
        QCOMPARE(okno.cbUloha->currentIndex(), 0);

        okno.edtNazov->setFocus();
        QCOMPARE(program.ulohyVSubore().at(0).priecinokVstup, std::string("/nove"));
        QCOMPARE(program.ulohyVSubore().at(1).priecinokVstup, std::string("/vstup/b"));
    }

    void folderChoice()
    {
        ProgramovyPriecinok program;
        program.ulohy({plna("a", 0)}, 0);
        TfrmHlavny okno(program.cesty());
        naNastavenie(okno);

        QStringList vyzvy;
        std::optional<QString> odpoved;
        okno.vyberPriecinka = [&](QWidget*, const QString& vyzva) {
            vyzvy << vyzva;
            return odpoved;
        };

        QTest::mouseClick(okno.btnPriecinokVstup, Qt::LeftButton);
        QCOMPARE(okno.edtPriecinokVstup->text(), QStringLiteral("/vstup/a"));
        QCOMPARE(program.ulohyVSubore().at(0).priecinokVstup, std::string("/vstup/a"));

        odpoved = QStringLiteral("/vybraný/vstup");
        QTest::mouseClick(okno.btnPriecinokVstup, Qt::LeftButton);
        QCOMPARE(okno.edtPriecinokVstup->text(), QStringLiteral("/vybraný/vstup"));
        QCOMPARE(program.ulohyVSubore().at(0).priecinokVstup, std::string("/vybraný/vstup"));

        odpoved = QStringLiteral("/vybraný/výstup");
        QTest::mouseClick(okno.btnPriecinokVystup, Qt::LeftButton);
        QCOMPARE(okno.edtPriecinokVystup->text(), QStringLiteral("/vybraný/výstup"));
        QCOMPARE(program.ulohyVSubore().at(0).priecinokVystup, std::string("/vybraný/výstup"));

        QCOMPARE(vyzvy,
                 QStringList({QStringLiteral("Vyberte priečinok so vstupnými súbormi pre konverziu výpisov:"),
                              QStringLiteral("Vyberte priečinok so vstupnými súbormi pre konverziu výpisov:"),
                              QStringLiteral("Vyberte priečinok pre výstupné súbory z konverzie výpisov:")}));
    }

    void folderChoiceStartsOnDesktop()
    {
        if (QSysInfo::productType() == QStringLiteral("windows"))
            QSKIP("Windows names the desktop and home folders by the user's profile, not by HOME");
        const QTemporaryDir domov;
        const QByteArray povodny = qgetenv("HOME");
        qputenv("HOME", domov.path().toUtf8());
        const QString bezPlochy = TfrmHlavny::zaciatokVyberuPriecinka();
        QDir(domov.path()).mkdir(QStringLiteral("Desktop"));
        const QString sPlochou = TfrmHlavny::zaciatokVyberuPriecinka();
        qputenv("HOME", povodny);
        QCOMPARE(bezPlochy, domov.path());
        QCOMPARE(sPlochou, domov.path() + QStringLiteral("/Desktop"));
    }

    void formatChange()
    {
        ProgramovyPriecinok program;
        program.ulohy({plna("trustpay", 1), plna("iná", 1)}, 0);
        TfrmHlavny okno(program.cesty());
        naNastavenie(okno);
        okno.cbFormat->setFocus();

        QTest::keyClick(okno.cbFormat, Qt::Key_Up);
        Uloha ulozena = program.ulohyVSubore().at(0);
        QCOMPARE(ulozena.format, 0);
        QCOMPARE(ulozena.textPlatby, std::string());
        QCOMPARE(ulozena.variabilnySymbol, 0);
        QCOMPARE(ulozena.cisloUctu, std::string("2628765432"));
        QVERIFY(okno.edtTextPlatby->text().isEmpty());
        QCOMPARE(okno.cbVariabilnySymbol->currentIndex(), 0);
        QVERIFY(!okno.edtTextPlatby->isEnabled());
        QVERIFY(!okno.cbVariabilnySymbol->isEnabled());
        QCOMPARE(okno.lblKodBanky->text(), QStringLiteral("1100"));

        QTest::keyClick(okno.cbFormat, Qt::Key_Down);
        ulozena = program.ulohyVSubore().at(0);
        QCOMPARE(ulozena.format, 1);
        QCOMPARE(ulozena.textPlatby, std::string());
        QCOMPARE(ulozena.variabilnySymbol, 0);
        QVERIFY(okno.edtTextPlatby->isEnabled());
        QVERIFY(okno.cbVariabilnySymbol->isEnabled());
        QCOMPARE(okno.lblKodBanky->text(), QStringLiteral("9952"));

        QTest::keyClick(okno.cbFormat, Qt::Key_End);
        ulozena = program.ulohyVSubore().at(0);
        QCOMPARE(ulozena.format, 4);
        QCOMPARE(ulozena.cisloUctu, std::string());
        QVERIFY(okno.edtCisloUctu->text().isEmpty());
        QVERIFY(!okno.edtCisloUctu->isEnabled());
        QVERIFY(!okno.lblKodBanky->isEnabled());
        QVERIFY(okno.lblKodBanky->text().isEmpty());

        QTest::keyClick(okno.cbFormat, Qt::Key_Up);
        QCOMPARE(program.ulohyVSubore().at(0).format, 3);
        QVERIFY(!okno.edtCisloUctu->isEnabled());
        QCOMPARE(okno.lblKodBanky->text(), QStringLiteral("8330"));

        QTest::keyClick(okno.cbFormat, Qt::Key_Home);
        ulozena = program.ulohyVSubore().at(0);
        QCOMPARE(ulozena.format, 0);
        QCOMPARE(ulozena.cisloUctu, std::string());
        QVERIFY(okno.edtCisloUctu->isEnabled());

        porovnaj(program.ulohyVSubore().at(1), plna("iná", 1));
    }

    void taskChoiceFromList()
    {
        ProgramovyPriecinok program;
        program.ulohy({plna("a", 0), plna("b", 1), plna("c", 3)}, 0);
        TfrmHlavny okno(program.cesty());
        naNastavenie(okno);
        okno.cbUloha->setFocus();
        QTest::keyClick(okno.cbUloha, Qt::Key_End);
        QCOMPARE(program.vybrataVSubore(), 2);
        QCOMPARE(okno.edtNazov->text(), QStringLiteral("c"));
        QCOMPARE(okno.cbFormat->currentIndex(), 3);
        porovnaj(program.ulohyVSubore().at(2), plna("c", 3));
    }

    void taskRemoval_data()
    {
        QTest::addColumn<int>("vybrata");
        QTest::addColumn<QStringList>("zostava");
        QTest::addColumn<int>("novaVybrata");
        QTest::newRow("the last of three selects the new last") << 2 << QStringList{"1. a", "2. b"} << 1;
        QTest::newRow("the first of three renumbers the rest") << 0 << QStringList{"1. b", "2. c"} << 0;
        QTest::newRow("a middle one keeps the place selected") << 1 << QStringList{"1. a", "2. c"} << 1;
    }

    void taskRemoval()
    {
        QFETCH(int, vybrata);
        QFETCH(QStringList, zostava);
        QFETCH(int, novaVybrata);
        ProgramovyPriecinok program;
        program.ulohy({plna("a", 0), plna("b", 1), plna("c", 3)}, vybrata);
        TfrmHlavny okno(program.cesty());
        naNastavenie(okno);

        QTest::mouseClick(okno.btnZrusit, Qt::LeftButton);
        QCOMPARE(polozky(okno.cbUloha), zostava);
        QCOMPARE(okno.cbUloha->currentIndex(), novaVybrata);
        QCOMPARE(program.vybrataVSubore(), novaVybrata);
        const auto ulohy = program.ulohyVSubore();
        QCOMPARE(ulohy.size(), std::size_t(2));
        for (int i = 0; i < 2; ++i)
            QCOMPARE(QStringLiteral("%1. ").arg(i + 1) + QString::fromStdString(ulohy[i].nazov), zostava[i]);
        QCOMPARE(okno.edtNazov->text(), zostava[novaVybrata].mid(3));
        QVERIFY(okno.btnZrusit->isEnabled());

        QTest::mouseClick(okno.btnZrusit, Qt::LeftButton);
        QCOMPARE(okno.cbUloha->count(), 1);
        QVERIFY(!okno.btnZrusit->isEnabled());
        QTest::mouseClick(okno.btnPridat, Qt::LeftButton);
        QVERIFY(okno.btnZrusit->isEnabled());
    }

    void removalWithoutSelectedTaskChangesNothing()
    {
        ProgramovyPriecinok program;
        program.ulohy({plna("a", 0), plna("b", 1)}, 7);
        TfrmHlavny okno(program.cesty());
        naNastavenie(okno);
        QTest::mouseClick(okno.btnZrusit, Qt::LeftButton);
        const auto ulohy = program.ulohyVSubore();
        QCOMPARE(ulohy.size(), std::size_t(2));
        porovnaj(ulohy[0], plna("a", 0));
        porovnaj(ulohy[1], plna("b", 1));
        QCOMPARE(polozky(okno.cbUloha), QStringList({"1. a", "2. b"}));
    }

    void taskAddition()
    {
        ProgramovyPriecinok program;
        program.ulohy({plna("a", 3), plna("b", 1)}, 0);
        TfrmHlavny okno(program.cesty());
        naNastavenie(okno);

        QTest::mouseClick(okno.btnPridat, Qt::LeftButton);
        QCOMPARE(polozky(okno.cbUloha), QStringList({"1. a", "2. b", "3. úloha"}));
        QCOMPARE(okno.cbUloha->currentIndex(), 2);
        QCOMPARE(program.vybrataVSubore(), 2);
        QCOMPARE(okno.edtNazov->text(), QStringLiteral("úloha"));
        QCOMPARE(okno.cbFormat->currentIndex(), 0);
        QCOMPARE(okno.edtCisloVypisu->text(), QStringLiteral("1"));
        QVERIFY(okno.edtPriecinokVstup->text().isEmpty());
        QVERIFY(okno.edtPriecinokVystup->text().isEmpty());
        QVERIFY(okno.edtCisloUctu->isEnabled());

        const auto ulohy = program.ulohyVSubore();
        QCOMPARE(ulohy.size(), std::size_t(3));
        porovnaj(ulohy[2], uloha("úloha"));
        porovnaj(ulohy[0], plna("a", 3));
    }

    void apostrophesAndStatementsInTextsAreStoredExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("apostrophe") << QStringLiteral("O'Brien's");
        QTest::newRow("a statement of its own") << QStringLiteral("'; DELETE FROM Ulohy; --");
        QTest::newRow("another row's condition") << QStringLiteral("x' WHERE ID=1; --");
        QTest::newRow("two apostrophes") << QStringLiteral("''");
    }

    void apostrophesAndStatementsInTextsAreStoredExactly()
    {
        QFETCH(QString, text);
        ProgramovyPriecinok program;
        program.ulohy({plna("a", 1), plna("b", 1)}, 0);
        TfrmHlavny okno(program.cesty());
        naNastavenie(okno);

        for (QLineEdit* box :
             {okno.edtNazov, okno.edtPriecinokVstup, okno.edtPriecinokVystup, okno.edtTextPlatby})
            prepis(box, text);
        okno.cbUloha->setFocus();

        const auto ulohy = program.ulohyVSubore();
        QCOMPARE(ulohy.size(), std::size_t(2));
        const std::string ocakavany = text.toStdString();
        QCOMPARE(ulohy[0].nazov, ocakavany);
        QCOMPARE(ulohy[0].priecinokVstup, ocakavany);
        QCOMPARE(ulohy[0].priecinokVystup, ocakavany);
        QCOMPARE(ulohy[0].textPlatby, ocakavany);
        QCOMPARE(ulohy[0].cisloUctu, std::string("2628765432"));
        porovnaj(ulohy[1], plna("b", 1));
        QCOMPARE(okno.cbUloha->itemText(0), QStringLiteral("1. ") + text);
    }

    void variableList()
    {
        ProgramovyPriecinok program;
        program.ulohy({plna("a", 1)}, 0);
        TfrmHlavny okno(program.cesty());
        naNastavenie(okno);

        ZatvaracSprav zatvarac;
        QTest::mouseClick(okno.lblTextPlatby, Qt::LeftButton);
        QCOMPARE(zatvarac.spravy.size(), std::size_t(1));
        QCOMPARE(zatvarac.spravy[0].titul, QStringLiteral("Informácia"));
        QCOMPARE(zatvarac.spravy[0].ikona, QMessageBox::Information);
        QCOMPARE(
            zatvarac.spravy[0].text,
            QStringLiteral(
                "Použiteľné premenné:\n\n$ss - špecifický symbol\n$vs - variabilný symbol\n"
                "$ks - konštantný symbol\n$ref - referencia\n$txt - text platby\n$npu - názov protiúčtu"));
    }

    void taskLoadErrorInErrorWindow()
    {
        ProgramovyPriecinok program;
        program.ulohy({plna("a", 0), plna("b", 1)}, 0);
        TfrmHlavny okno(program.cesty());
        naNastavenie(okno);
        {
            Databaza db;
            QVERIFY(db.otvor(program.subor("user.dat").toStdString()));
            db.SQL("DROP TABLE Ulohy;");
        }

        ZatvaracSprav zatvarac;
        okno.cbUloha->setFocus();
        QTest::keyClick(okno.cbUloha, Qt::Key_Down);
        QCOMPARE(zatvarac.spravy.size(), std::size_t(1));
        QCOMPARE(zatvarac.spravy[0].titul, QStringLiteral("Kontomat"));
        QCOMPARE(zatvarac.spravy[0].ikona, QMessageBox::Critical);
        QVERIFY(!zatvarac.spravy[0].text.isEmpty());
        QVERIFY(okno.isVisible());

        // The buttons' handlers show it the same way.
        QTest::mouseClick(okno.btnPridat, Qt::LeftButton);
        QCOMPARE(zatvarac.spravy.size(), std::size_t(2));
        QCOMPARE(zatvarac.spravy[1].titul, QStringLiteral("Kontomat"));
        QTest::mouseClick(okno.btnZrusit, Qt::LeftButton);
        QCOMPARE(zatvarac.spravy.size(), std::size_t(3));
        QVERIFY(okno.isVisible());
    }

    void returnToRunTabValidatesAgain()
    {
        ProgramovyPriecinok program;
        Uloha u = uloha("fio", 3);
        u.priecinokVstup = program.subor("chyba").toStdString();
        u.priecinokVystup = program.novyPriecinok("vystup").toStdString();
        program.ulohy({u}, 0);
        TfrmHlavny okno(program.cesty());
        QVERIFY(!okno.btnStart->isEnabled());
        naNastavenie(okno);

        prepis(okno.edtPriecinokVstup, program.novyPriecinok("vstup"));
        QTabBar* taby = okno.PageControl->tabBar();
        QTest::mouseClick(taby, Qt::LeftButton, {}, taby->tabRect(0).center());
        QCOMPARE(okno.PageControl->currentWidget(), okno.tsSpustenie);
        QVERIFY(okno.btnStart->isEnabled());
        QCOMPARE(QString::fromStdString(program.ulohyVSubore().at(0).priecinokVstup), program.subor("vstup"));
    }
};

KASAMAT_TEST_MAIN(EditorTest)
#include "editor_test.moc"
