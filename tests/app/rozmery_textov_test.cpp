// Every text of the three tabs fits its control whole in the font the window
// actually uses: labels end before the control to their right, buttons and
// lists hold their texts with the style's margins, tabs are not cut.

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>

#include "app/frm_hlavny.h"
#include "prostredie_okna.h"

using namespace kasamat;
using namespace kasamat::test;

namespace {

// The nearest box, list or button to the right of `w` on its row, among its
// siblings (a label beside a label reads as one text, as "/" and the bank code).
const QWidget* susedVpravo(const QWidget* w)
{
    const QWidget* sused = nullptr;
    for (const QObject* o : w->parentWidget()->children()) {
        const auto* iny = qobject_cast<const QWidget*>(o);
        if (!iny || qobject_cast<const QLabel*>(iny) || !iny->isVisibleTo(w->parentWidget())
            || iny->x() <= w->x())
            continue;
        const bool vRiadku = iny->y() < w->geometry().bottom() && w->y() < iny->geometry().bottom();
        if (vRiadku && (!sused || iny->x() < sused->x())) sused = iny;
    }
    return sused;
}

// The text with the style's margins and frame around it (the style's own
// size of a button also holds a minimum width that is no part of the text).
int sirkaTlacidla(const QPushButton* tlacidlo)
{
    const QStyle* styl = tlacidlo->style();
    return tlacidlo->fontMetrics().horizontalAdvance(tlacidlo->text())
        + 2
        * (styl->pixelMetric(QStyle::PM_ButtonMargin, nullptr, tlacidlo)
           + styl->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, tlacidlo));
}

int sirkaZoznamu(const QComboBox* zoznam, const QString& text)
{
    QStyleOptionComboBox volby;
    volby.initFrom(zoznam);
    volby.editable = false;
    const QFontMetrics miery = zoznam->fontMetrics();
    return zoznam->style()
        ->sizeFromContents(QStyle::CT_ComboBox, &volby, QSize(miery.horizontalAdvance(text), miery.height()),
                           zoznam)
        .width();
}

}  // namespace

class RozmeryTextovTest : public QObject {
    Q_OBJECT

private slots:
    void textsFit()
    {
        ProgramovyPriecinok program;
        program.ulohy({uloha("a", 1)}, 0);
        TfrmHlavny okno(program.cesty());
        QCOMPARE(okno.font().family(), QStringLiteral("Tahoma"));
        for (const QLabel* label : okno.findChildren<QLabel*>()) {
            // The status bar lays out its own labels; the sentence on the About
            // tab keeps a room of blanks for the label over it (o_aplikacii_test).
            if (label->text().isEmpty() || okno.StatusBar->isAncestorOf(label)
                || label->objectName() == QStringLiteral("lblText2"))
                continue;
            const int koniec = label->x() + label->fontMetrics().horizontalAdvance(label->text());
            const QWidget* sused = susedVpravo(label);
            if (sused)
                QVERIFY2(koniec < sused->x(),
                         qPrintable(label->objectName() + QStringLiteral(" ends at %1, touching ").arg(koniec)
                                    + sused->objectName()));
            QVERIFY2(koniec <= label->parentWidget()->width(), qPrintable(label->objectName()));
        }
        for (const QPushButton* tlacidlo : okno.findChildren<QPushButton*>())
            QVERIFY2(sirkaTlacidla(tlacidlo) <= tlacidlo->width(),
                     qPrintable(tlacidlo->objectName()
                                + QStringLiteral(" needs %1").arg(sirkaTlacidla(tlacidlo))));
        for (const QComboBox* zoznam : okno.findChildren<QComboBox*>())
            for (int i = 0; i < zoznam->count(); ++i)
                QVERIFY2(
                    sirkaZoznamu(zoznam, zoznam->itemText(i)) <= zoznam->width(),
                    qPrintable(zoznam->objectName() + ": " + zoznam->itemText(i)
                               + QStringLiteral(" needs %1").arg(sirkaZoznamu(zoznam, zoznam->itemText(i)))));
        const QTabBar* zalozky = okno.PageControl->tabBar();
        QCOMPARE(zalozky->elideMode(), Qt::ElideNone);
        QVERIFY(zalozky->tabRect(zalozky->count() - 1).right() < okno.PageControl->width());
    }
};

KASAMAT_TEST_MAIN(RozmeryTextovTest)
#include "rozmery_textov_test.moc"
