// The scripted user: a test queues, by screen name, what the user does on
// each modal screen that opens. A screen that opens with nothing queued
// fails the test at once; a watchdog fails a test that waits too long.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "platform/form.h"

namespace scripted_user {

using action = std::function<void(platform::form&)>;

// The next showing of `screen` runs `a` inside its modal loop.
void expect(const std::string& screen, action a);
// Screens still expected (not yet opened).
int pending();
std::string pending_names();
void clear();
// Installs the hook of the forms layer (done once by the test main).
void install();

// What a dialog returns, from its caller's point of view: sets type_message
// and texte_message as the dialog would and unloads it.
action answer(int type, const std::string& text = "");

// Real input events on the controls.
void tap(platform::control* c);
void double_tap(platform::control* c);
void tap_cell(platform::grid* g, int row, int col);
// A tap queued as real input (a press and a release posted to the control):
// it is handled when the event loop next runs its pending events, as a touch
// made while a screen is closing.
void post_tap(platform::control* c);
void post_tap_cell(platform::grid* g, int row, int col);
// Types text into the focused text box, key by key.
void type_text(platform::text_box* t, const std::string& cp1252_text);
// Types any text, as a physical keyboard or a paste gives characters the code
// page may not hold ("\u03A9", "\u0142"): one key event per character.
void type_unicode(platform::text_box* t, const QString& text);

// Lets the event loop run for ms milliseconds. Only for "nothing happens
// meanwhile" checks: a test that needs a state waits for it (wait_until).
void wait(int ms);

// Lets the event loop run until `ready` holds, for at most ceiling_ms
// stretched by wvtest::time_scale(); false if it never held. A state reached
// counts as progress for the watchdogs.
bool wait_until(const std::function<bool()>& ready, int ceiling_ms = 5000);
// Waits until the screen takes touches again: a screen deaf for its first
// moments (the keypad's tap lock) disables its window meanwhile. Fails the
// test when it never does.
void wait_for_touches(platform::form& f);

}  // namespace scripted_user
