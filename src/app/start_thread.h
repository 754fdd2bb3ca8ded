#pragma once
// TStartThread, the worker of a run: runs every task on a thread of its own
// while the window stays responsive, and hands the window back at the end,
// whatever happened. It deletes itself when its run has ended.

#include <QThread>

namespace kasamat {

class TfrmHlavny;

class TStartThread : public QThread {
    Q_OBJECT
public:
    // The window has already carried out the first steps of the run (status
    // text, wait cursor, "Štart" and the tabs disabled).
    explicit TStartThread(TfrmHlavny& okno);

protected:
    void run() override;

private:
    TfrmHlavny& m_okno;
    int m_povodnaUloha;
};

}  // namespace kasamat
