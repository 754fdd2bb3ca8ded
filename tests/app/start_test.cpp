#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "app/frm_hlavny.h"
#include "app/o_aplikacii.h"
#include "podpora/stare_verzie.h"
#include "prostredie_okna.h"
#include "store/aktualizacia.h"

using namespace kasamat;
using namespace kasamat::test;

class StartTest : public QObject {
    Q_OBJECT

private slots:
    void frameworkTextsAreSlovak()
    {
        const QDialogButtonBox tlacidla(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(tlacidla.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Zrušiť"));
    }

    void threeTasksThirdSelectedAndLoaded()
    {
        ProgramovyPriecinok program;
        Uloha tretia = uloha("Fio účet", 3);
        tretia.priecinokVstup = "/vstup";
        tretia.cisloVypisu = 42;
        tretia.periodicita = 1;
        program.ulohy({uloha("Tatra"), uloha("TrustPay", 1), tretia}, 2);

        TfrmHlavny okno(program.cesty());
        QCOMPARE(okno.cbUloha->count(), 3);
        QCOMPARE(okno.cbUloha->itemText(0), QStringLiteral("1. Tatra"));
        QCOMPARE(okno.cbUloha->itemText(1), QStringLiteral("2. TrustPay"));
        QCOMPARE(okno.cbUloha->itemText(2), QStringLiteral("3. Fio účet"));
        QCOMPARE(okno.cbUloha->currentIndex(), 2);
        QCOMPARE(okno.edtNazov->text(), QStringLiteral("Fio účet"));
        QCOMPARE(okno.edtPriecinokVstup->text(), QStringLiteral("/vstup"));
        QCOMPARE(okno.cbFormat->currentIndex(), 3);
        QCOMPARE(okno.edtCisloVypisu->text(), QStringLiteral("42"));
        QCOMPARE(okno.cbPeriodicita->currentIndex(), 1);
        QVERIFY(okno.btnZrusit->isEnabled());

        QCOMPARE(okno.PageControl->currentWidget(), okno.tsSpustenie);
        const QStringList log = okno.mmStart->toPlainText().split(u'\n');
        QCOMPARE(log.value(0), QStringLiteral("Úlohy: "));
        QVERIFY(log.contains(QStringLiteral("3. Fio účet")));
        QCOMPARE(log.last(), QStringLiteral("Uvedené parametre môžete zmeniť na záložke Nastavenie."));
        QVERIFY(!okno.btnStart->isEnabled());
        QCOMPARE(okno.windowTitle(), QStringLiteral("Kasamat"));
        QCOMPARE(okno.size(), QSize(479, 365));
        QVERIFY(!(okno.windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void onlyTaskCannotBeRemoved()
    {
        ProgramovyPriecinok program;
        program.ulohy({uloha("jediná")}, 0);
        TfrmHlavny okno(program.cesty());
        QVERIFY(!okno.btnZrusit->isEnabled());
        QVERIFY(okno.btnPridat->isEnabled());
    }

    void missingApplicationFile_data()
    {
        QTest::addColumn<QString>("subor");
        QTest::newRow("release notes") << QStringLiteral("release.nfo");
        QTest::newRow("remote-support tool") << QStringLiteral("TeamViewerQS_sk.exe");
        QTest::newRow("template") << QStringLiteral("default.dat");
    }

    void missingApplicationFile()
    {
        QFETCH(QString, subor);
        ProgramovyPriecinok program;
        program.ulohy({uloha("a"), uloha("b")}, 1);
        const QByteArray predtym = program.obsah("user.dat");
        QVERIFY(QFile::remove(program.cesta() + u'/' + subor));

        ZatvaracSprav zatvarac;
        TfrmHlavny okno(program.cesty());

        QCOMPARE(zatvarac.spravy.size(), std::size_t(1));
        QCOMPARE(zatvarac.spravy[0].titul, QStringLiteral("Chyba"));
        QCOMPARE(zatvarac.spravy[0].text, QString::fromUtf8(chybaSuborovAplikacie));
        QCOMPARE(zatvarac.spravy[0].ikona, QMessageBox::Critical);
        QCOMPARE(okno.PageControl->currentWidget(), okno.tsOaplikacii);
        QVERIFY(!okno.PageControl->isTabEnabled(0));
        QVERIFY(!okno.PageControl->isTabEnabled(1));
        QVERIFY(okno.PageControl->isTabEnabled(2));
        QCOMPARE(okno.cbUloha->count(), 0);
        QCOMPARE(okno.tsOaplikacii->findChild<QLabel*>(QStringLiteral("lblVerziaCislo"))->text(),
                 QStringLiteral("2.5.0.0"));

        // Showing the disabled Run tab writes no summary.
        okno.PageControl->setCurrentWidget(okno.tsSpustenie);
        okno.tsSpustenieShow();
        QVERIFY(okno.mmStart->toPlainText().isEmpty());
        QCOMPARE(program.obsah("user.dat"), predtym);
    }

    void selectedTaskOutsideList()
    {
        ProgramovyPriecinok program;
        Uloha a = uloha("a", 2);
        a.priecinokVstup = "/x";
        a.cisloUctu = "123";
        program.ulohy({a, uloha("b")}, 5);

        TfrmHlavny okno(program.cesty());
        QCOMPARE(okno.cbUloha->count(), 2);
        QCOMPARE(okno.cbUloha->currentIndex(), -1);
        QVERIFY(okno.edtNazov->text().isEmpty());
        QVERIFY(okno.edtPriecinokVstup->text().isEmpty());
        QVERIFY(okno.edtCisloUctu->text().isEmpty());
        QCOMPARE(okno.cbFormat->currentIndex(), 0);
        QCOMPARE(okno.edtCisloVypisu->text(), QStringLiteral("1"));
    }

    // Loading shows the row as stored and writes nothing back, except a
    // statement number outside the spinner's range, which is stored as the bound shown.
    void taskLoading_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("cislo");
        QTest::addColumn<int>("formatVZozname");
        QTest::addColumn<QString>("kodBanky");
        QTest::addColumn<bool>("ucetPovoleny");
        QTest::addColumn<bool>("textPovoleny");
        QTest::addColumn<QString>("cisloVBoxe");
        QTest::addColumn<int>("cisloVSubore");
        QTest::newRow("Tatra banka TXT") << 0 << 7 << 0 << "1100" << true << false << "7" << 7;
        QTest::newRow("TrustPay") << 1 << 999 << 1 << "9952" << true << true << "999" << 999;
        QTest::newRow("Tatra banka CSV") << 2 << 1 << 2 << "1100" << true << false << "1" << 1;
        QTest::newRow("Fio keeps the stored account")
            << 3 << 12 << 3 << "8330" << false << false << "12" << 12;
        QTest::newRow("unknown Format as Fio") << 7 << 5 << -1 << "8330" << false << false << "5" << 5;
        QTest::newRow("number 0 shows and stores 1") << 0 << 0 << 0 << "1100" << true << false << "1" << 1;
        QTest::newRow("number 1500 shows and stores 999")
            << 0 << 1500 << 0 << "1100" << true << false << "999" << 999;
    }

    void taskLoading()
    {
        QFETCH(int, format);
        QFETCH(int, cislo);
        ProgramovyPriecinok program;
        Uloha u = uloha("u", format);
        u.cisloUctu = "2628765432";
        u.cisloVypisu = cislo;
        u.textPlatby = "$vs";
        u.variabilnySymbol = 1;
        program.ulohy({u, uloha("iná")}, 0);

        TfrmHlavny okno(program.cesty());
        QTEST(okno.cbFormat->currentIndex(), "formatVZozname");
        QTEST(okno.lblKodBanky->text(), "kodBanky");
        QTEST(okno.edtCisloUctu->isEnabled(), "ucetPovoleny");
        QTEST(okno.lblKodBanky->isEnabled(), "ucetPovoleny");
        QTEST(okno.edtTextPlatby->isEnabled(), "textPovoleny");
        QTEST(okno.cbVariabilnySymbol->isEnabled(), "textPovoleny");
        QCOMPARE(okno.edtCisloUctu->text(), QStringLiteral("2628765432"));
        QCOMPARE(okno.edtTextPlatby->text(), QStringLiteral("$vs"));
        QCOMPARE(okno.cbVariabilnySymbol->currentIndex(), 1);
        QTEST(okno.edtCisloVypisu->text(), "cisloVBoxe");

        const auto ulohy = program.ulohyVSubore();
        QCOMPARE(ulohy.size(), std::size_t(2));
        QTEST(ulohy[0].cisloVypisu, "cisloVSubore");
        QCOMPARE(ulohy[0].format, format);
        QCOMPARE(ulohy[0].cisloUctu, std::string("2628765432"));
        QCOMPARE(ulohy[0].textPlatby, std::string("$vs"));
        QCOMPARE(ulohy[0].variabilnySymbol, 1);
        QCOMPARE(ulohy[1].nazov, std::string("iná"));
    }

    void oldUserDatIsUpdated()
    {
        ProgramovyPriecinok program;
        vykonaj(program.subor("user.dat").toStdString(),
                staryUser("2.0.2.0", Rozlozenie::bezVariabilnehoSymbolu));
        TfrmHlavny okno(program.cesty());
        const Uloha& vybrata = stareUlohy[staraVybrataUloha];
        QCOMPARE(okno.cbUloha->count(), int(stareUlohy.size()));
        QCOMPARE(okno.cbUloha->currentIndex(), staraVybrataUloha);
        QCOMPARE(okno.edtNazov->text(), QString::fromStdString(vybrata.nazov));
        QCOMPARE(okno.edtCisloVypisu->text(), QString::number(vybrata.cisloVypisu));
    }
};

KASAMAT_TEST_MAIN(StartTest)
#include "start_test.moc"
