// Grabs the three tabs of the main window into PNG files in the temporary
// folder, for looking at the layout (run it under xvfb-run for real fonts).
// Only the size of the grab is checked: pixels are not asserted.

#include <QTabWidget>

#include "app/frm_hlavny.h"
#include "prostredie_okna.h"

using namespace kasamat;
using namespace kasamat::test;

class SnimkyTest : public QObject {
    Q_OBJECT

private slots:
    void tabs()
    {
        ProgramovyPriecinok program;
        Uloha u = uloha("Tatra banka – bežný účet", 1);
        u.priecinokVstup = "/home/uctaren/vypisy/vstup";
        u.priecinokVystup = "/home/uctaren/vypisy/vystup";
        u.cisloUctu = "2628765432";
        u.cisloVypisu = 12;
        u.textPlatby = "$vs $txt";
        program.ulohy({u, uloha("Fio", 3)}, 0);

        TfrmHlavny okno(program.cesty());
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));
        const char* mena[] = {"spustenie", "nastavenie", "o_aplikacii"};
        for (int i = 0; i < 3; ++i) {
            okno.PageControl->setCurrentIndex(i);
            const QPixmap snimka = okno.grab();
            QCOMPARE(snimka.deviceIndependentSize().toSize(), QSize(479, 365));
            QVERIFY(snimka.save(
                QDir::temp().filePath(QStringLiteral("kasamat-%1.png").arg(QLatin1String(mena[i])))));
        }
    }
};

KASAMAT_TEST_MAIN(SnimkyTest)
#include "snimky_test.moc"
