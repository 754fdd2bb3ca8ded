// A conversion that is not part of the program joins it through one row of
// the Format table: the editor, the validation summary and the run follow
// that row alone.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/frm_hlavny.h"
#include "banks/formaty.h"
#include "podpora/docasny_priecinok.h"
#include "podpora/testovacia_banka.h"
#include "prostredie_okna.h"

using namespace kasamat;
using namespace kasamat::test;

class DalsiFormatTest : public QObject {
    Q_OBJECT

private slots:
    void oneTableRowIsEnoughForEditorValidationAndRun()
    {
        const int format =
            pridajFormat({"Testovacia banka *.csv -> test *.out", &testovaciaBanka, "0999", true, true});

        ProgramovyPriecinok program;
        Uloha piata = uloha("piata", format);
        piata.priecinokVstup = program.novyPriecinok("vstup").toStdString();
        piata.priecinokVystup = program.novyPriecinok("vystup").toStdString();
        piata.cisloUctu = "123";
        piata.textPlatby = "platba";
        zapisSubor(program.subor("vstup/vypis.csv").toStdString(), "PS;1000\r\n01.03.2019;500;K\r\n");
        program.ulohy({piata}, 0);
        TfrmHlavny okno(program.cesty());

        const QStringList suhrn = okno.mmStart->toPlainText().split(u'\n');
        for (const char* riadok : {"Formát: Testovacia banka *.csv -> test *.out", "Číslo účtu: 123/0999",
                                   "Text: platba", "Ako variabilný symbol použiť: variabilný symbol"})
            QVERIFY2(suhrn.contains(QString::fromUtf8(riadok)), riadok);

        naNastavenie(okno);
        QCOMPARE(okno.cbFormat->count(), format + 1);
        QCOMPARE(okno.cbFormat->currentIndex(), format);
        QCOMPARE(okno.lblKodBanky->text(), QStringLiteral("0999"));
        QVERIFY(okno.edtCisloUctu->isEnabled());
        QVERIFY(okno.edtTextPlatby->isEnabled());
        // The row above, a bank whose exports name their account, hides them;
        // the new row shows them again, emptied of what that row cleared.
        okno.cbFormat->setFocus();
        QTest::keyClick(okno.cbFormat, Qt::Key_Up);
        QVERIFY(!okno.edtCisloUctu->isEnabled());
        QVERIFY(!okno.edtTextPlatby->isEnabled());
        QTest::keyClick(okno.cbFormat, Qt::Key_Down);
        QVERIFY(okno.edtCisloUctu->isEnabled());
        QVERIFY(okno.edtTextPlatby->isEnabled());
        QVERIFY(okno.edtCisloUctu->text().isEmpty());
        okno.edtCisloUctu->setText(QStringLiteral("123"));

        okno.PageControl->setCurrentWidget(okno.tsSpustenie);
        spustiAPockaj(okno);
        QVERIFY(okno.mmStart->toPlainText().contains(
            QStringLiteral("Vygenerovaný výpis č. 1: vypis (20190301).out")));
        QCOMPARE(program.obsah("vystup/vypis (20190301).out"),
                 QByteArray("H;1;1000\r\nT;1;20190301;K;500\r\nS;1;0;500;1500;20190301\r\n"));
    }
};

KASAMAT_TEST_MAIN(DalsiFormatTest)
#include "dalsi_format_test.moc"
