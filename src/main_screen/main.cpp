// Wvelmorin: the order-taking program. The main screen's load routine is the
// whole start-up; after it the program waits for touches.
#include <QApplication>
#include <clocale>
#include <cstdio>

#include "main_screen/tablet_lock.h"
#include "platform/form.h"
#include "platform/services.h"
#include "platform/text_file.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Qt adopts the desktop's locale; numbers of the order files are always
    // written and read with ".".
    platform::force_runtime_decimal_point();
    // Before anything reads or writes the tablet's files: a second program on
    // this folder ends here.
    verrou_tablette::prend();
    // The tablet folder is the working folder: its temporary names on the
    // exchange folder must be told from those of any other tablet folder.
    platform::set_tablet_folder(".");
    platform::form* principal = platform::find_form("Form1");
    if (!principal) {
        std::fprintf(stderr, "wvelmorin: the main screen is missing from this build\n");
        return 1;
    }
    principal->show();
    return app.exec();
}
