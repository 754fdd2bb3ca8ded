#pragma once
// TfrmInfo, the release notes window "Release Info": one read-only memo with
// the text of release.nfo as it was when the program started.

#include <QDialog>
#include <string>

class QPlainTextEdit;

namespace kasamat {

class TfrmInfo : public QDialog {
    Q_OBJECT
public:
    // Runs FormCreate with the release notes path (UTF-8, program folder +
    // "release.nfo"). The parent is the main window: the dialog is shown over
    // its middle and is destroyed with it.
    explicit TfrmInfo(const std::string& cestaReleaseInfo, QWidget* hlavneOkno = nullptr);
    ~TfrmInfo() override;

    QPlainTextEdit* Memo = nullptr;

private:
    // Loads the file once, as code page 1250 lines, when it exists; a missing
    // file leaves the memo empty. Later changes to the file are not seen.
    void FormCreate(const std::string& cestaReleaseInfo);
};

// The one release notes window, created by the program entry after the main
// window (frmInfo = new TfrmInfo(paths.releaseInfo, frmHlavny)); it resets
// itself to null when destroyed.
extern TfrmInfo* frmInfo;

}  // namespace kasamat
