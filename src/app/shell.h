#pragma once
// The shell seam: the About tab asks the desktop to "open" a web page or the
// remote-support tool and never looks at the result. Tests put a recording
// double in place of the desktop.

#include <QString>

namespace kasamat {

// How the opened target's window should appear.
enum class StavOkna { Normalne, Maximalizovane };

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a web address or a local file path (a program is started); the
    // outcome is not reported: a target that cannot be opened does nothing visible.
    virtual void otvor(const QString& ciel, StavOkna stav) = 0;
};

// The desktop's own shell, shared by the whole program.
Shell& systemovyShell();

}  // namespace kasamat
