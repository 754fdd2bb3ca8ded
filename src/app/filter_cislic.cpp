#include "app/filter_cislic.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "app/up_down.h"

namespace kasamat {

namespace {

// Keys that produce no character of their own: the box handles them as usual.
bool jeKlavesBezZnaku(int klaves)
{
    switch (klaves) {
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt: return true;
    default: return false;
    }
}

bool jeVkladanieAleboVystrihnutie(const QKeyEvent* udalost)
{
    return udalost->matches(QKeySequence::Paste) || udalost->matches(QKeySequence::Cut)
        || udalost->matches(QKeySequence::Undo) || udalost->matches(QKeySequence::Redo);
}

}  // namespace

FilterCislic::FilterCislic(QLineEdit* pole, int najviacZnakov, UpDown* pocitadlo)
    : QObject(pole), m_pole(pole), m_najviacZnakov(najviacZnakov), m_pocitadlo(pocitadlo)
{
    pole->installEventFilter(this);
}

bool FilterCislic::eventFilter(QObject* objekt, QEvent* udalost)
{
    if (objekt != m_pole || udalost->type() != QEvent::KeyPress) return false;
    const auto* klaves = static_cast<QKeyEvent*>(udalost);
    const int kod = klaves->key();

    if (m_pocitadlo && (kod == Qt::Key_Up || kod == Qt::Key_Down)) {
        m_pocitadlo->krok(kod == Qt::Key_Up ? 1 : -1);
        return true;
    }
    if (kod == Qt::Key_Backspace) {
        // Removes the selection, or the character before the caret; each change is stored by the box's handler.
        m_pole->backspace();
        return true;
    }
    const QString znak = klaves->text();
    const bool jeCislica = znak.size() == 1 && znak[0] >= u'0' && znak[0] <= u'9'
        && !(klaves->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (jeCislica) {
        if (m_pole->text().size() < m_najviacZnakov || m_pole->hasSelectedText()) m_pole->insert(znak);
        return true;
    }
    if (jeVkladanieAleboVystrihnutie(klaves)) return true;
    if (jeKlavesBezZnaku(kod)) return false;
    return !znak.isEmpty();
}

}  // namespace kasamat
