#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "app/frm_hlavny.h"
#include "prostredie_okna.h"
#include "run/hlasenie.h"

using namespace kasamat;
using namespace kasamat::test;

namespace {

const QString golden = QStringLiteral(KASAMAT_TEST_DATA "/golden/tatra-txt-per-file");
const QString oddelovac = QString::fromStdString(oddelovaciRiadok);

QStringList riadkyLogu(const TfrmHlavny& okno) { return okno.mmStart->toPlainText().split(u'\n'); }

// The lines a run added after the validation summary.
QStringList riadkyBehu(const TfrmHlavny& okno)
{
    const QStringList log = riadkyLogu(okno);
    const qsizetype koniec = log.indexOf(QStringLiteral("Operáciu spustíte kliknutím na tlačidlo Štart!"));
    return koniec < 0 ? QStringList() : log.mid(koniec + 1);
}

void kopirujPriecinok(const QString& z, const QString& kam)
{
    for (const QString& meno : QDir(z).entryList(QDir::Files))
        QVERIFY(QFile::copy(z + u'/' + meno, kam + u'/' + meno));
}

// A Fio banka task over empty folders: its run finds no file.
Uloha prazdnaUloha(const ProgramovyPriecinok& program, const char* nazov)
{
    Uloha u = uloha(nazov, 3);
    u.priecinokVstup = program.novyPriecinok((std::string(nazov) + "-vstup").c_str()).toStdString();
    u.priecinokVystup = program.novyPriecinok((std::string(nazov) + "-vystup").c_str()).toStdString();
    u.cisloVypisu = 4;
    return u;
}

void overOdomknute(const TfrmHlavny& okno)
{
    QVERIFY(okno.btnStart->isEnabled());
    QVERIFY(okno.PageControl->isEnabled());
    QVERIFY(okno.lblStavBehu->text().isEmpty());
    QVERIFY(!QGuiApplication::overrideCursor());
}

}  // namespace

class BehTest : public QObject {
    Q_OBJECT

private slots:
    void tasksRunInOrderAndSecondIsSelectedAgain()
    {
        ProgramovyPriecinok program;
        Uloha tatra = uloha("úloha", 0);
        tatra.priecinokVstup = program.novyPriecinok("tatra-vstup").toStdString();
        tatra.priecinokVystup = program.novyPriecinok("tatra-vystup").toStdString();
        tatra.cisloUctu = "2628765432";
        tatra.cisloVypisu = 7;
        kopirujPriecinok(golden + QStringLiteral("/input"), QString::fromStdString(tatra.priecinokVstup));
        program.ulohy({tatra, prazdnaUloha(program, "b"), prazdnaUloha(program, "c")}, 1);

        TfrmHlavny okno(program.cesty());
        spustiAPockaj(okno);

        QFile ocakavanyLog(golden + QStringLiteral("/expected/log.txt"));
        QVERIFY(ocakavanyLog.open(QIODevice::ReadOnly));
        const QStringList blokTatra =
            QString::fromUtf8(ocakavanyLog.readAll()).split(u'\n', Qt::SkipEmptyParts);
        const QStringList beh = riadkyBehu(okno);
        QCOMPARE(beh.mid(0, blokTatra.size()), blokTatra);

        const QStringList zvysok = beh.mid(blokTatra.size());
        QCOMPARE(zvysok.size(), 8);
        QCOMPARE(zvysok[0], oddelovac);
        QCOMPARE(zvysok[1], QStringLiteral("2. b"));
        QCOMPARE(zvysok[3], QStringLiteral("Číslo ďalšieho výpisu: 4"));
        QCOMPARE(zvysok[4], oddelovac);
        QCOMPARE(zvysok[5], QStringLiteral("3. c"));
        QCOMPARE(zvysok[7], QStringLiteral("Číslo ďalšieho výpisu: 4"));

        QCOMPARE(okno.cbUloha->currentIndex(), 1);
        QCOMPARE(okno.edtNazov->text(), QStringLiteral("b"));
        QCOMPARE(okno.edtCisloVypisu->text(), QStringLiteral("4"));
        const auto ulohy = program.ulohyVSubore();
        QCOMPARE(ulohy.at(0).cisloVypisu, 10);
        QCOMPARE(ulohy.at(1).cisloVypisu, 4);
        QCOMPARE(program.vybrataVSubore(), 1);
        QVERIFY(QFile::exists(QString::fromStdString(tatra.priecinokVystup)
                              + QStringLiteral("/vypis_marec.txt (20190305).clr")));
        overOdomknute(okno);
    }

    void emptyListWritesNothing()
    {
        ProgramovyPriecinok program;
        program.ulohy({}, 0);
        TfrmHlavny okno(program.cesty());
        const QString suhrn = okno.mmStart->toPlainText();
        spustiAPockaj(okno);
        QCOMPARE(okno.mmStart->toPlainText(), suhrn);
        overOdomknute(okno);
    }

    void runLocksWindowAndNextRunContinuesLog()
    {
        ProgramovyPriecinok program;
        program.ulohy({prazdnaUloha(program, "a")}, 0);
        TfrmHlavny okno(program.cesty());
        okno.show();
        const qsizetype suhrn = riadkyLogu(okno).size();

        QTest::mouseClick(okno.btnStart, Qt::LeftButton);
        QVERIFY(okno.beziBeh());
        QVERIFY(!okno.btnStart->isEnabled());
        QVERIFY(!okno.PageControl->isEnabled());
        QCOMPARE(okno.lblStavBehu->text(), QStringLiteral("Čakajte na dokončenie operácie... "));
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QVERIFY(!okno.close());
        QTRY_VERIFY_WITH_TIMEOUT(!okno.beziBeh(), 20000);
        overOdomknute(okno);
        QVERIFY(okno.isVisible());

        const QStringList prvy = riadkyLogu(okno).mid(suhrn);
        QCOMPARE(prvy.size(), 4);
        spustiAPockaj(okno);
        const QStringList log = riadkyLogu(okno);
        QCOMPARE(log.size(), suhrn + 8);
        QCOMPARE(log.mid(suhrn + 4), prvy);
        QVERIFY(okno.close());
    }

    void unexpectedRunErrorUnlocksWindow()
    {
        ProgramovyPriecinok program;
        program.ulohy({prazdnaUloha(program, "a"), prazdnaUloha(program, "b")}, 1);
        TfrmHlavny okno(program.cesty());
        {
            Databaza db;
            QVERIFY(db.otvor(program.subor("user.dat").toStdString()));
            db.SQL("DROP TABLE Ulohy;");
        }
        ZatvaracSprav zatvarac;
        spustiAPockaj(okno);
        overOdomknute(okno);
        QTRY_COMPARE(zatvarac.spravy.size(), std::size_t(1));
        QCOMPARE(zatvarac.spravy[0].titul, QStringLiteral("Kontomat"));
        QCOMPARE(zatvarac.spravy[0].ikona, QMessageBox::Critical);
    }
};

KASAMAT_TEST_MAIN(BehTest)
#include "beh_test.moc"
