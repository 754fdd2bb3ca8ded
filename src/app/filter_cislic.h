#pragma once
// The digit filter of the account-number and statement-number boxes: typed
// digits go in up to the box's limit (a selection is replaced), Backspace
// erases, every other character, the control characters of cut and paste
// included, is refused. Keys that produce no character keep their usual
// effect; in a box with a spinner, Up and Down step the number.

#include <QObject>

class QLineEdit;

namespace kasamat {

class UpDown;

class FilterCislic : public QObject {
    Q_OBJECT
public:
    // Installs itself on the box; the box owns it.
    FilterCislic(QLineEdit* pole, int najviacZnakov, UpDown* pocitadlo = nullptr);

protected:
    bool eventFilter(QObject* objekt, QEvent* udalost) override;

private:
    QLineEdit* m_pole;
    int m_najviacZnakov;
    UpDown* m_pocitadlo;
};

}  // namespace kasamat
