#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <vector>

#include "app/frm_info.h"
#include "app/o_aplikacii.h"
#include "app/shell.h"
#include "store/verzia.h"

using namespace kasamat;

Q_DECLARE_METATYPE(StavOkna)

namespace {

struct Otvorenie {
    QString ciel;
    StavOkna stav;
};

class ZapisovyShell : public Shell {
public:
    void otvor(const QString& ciel, StavOkna stav) override { otvorenia.push_back({ciel, stav}); }
    std::vector<Otvorenie> otvorenia;
};

const std::string cestaPomoci = "/program/TeamViewerQS_sk.exe";

}  // namespace

class OAplikaciiTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_okno = new QWidget;
        m_okno->resize(479, 365);
        m_shell = ZapisovyShell();
        m_tab = new OAplikacii(m_okno, m_shell, cestaPomoci);
        m_okno->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_okno));
    }

    void cleanup()
    {
        delete m_okno;
        frmInfo = nullptr;
    }

    void textsAndTooltips()
    {
        QCOMPARE(m_tab->lblNadpis->text(), QStringLiteral("Kasamat"));
        QCOMPARE(m_tab->lblNadpis->font().pixelSize(), 27);
        QCOMPARE(m_tab->lblVerzia->text(), QStringLiteral("Verzia:"));
        QCOMPARE(m_tab->lblVerziaCislo->text(), QStringLiteral("Nezistená"));
        QCOMPARE(m_tab->lblVerziaCislo->toolTip(), QStringLiteral("Release Info"));
        QCOMPARE(m_tab->lblVzdialenaPomoc->text(), QStringLiteral("Vzdialená pomoc"));
        QCOMPARE(m_tab->lblVzdialenaPomoc->toolTip(), QStringLiteral("TeamViewer"));
        // The blanks before the period make room for the name, as wide as it is.
        QVERIFY(QRegularExpression(QStringLiteral("^ktoré podporujú banky a ekonomický systém  +\\.$"))
                    .match(m_tab->lblText2->text())
                    .hasMatch());
        for (QLabel* odkaz : {m_tab->lblVerziaCislo, m_tab->lblVzdialenaPomoc, m_tab->lblEkonomickySystem,
                              m_tab->lblWebVyrobcu}) {
            QVERIFY2(odkaz->font().underline(), qPrintable(odkaz->objectName()));
            QCOMPARE(odkaz->cursor().shape(), Qt::PointingHandCursor);
        }
    }

    // Whatever font the desktop puts in place of Tahoma, the links never lie
    // over the text before them or over each other.
    void linksDoNotOverlap()
    {
        const int zaSystemom = m_tab->lblText2->x()
            + m_tab->lblText2->fontMetrics().horizontalAdvance(
                QStringLiteral("ktoré podporujú banky a ekonomický systém "));
        QVERIFY(m_tab->lblEkonomickySystem->x() >= std::max(320, zaSystemom));
        // The period follows the name at once.
        const QString text = m_tab->lblText2->text();
        const int bodka =
            m_tab->lblText2->x() + m_tab->lblText2->fontMetrics().horizontalAdvance(text.chopped(1));
        QVERIFY(bodka > m_tab->lblEkonomickySystem->geometry().right());
        QVERIFY(bodka <= m_tab->lblEkonomickySystem->geometry().right() + 1
                    + m_tab->lblText2->fontMetrics().horizontalAdvance(u' '));
        QCOMPARE(m_tab->lblEkonomickySystem->y(), 123);
        QVERIFY(!m_tab->lblWebVyrobcu->geometry().intersects(m_tab->lblVzdialenaPomoc->geometry()));
        QVERIFY(!m_tab->lblWebVyrobcu->geometry().intersects(m_tab->lblVyrobca->geometry()));
        QVERIFY(!m_tab->lblVerzia->geometry().intersects(m_tab->lblVerziaCislo->geometry()));
    }

    // The main window shows the program's version; it must fit where
    // "Nezistená" stood and keep its right edge in the column of the links.
    void programVersionInRightColumn()
    {
        QCOMPARE(VerziaProgramu(), std::string("2.5.0.0"));
        const int pravyOkraj = m_tab->lblVerziaCislo->geometry().right();
        m_tab->lblVerziaCislo->setText(QString::fromStdString(VerziaProgramu()));
        QCOMPARE(m_tab->lblVerziaCislo->text(), QStringLiteral("2.5.0.0"));
        QCOMPARE(m_tab->lblVerziaCislo->geometry().right(), pravyOkraj);
        QVERIFY(m_tab->lblVerziaCislo->fontMetrics().horizontalAdvance(QStringLiteral("2.5.0.0"))
                <= m_tab->lblVerziaCislo->width());
    }

    void linksOpenTheirTargets_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("ciel");
        QTest::addColumn<StavOkna>("stav");
        const QString vyrobca = QString::fromUtf8(odkazy::webVyrobcu);
        QTest::newRow("accounting system")
            << "lblEkonomickySystem" << QString::fromUtf8(odkazy::webEkonomickehoSystemu)
            << StavOkna::Maximalizovane;
        QTest::newRow("maker's logo") << "imgLogo" << vyrobca << StavOkna::Maximalizovane;
        QTest::newRow("maker's name") << "lblVyrobca" << vyrobca << StavOkna::Maximalizovane;
        QTest::newRow("maker's address") << "lblWebVyrobcu" << vyrobca << StavOkna::Maximalizovane;
        QTest::newRow("remote support")
            << "lblVzdialenaPomoc" << QString::fromStdString(cestaPomoci) << StavOkna::Normalne;
    }

    void linksOpenTheirTargets()
    {
        QFETCH(QString, label);
        QFETCH(QString, ciel);
        QFETCH(StavOkna, stav);
        auto* odkaz = m_okno->findChild<QLabel*>(label);
        QVERIFY(odkaz);

        QTest::mouseClick(odkaz, Qt::RightButton);
        QVERIFY(m_shell.otvorenia.empty());

        QTest::mouseClick(odkaz, Qt::LeftButton);
        QCOMPARE(m_shell.otvorenia.size(), std::size_t(1));
        QCOMPARE(m_shell.otvorenia[0].ciel, ciel);
        QVERIFY(m_shell.otvorenia[0].stav == stav);
    }

    void titleAndDescriptionAreNotLinks()
    {
        for (QLabel* label : {m_tab->lblNadpis, m_tab->lblText1, m_tab->lblText2, m_tab->lblVerzia})
            QTest::mouseClick(label, Qt::LeftButton);
        QVERIFY(m_shell.otvorenia.empty());
    }

    // The release notes show modally over the main window, with the file's
    // text as it was at start-up, and open nothing through the shell.
    void versionShowsReleaseNotesModally()
    {
        QTemporaryDir priecinok;
        const QString cesta = priecinok.filePath(QStringLiteral("release.nfo"));
        {
            QFile subor(cesta);
            QVERIFY(subor.open(QIODevice::WriteOnly));
            subor.write("Kasamat 2.5.0.0\r\nOpraven\xe9 \xe8\xedtanie \xfa\xe8tov\r\n");
        }
        frmInfo = new TfrmInfo(cesta.toStdString(), m_okno);
        {
            QFile subor(cesta);
            QVERIFY(subor.open(QIODevice::WriteOnly | QIODevice::Truncate));
            subor.write("iný text");
        }

        bool zobrazene = false;
        QWidget* modalne = nullptr;
        QString text;
        QPoint stredOkna;
        QTimer::singleShot(0, this, [&] {
            zobrazene = frmInfo->isVisible();
            modalne = QApplication::activeModalWidget();
            text = frmInfo->Memo->toPlainText();
            stredOkna = frmInfo->frameGeometry().center();
            frmInfo->accept();
        });
        QTest::mouseClick(m_tab->lblVerziaCislo, Qt::LeftButton);

        QVERIFY(zobrazene);
        QCOMPARE(modalne, static_cast<QWidget*>(frmInfo));
        QCOMPARE(text, QStringLiteral("Kasamat 2.5.0.0\nOpravené čítanie účtov"));
        QVERIFY((stredOkna - m_okno->frameGeometry().center()).manhattanLength() <= 2);
        QVERIFY(!frmInfo->isVisible());
        QVERIFY(m_shell.otvorenia.empty());
    }

private:
    QWidget* m_okno = nullptr;
    OAplikacii* m_tab = nullptr;
    ZapisovyShell m_shell;
};

QTEST_MAIN(OAplikaciiTest)
#include "o_aplikacii_test.moc"
