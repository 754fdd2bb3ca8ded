#include "app/o_aplikacii.h"

#include <algorithm>

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "app/frm_info.h"
#include "app/shell.h"

namespace kasamat {

namespace {

QLabel* popis(QWidget* stranka, const char* meno, const QString& text, int x, int y)
{
    auto* popisok = new QLabel(stranka);
    popisok->setObjectName(QLatin1String(meno));
    // Never read as markup, whatever a version or a name may hold.
    popisok->setTextFormat(Qt::PlainText);
    popisok->setText(text);
    popisok->adjustSize();
    popisok->move(x, y);
    return popisok;
}

// A right-aligned label: its right edge stays where its first text ended, so
// that a shorter text (the version replacing "Nezistená") keeps the column.
QLabel* popisVpravo(QWidget* stranka, const char* meno, const QString& text, int x, int y)
{
    auto* popisok = popis(stranka, meno, text, x, y);
    popisok->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return popisok;
}

void urobOdkaz(QLabel* popisok, OAplikacii* filter, bool zvyraznit)
{
    QFont pismo = popisok->font();
    pismo.setUnderline(true);
    popisok->setFont(pismo);
    if (zvyraznit) {
        QPalette paleta = popisok->palette();
        paleta.setColor(QPalette::WindowText, paleta.color(QPalette::Highlight));
        popisok->setPalette(paleta);
    }
    popisok->adjustSize();
    popisok->setCursor(Qt::PointingHandCursor);
    popisok->installEventFilter(filter);
}

// The program's icon: a statement page with a turning arrow, the conversion.
QPixmap ikonaProgramu()
{
    QPixmap obraz(32, 32);
    obraz.fill(Qt::transparent);
    QPainter p(&obraz);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 60, 110), 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 2.5, 18, 24));
    p.setPen(QPen(QColor(120, 130, 150), 1));
    for (int riadok = 0; riadok < 5; ++riadok)
        p.drawLine(QPointF(8, 8 + riadok * 4), QPointF(19, 8 + riadok * 4));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 130, 60));
    QPainterPath sipka;
    sipka.moveTo(17, 20);
    sipka.lineTo(25, 20);
    sipka.lineTo(25, 16);
    sipka.lineTo(31, 23);
    sipka.lineTo(25, 30);
    sipka.lineTo(25, 26);
    sipka.lineTo(17, 26);
    sipka.closeSubpath();
    p.drawPath(sipka);
    return obraz;
}

// The maker's logo: a plain monogram.
QPixmap logoVyrobcu()
{
    QPixmap obraz(48, 48);
    obraz.fill(Qt::transparent);
    QPainter p(&obraz);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 90, 160));
    p.drawRoundedRect(QRectF(2, 2, 44, 44), 9, 9);
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(13, 14), QPointF(24, 35), QPointF(35, 14)}));
    return obraz;
}

constexpr int koniecAdresyVyrobcu = 360;

QLabel* obrazok(QWidget* stranka, const char* meno, const QPixmap& pixmapa, int x, int y)
{
    auto* popisok = new QLabel(stranka);
    popisok->setObjectName(QLatin1String(meno));
    popisok->setPixmap(pixmapa);
    popisok->setGeometry(x, y, pixmapa.width(), pixmapa.height());
    return popisok;
}

}  // namespace

OAplikacii::OAplikacii(QWidget* stranka, Shell& shell, const std::string& cestaVzdialenejPomoci)
    : QObject(stranka), m_shell(shell), m_cestaVzdialenejPomoci(QString::fromStdString(cestaVzdialenejPomoci))
{
    imgIkona = obrazok(stranka, "imgIkona", ikonaProgramu(), 50, 56);

    lblNadpis = new QLabel(QStringLiteral("Kasamat"), stranka);
    lblNadpis->setObjectName(QStringLiteral("lblNadpis"));
    QFont nadpis(QStringLiteral("Tahoma"));
    nadpis.setPixelSize(27);
    lblNadpis->setFont(nadpis);
    lblNadpis->setGeometry(88, 55, 328, 33);

    lblText1 =
        popis(stranka, "lblText1",
              QStringLiteral("Aplikácia zabezpečuje konverziu bankových výpisov a príkazov medzi formátmi,"),
              46, 104);
    // The accounting system's name is a label of its own, in a room of
    // blanks that the sentence keeps for it before its period. The room is
    // as wide as the name in the font in use: a fixed count of blanks would
    // leave a gap before the period, or let the period run into the name.
    const QString predMenom = QStringLiteral("ktoré podporujú banky a ekonomický systém ");
    lblText2 = popis(stranka, "lblText2", predMenom, 103, 123);
    const QFontMetrics miery = lblText2->fontMetrics();
    const int zaSystemom = lblText2->x() + miery.horizontalAdvance(predMenom);
    lblEkonomickySystem = popis(stranka, "lblEkonomickySystem", QString::fromUtf8(odkazy::ekonomickySystem),
                                std::max(320, zaSystemom), 123);
    QString miesto;
    while (zaSystemom + miery.horizontalAdvance(miesto) < lblEkonomickySystem->geometry().right() + 1)
        miesto += u' ';
    lblText2->setText(predMenom + miesto + u'.');
    lblText2->adjustSize();
    urobOdkaz(lblEkonomickySystem, this, true);

    imgLogo = obrazok(stranka, "imgLogo", logoVyrobcu(), 18, 249);
    imgLogo->setCursor(Qt::PointingHandCursor);
    imgLogo->installEventFilter(this);
    lblVyrobca = popis(stranka, "lblVyrobca", QString::fromUtf8(odkazy::vyrobca), 71, 272);
    lblVyrobca->setCursor(Qt::PointingHandCursor);
    lblVyrobca->installEventFilter(this);
    // Right-aligned: the address ends a little before "Vzdialená pomoc" on
    // the same line, and a longer one grows to the left.
    lblWebVyrobcu = popisVpravo(stranka, "lblWebVyrobcu", QString::fromUtf8(odkazy::adresaVyrobcu), 285, 283);
    urobOdkaz(lblWebVyrobcu, this, true);
    lblWebVyrobcu->move(koniecAdresyVyrobcu - lblWebVyrobcu->width(), lblWebVyrobcu->y());

    lblVerzia = popis(stranka, "lblVerzia", QStringLiteral("Verzia:"), 363, 245);
    lblVerziaCislo = popisVpravo(stranka, "lblVerziaCislo", QStringLiteral("Nezistená"),
                                 std::max(399, lblVerzia->geometry().right() + 3), 245);
    urobOdkaz(lblVerziaCislo, this, false);
    lblVerziaCislo->setToolTip(QStringLiteral("Release Info"));

    lblVzdialenaPomoc =
        popisVpravo(stranka, "lblVzdialenaPomoc", QStringLiteral("Vzdialená pomoc"), 367, 283);
    urobOdkaz(lblVzdialenaPomoc, this, false);
    lblVzdialenaPomoc->setToolTip(QStringLiteral("TeamViewer"));
}

void OAplikacii::lblVerziaCisloClick()
{
    if (frmInfo) frmInfo->exec();
}

void OAplikacii::lblEkonomickySystemClick()
{
    m_shell.otvor(QString::fromUtf8(odkazy::webEkonomickehoSystemu), StavOkna::Maximalizovane);
}

void OAplikacii::lblVyrobcaClick()
{
    m_shell.otvor(QString::fromUtf8(odkazy::webVyrobcu), StavOkna::Maximalizovane);
}

void OAplikacii::lblVzdialenaPomocClick() { m_shell.otvor(m_cestaVzdialenejPomoci, StavOkna::Normalne); }

bool OAplikacii::eventFilter(QObject* objekt, QEvent* udalost)
{
    if (udalost->type() != QEvent::MouseButtonRelease) return false;
    auto* mys = static_cast<QMouseEvent*>(udalost);
    auto* ovladanie = qobject_cast<QWidget*>(objekt);
    if (mys->button() != Qt::LeftButton || !ovladanie
        || !ovladanie->rect().contains(mys->position().toPoint()))
        return false;

    if (objekt == lblVerziaCislo)
        lblVerziaCisloClick();
    else if (objekt == lblEkonomickySystem)
        lblEkonomickySystemClick();
    else if (objekt == imgLogo || objekt == lblVyrobca || objekt == lblWebVyrobcu)
        lblVyrobcaClick();
    else if (objekt == lblVzdialenaPomoc)
        lblVzdialenaPomocClick();
    else
        return false;
    return true;
}

}  // namespace kasamat
