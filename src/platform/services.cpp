#include "platform/services.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <QTimer>
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

namespace platform {

process_result run_program(const std::string& program, const std::vector<std::string>& arguments,
                           int timeout_ms) {
    process_result r;
    QStringList args;
    for (const auto& a : arguments) args << QString::fromStdString(a);
    QProcess p;
    // A program that asks for a password reads the end of its input and
    // gives up instead of waiting for a keyboard the tablet has not.
    p.setInputChannelMode(QProcess::ManagedInputChannel);
    p.start(QString::fromStdString(program), args);
    if (!p.waitForStarted(timeout_ms)) return r;
    r.started = true;
    p.closeWriteChannel();
    // Off the screen's thread (the network folder's worker) there is no event
    // loop to watch the program with: that thread simply waits for it.
    if (QCoreApplication* app = QCoreApplication::instance();
        !app || QThread::currentThread() != app->thread()) {
        const bool ended = p.waitForFinished(timeout_ms);
        r.output = p.readAllStandardOutput().toStdString();
        if (!ended) {
            p.kill();
            p.waitForFinished(1000);
            return r;
        }
        r.finished = p.exitStatus() == QProcess::NormalExit;
        r.exit_code = p.exitCode();
        return r;
    }
    QEventLoop loop;
    QTimer bound;
    bound.setSingleShot(true);
    bound.setTimerType(Qt::PreciseTimer);
    QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    bound.start(timeout_ms);
    if (p.state() != QProcess::NotRunning) loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (p.state() != QProcess::NotRunning) {
        r.output = p.readAllStandardOutput().toStdString();
        p.kill();
        p.waitForFinished(1000);
        return r;
    }
    r.output = p.readAllStandardOutput().toStdString();
    r.finished = p.exitStatus() == QProcess::NormalExit;
    r.exit_code = p.exitCode();
    return r;
}

}  // namespace platform
