#pragma once
// An up-down spinner bound to a text box: its arrows step the number in the
// box by one within a range, without wrapping. The box holds the value; the
// spinner only writes new texts into it, so the box's change handler sees
// every step.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace kasamat {

class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(QLineEdit* box, int najmenej, int najviac, QWidget* rodic);

    // The number in the box held within the range; while the box holds no
    // number (a refused paste), the last number it held.
    int pozicia() const { return m_pozicia; }
    // Sets the box to the number held within the range.
    void nastavPoziciu(int cislo);
    // One step up (+1) or down (-1); at a bound nothing changes.
    void krok(int smer);

protected:
    void resizeEvent(QResizeEvent* udalost) override;

private:
    QLineEdit* m_box;
    int m_najmenej;
    int m_najviac;
    int m_pozicia;
    QToolButton* m_hore;
    QToolButton* m_dole;
};

}  // namespace kasamat
