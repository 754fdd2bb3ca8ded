#include <QApplication>

#include "app/frm_hlavny.h"

int main(int argc, char* argv[])
{
    QApplication aplikacia(argc, argv);
    return 0;
}
