// The countdown form: its count by the second, the retry text, closing by
// itself at the end or at once on a touch of its picture.
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "dialogs/attend_tempo.h"
#include "platform/cp1252.h"
#include "support/fixtures.h"

namespace {

using platform::form;

class countdown : public wvtest::folder_test {
  protected:
    static attend_tempo& screen() { return attend_tempo::instance(); }
    static platform::label* count() { return screen().get<platform::label>("Label4"); }
    static platform::timer* timer() { return screen().get<platform::timer>("Timer1"); }
};

TEST_F(countdown, counts_down_each_second_then_shows_the_retry_and_closes) {
    // The countdown's own second, not what the program holds.
    static constexpr int one_second = 1000;
    QElapsedTimer since_shown;
    scripted_user::expect("attend_tempo", [&since_shown](form& f) {
        EXPECT_EQ(
            f.get<platform::label>("Label1")->caption(),
            cp("Impossible de se connecter au réseau, un nouvel essai sera fait dans         secondes..."));
        EXPECT_EQ(count()->caption(), "5");
        EXPECT_EQ(timer()->interval(), one_second);
        // One real tick, and not before its second.
        EXPECT_TRUE(scripted_user::wait_until([] { return count()->caption() != "5"; }))
            << "the count never moved";
        EXPECT_GE(since_shown.elapsed(), one_second);
        EXPECT_EQ(count()->caption(), "4");
        // The following seconds, tick by tick.
        const char* shown[] = {"3", "2", "1", "-", "-", "-"};
        for (const char* s : shown) {
            timer()->on_timer();
            EXPECT_EQ(count()->caption(), s);
        }
        EXPECT_TRUE(f.get<platform::label>("Label3")->visible());
        EXPECT_TRUE(f.loaded());
        timer()->on_timer();  // the eighth second
        EXPECT_FALSE(f.loaded());
    });
    attente_touchee = true;
    since_shown.start();
    screen().show_modal();
    EXPECT_FALSE(attente_touchee);
}

TEST_F(countdown, a_touch_on_the_picture_closes_it_at_once) {
    scripted_user::expect("attend_tempo", [](form& f) {
        EXPECT_FALSE(f.get<platform::label>("Label3")->visible());
        scripted_user::tap(f.find("p11"));
    });
    screen().show_modal();
    EXPECT_TRUE(attente_touchee);
    // The next showing starts again from 5.
    scripted_user::expect("attend_tempo", [](form& f) {
        EXPECT_EQ(count()->caption(), "5");
        scripted_user::tap(f.find("p11"));
    });
    screen().show_modal();
}

}  // namespace
