#pragma once
// The application object: the program's title, the framework's texts in
// Slovak, and the framework's error box,
// which catches an error that escapes any handler of the window, shows it and
// lets the program go on.

#include <QApplication>
#include <QString>

namespace kasamat {

// The application title: the task-bar text and the title of the error box.
inline constexpr const char* titulAplikacie = "Kontomat";

class Aplikacia : public QApplication {
    Q_OBJECT
public:
    Aplikacia(int& argc, char** argv);
    bool notify(QObject* prijemca, QEvent* udalost) override;
};

// The framework's error box: a critical message under the application title,
// with the error's own text, over the active window.
void ukazChybu(const QString& text);

}  // namespace kasamat
