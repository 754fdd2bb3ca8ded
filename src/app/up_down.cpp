#include "app/up_down.h"

#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

namespace kasamat {

namespace {

QToolButton* sipka(Qt::ArrowType smer, QWidget* rodic)
{
    auto* tlacidlo = new QToolButton(rodic);
    tlacidlo->setArrowType(smer);
    tlacidlo->setAutoRepeat(true);
    tlacidlo->setFocusPolicy(Qt::NoFocus);
    return tlacidlo;
}

}  // namespace

UpDown::UpDown(QLineEdit* box, int najmenej, int najviac, QWidget* rodic)
    : QWidget(rodic), m_box(box), m_najmenej(najmenej), m_najviac(najviac), m_pozicia(najmenej),
      m_hore(sipka(Qt::UpArrow, this)), m_dole(sipka(Qt::DownArrow, this))
{
    connect(m_hore, &QToolButton::clicked, this, [this] { krok(1); });
    connect(m_dole, &QToolButton::clicked, this, [this] { krok(-1); });
    connect(m_box, &QLineEdit::textChanged, this, [this](const QString& text) {
        bool jeCislo = false;
        const long long cislo = text.toLongLong(&jeCislo);
        if (jeCislo) m_pozicia = int(std::clamp<long long>(cislo, m_najmenej, m_najviac));
    });
}

void UpDown::nastavPoziciu(int cislo)
{
    m_box->setText(QString::number(std::clamp(cislo, m_najmenej, m_najviac)));
}

void UpDown::krok(int smer)
{
    const int teraz = pozicia();
    const int nove = std::clamp(teraz + smer, m_najmenej, m_najviac);
    if (nove != teraz) nastavPoziciu(nove);
}

void UpDown::resizeEvent(QResizeEvent*)
{
    const int polovica = height() / 2;
    m_hore->setGeometry(0, 0, width(), polovica);
    m_dole->setGeometry(0, polovica, width(), height() - polovica);
}

}  // namespace kasamat
