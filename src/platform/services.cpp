#include "platform/services.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QUrl>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/record_file.h"
#include "platform/text.h"

namespace platform {

namespace {
int current_pointer = pointer::normal;
char separator_override = 0;
std::function<bool(const std::string&)>& start_hook() {
    static std::function<bool(const std::string&)> h;
    return h;
}
}  // namespace

void yield() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void end_program() {
    record_file::close_all();
    std::fflush(nullptr);
    std::_Exit(0);
}

double screen_width_twips() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() * 15.0 : 800 * 15.0;
}

double screen_height_twips() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().height() * 15.0 : 600 * 15.0;
}

int mouse_pointer() {
    return current_pointer;
}

void set_mouse_pointer(int p) {
    if (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
    current_pointer = p;
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (p) {
        case pointer::normal:
            return;
        case pointer::up_arrow:
            shape = Qt::UpArrowCursor;
            break;
        case pointer::hourglass:
            shape = Qt::WaitCursor;
            break;
        case pointer::arrow_question:
            shape = Qt::WhatsThisCursor;
            break;
        default:
            break;
    }
    QGuiApplication::setOverrideCursor(QCursor(shape));
}

void set_start_hook(std::function<bool(const std::string&)> hook) {
    start_hook() = std::move(hook);
}

bool start_program(const std::string& name) {
    if (start_hook()) return start_hook()(name);
    const QString program =
        QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromStdString(name));
    return QProcess::startDetached(program, {}, QDir::currentPath());
}

bool open_url(const std::string& address) {
    if (start_hook()) return start_hook()(address);
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

char runtime_decimal_separator() {
    if (separator_override) return separator_override;
    const std::lconv* lc = std::localeconv();
    return lc && lc->decimal_point && lc->decimal_point[0] ? lc->decimal_point[0] : '.';
}

void force_runtime_decimal_point() {
    std::setlocale(LC_NUMERIC, "C");
    if (separator_override) separator_override = '.';
}

void set_decimal_separator_override(char c) {
    separator_override = c;
}

namespace {
std::function<date_time()>& clock_override() {
    static std::function<date_time()> c;
    return c;
}
}  // namespace

date_time now() {
    if (clock_override()) return clock_override()();
    const QDateTime t = QDateTime::currentDateTime();
    return {t.date().year(),   t.date().month(),  t.date().day(), t.time().hour(),
            t.time().minute(), t.time().second(), t.time().msec()};
}

void set_clock(std::function<date_time()> clock) {
    clock_override() = std::move(clock);
}

}  // namespace platform
