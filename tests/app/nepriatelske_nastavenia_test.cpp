// Hostile settings typed into the real window: apostrophes, SQL fragments,
// double quotes, backslashes and very long texts are stored exactly as typed,
// leave the other tasks alone, and the validation summary and a run still work.

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>

#include "app/frm_hlavny.h"
#include "prostredie_okna.h"

using namespace kasamat;
using namespace kasamat::test;

namespace {

Uloha plna(const std::string& nazov)
{
    Uloha u = uloha(nazov, 1);
    u.priecinokVstup = "/vstup/" + nazov;
    u.priecinokVystup = "/vystup/" + nazov;
    u.cisloUctu = "2628765432";
    u.cisloVypisu = 17;
    u.periodicita = 1;
    u.variabilnySymbol = 1;
    u.textPlatby = "$vs $txt";
    return u;
}

// Short plain texts are typed key by key; a long one, or one with letters
// that have no key of their own here, is pasted as a user would bring it in
// (and a long one then makes one change, not ten thousand).
void vloz(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    if (text.size() < 200
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x7f; })) {
        QTest::keyClicks(box, text);
        return;
    }
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

QString dlhyText()
{
    const QString vzor = QStringLiteral("'\"\\; -- ľ");
    QString text;
    while (text.size() < 10000) text += vzor;
    return text.left(10000);
}

}  // namespace

class NepriatelskeNastaveniaTest : public QObject {
    Q_OBJECT

private slots:
    void textsAreStoredExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("apostrophes") << QStringLiteral("O'Neil's '' '");
        QTest::newRow("a statement of its own") << QStringLiteral("'; DELETE FROM Ulohy; --");
        QTest::newRow("always true") << QStringLiteral("' OR '1'='1");
        QTest::newRow("double quotes") << QStringLiteral("\"uver\" \"\"\"");
        QTest::newRow("backslashes") << QStringLiteral("C:\\Users\\a\\'\\");
        QTest::newRow("10 000 characters") << dlhyText();
    }

    void textsAreStoredExactly()
    {
        QFETCH(QString, text);
        ProgramovyPriecinok program;
        program.ulohy({plna("a"), plna("b"), plna("c")}, 1);
        TfrmHlavny okno(program.cesty());
        naNastavenie(okno);

        for (QLineEdit* box :
             {okno.edtNazov, okno.edtPriecinokVstup, okno.edtPriecinokVystup, okno.edtTextPlatby})
            vloz(box, text);
        okno.cbUloha->setFocus();

        const auto ulohy = program.ulohyVSubore();
        QCOMPARE(ulohy.size(), std::size_t(3));
        Uloha ocakavana = plna("b");
        ocakavana.nazov = ocakavana.priecinokVstup = ocakavana.priecinokVystup = ocakavana.textPlatby =
            text.toStdString();
        porovnaj(ulohy[1], ocakavana);
        porovnaj(ulohy[0], plna("a"));
        porovnaj(ulohy[2], plna("c"));
        QCOMPARE(okno.cbUloha->itemText(1), QStringLiteral("2. ") + text);

        // The summary names every task, the hostile one by its whole name;
        // its folders do not exist, so the run stays locked.
        okno.PageControl->setCurrentWidget(okno.tsSpustenie);
        const QString suhrn = okno.mmStart->toPlainText();
        QVERIFY(suhrn.contains(QStringLiteral("\n2. ") + text + u'\n'));
        QVERIFY(suhrn.contains(QStringLiteral("\n1. a\n")));
        QVERIFY(suhrn.contains(QStringLiteral("\n3. c\n")));
        QVERIFY(!okno.btnStart->isEnabled());

        // A new window reads back what was stored.
        TfrmHlavny druhe(program.cesty());
        QCOMPARE(druhe.edtNazov->text(), text);
        QCOMPARE(druhe.edtTextPlatby->text(), text);
    }

    // Folders whose names hold every hostile character are typed into the
    // task and a run converts through them.
    void runThroughHostileFolders()
    {
        ProgramovyPriecinok program;
        Uloha druha = plna("b");
        druha.priecinokVstup = program.novyPriecinok("b-vstup").toStdString();
        druha.priecinokVystup = program.novyPriecinok("b-vystup").toStdString();
        program.ulohy({plna("a"), druha}, 0);
        // Windows allows no quote or backslash in a name; the SQL fragments stay.
        const bool windows = QSysInfo::productType() == QStringLiteral("windows");
        const QString vstup = program.novyPriecinok(windows ? "in'; DELETE FROM Ulohy; -- ' OR '1'='1"
                                                            : "in'; DELETE FROM Ulohy; --\"\\ ' OR '1'='1");
        const QString vystup = program.novyPriecinok(windows ? "out' ľ" : "out\"'\\\\ ľ");
        QVERIFY(QFile::copy(
            QStringLiteral(KASAMAT_TEST_DATA "/golden/trustpay-per-file/input/trustpay_2024_02.csv"),
            vstup + QStringLiteral("/vypis.csv")));
        TfrmHlavny okno(program.cesty());
        naNastavenie(okno);
        vloz(okno.edtPriecinokVstup, vstup);
        vloz(okno.edtPriecinokVystup, vystup);
        vloz(okno.edtNazov, QStringLiteral("' OR '1'='1"));
        okno.cbUloha->setFocus();

        okno.PageControl->setCurrentWidget(okno.tsSpustenie);
        QVERIFY(okno.btnStart->isEnabled());
        QTest::mouseClick(okno.btnStart, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!okno.beziBeh(), 20000);

        QVERIFY2(okno.mmStart->toPlainText().contains(
                     QStringLiteral("1. ' OR '1'='1\nVygenerovaný výpis č. 17: vypis.csv (20240201).clr\n")),
                 qPrintable(okno.mmStart->toPlainText()));
        QVERIFY(QFile::exists(vystup + QStringLiteral("/vypis.csv (20240206).clr")));
        QVERIFY(QFile::exists(vystup + QStringLiteral("/vypis.csv")));
        QVERIFY(QDir(vstup).isEmpty());
        const auto ulohy = program.ulohyVSubore();
        QCOMPARE(ulohy.size(), std::size_t(2));
        // Daily statements of three days.
        QCOMPARE(ulohy[0].cisloVypisu, 20);
        QCOMPARE(ulohy[0].priecinokVstup, vstup.toStdString());
        porovnaj(ulohy[1], druha);
    }
};

KASAMAT_TEST_MAIN(NepriatelskeNastaveniaTest)
#include "nepriatelske_nastavenia_test.moc"
