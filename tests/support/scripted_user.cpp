#include "support/scripted_user.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <deque>
#include <map>

#include "platform/cp1252.h"
#include "shared/globals.h"
#include "support/fixtures.h"

namespace scripted_user {

namespace {
std::map<std::string, std::deque<action>>& queues() {
    static std::map<std::string, std::deque<action>> q;
    return q;
}
}  // namespace

void expect(const std::string& screen, action a) {
    queues()[screen].push_back(std::move(a));
}

int pending() {
    int n = 0;
    for (auto& [name, q] : queues()) n += static_cast<int>(q.size());
    return n;
}

std::string pending_names() {
    std::string s;
    for (auto& [name, q] : queues())
        for (std::size_t i = 0; i < q.size(); ++i) s += name + " ";
    return s;
}

void clear() {
    queues().clear();
}

void install() {
    platform::set_modal_hook([](platform::form& f) {
        auto& q = queues()[f.name()];
        if (q.empty()) {
            ADD_FAILURE() << "the screen " << f.name() << " opened, but the test did not expect it";
            f.unload();
            return;
        }
        action a = std::move(q.front());
        q.pop_front();
        // A screen opened as expected, and its action done, are progress.
        wvtest::still_working();
        platform::form* target = &f;
        QTimer::singleShot(0, [a, target] {
            if (!target->loaded()) return;
            a(*target);
            wvtest::still_working();
        });
    });
}

action answer(int type, const std::string& text) {
    return [type, text](platform::form& f) {
        type_message = type;
        texte_message = text;
        f.unload();
    };
}

void tap(platform::control* c) {
    ASSERT_NE(c, nullptr);
    QWidget* w = c->widget();
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

void double_tap(platform::control* c) {
    ASSERT_NE(c, nullptr);
    QWidget* w = c->widget();
    QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

void tap_cell(platform::grid* g, int row, int col) {
    ASSERT_NE(g, nullptr);
    const QRect r = g->cell_rect(row, col);
    ASSERT_FALSE(r.isEmpty()) << "cell " << row << "," << col << " is not shown";
    QTest::mouseClick(g, Qt::LeftButton, Qt::NoModifier, r.center());
}

namespace {
void post_click(QWidget* w, QPoint at) {
    const QPointF local(at), global(w->mapToGlobal(at));
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, local, global, Qt::LeftButton,
                                                   Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonRelease, local, global, Qt::LeftButton,
                                                   Qt::NoButton, Qt::NoModifier));
}
}  // namespace

void post_tap(platform::control* c) {
    ASSERT_NE(c, nullptr);
    post_click(c->widget(), c->widget()->rect().center());
}

void post_tap_cell(platform::grid* g, int row, int col) {
    ASSERT_NE(g, nullptr);
    const QRect r = g->cell_rect(row, col);
    ASSERT_FALSE(r.isEmpty()) << "cell " << row << "," << col << " is not shown";
    post_click(g, r.center());
}

void type_text(platform::text_box* t, const std::string& text) {
    ASSERT_NE(t, nullptr);
    QTest::keyClicks(t, cp1252::to_qt(text));
}

void type_unicode(platform::text_box* t, const QString& text) {
    ASSERT_NE(t, nullptr);
    // QTest types Latin-1 only: the events carry the character themselves.
    for (char32_t u : text.toUcs4()) {
        const QString c = QString::fromUcs4(&u, 1);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, c);
        QCoreApplication::sendEvent(t->widget(), &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, c);
        QCoreApplication::sendEvent(t->widget(), &release);
    }
}

void wait(int ms) {
    QTest::qWait(ms);
}

bool wait_until(const std::function<bool()>& ready, int ceiling_ms) {
    const bool came = QTest::qWaitFor(ready, static_cast<int>(ceiling_ms * wvtest::time_scale()));
    if (came) wvtest::still_working();
    return came;
}

void wait_for_touches(platform::form& f) {
    ASSERT_TRUE(f.loaded()) << f.name();
    EXPECT_TRUE(wait_until([&f] { return !f.loaded() || f.window()->isEnabled(); }))
        << "the screen " << f.name() << " never took touches";
}

}  // namespace scripted_user
