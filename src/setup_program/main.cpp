// Ostrevane: the set-up program. Its one screen finds the exchange folder,
// writes the folder file and starts the main program.
#include <QApplication>

#include "platform/form.h"
#include "platform/services.h"
#include "setup_program/form1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::force_runtime_decimal_point();
    Ostrevane::Form1::instance().show();
    return app.exec();
}
