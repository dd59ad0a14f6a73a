// Accents typed on a physical keyboard as a letter followed by a combining
// mark: the on-screen keyboard's field puts them together, so the text sent
// holds the code page's own letter and the caret still counts characters.
#include <gtest/gtest.h>

#include <QTest>

#include "dialogs/clavv.h"
#include "dialogs/keyboard_state.h"
#include "platform/cp1252.h"
#include "shared/globals.h"
#include "support/fixtures.h"

namespace {

using platform::form;

class keyboard_accents : public wvtest::folder_test {
  protected:
    void SetUp() override {
        folder_test::SetUp();
        largeur_ecran = 1024;
        hauteur_ecran = 768;
        platform::find_form("Form1")->move(0, 0, 1024 * 15, 768 * 15);
    }
    static clavv& kb() { return clavv::instance(); }
    static platform::text_box* field() { return kb().get<platform::text_box>("Text1"); }
    static void tap(int i) { scripted_user::tap(kb().get<platform::label>("ttoc", i)); }
    // Each character is a key event of its own, as a keyboard sends a
    // combining mark after its letter.
    static void keys(const char* utf8) { scripted_user::type_unicode(field(), QString::fromUtf8(utf8)); }
    static std::string typed(const std::string& text, std::function<void()> user) {
        scripted_user::expect("clavv", [user](form&) {
            field()->setFocus();
            user();
        });
        type_message = 129;
        texte_message = text;
        kb().show_modal();
        EXPECT_FALSE(kb().loaded());
        return texte_message;
    }
};

TEST_F(keyboard_accents, a_letter_and_its_combining_mark_are_sent_as_one_code_page_letter) {
    const std::string sent = typed("|", [] {
        keys("e\u0301");
        EXPECT_EQ(field()->text(), "\xE9");
        EXPECT_EQ(field()->sel_start(), 1);
        tap(15);  // "a" of the on-screen keyboard, after the accent
        keys("c\u0327e\u0300n\u0303E\u0301");
        // A mark the code page has no letter for stays one "?", as before.
        keys("q\u0301");
        QTest::keyClick(field(), Qt::Key_Return);
    });
    EXPECT_EQ(sent,
              "\xE9"
              "a\xE7\xE8\xF1\xC9q?");
}

TEST_F(keyboard_accents, a_touch_after_an_accent_typed_inside_the_text_lands_after_it) {
    const std::string sent = typed("|ab", [] {
        QTest::keyClick(field(), Qt::Key_Home);
        keys("e\u0301");
        EXPECT_EQ(field()->sel_start(), 1);
        tap(16);  // "z"
        EXPECT_EQ(field()->text(), "\xE9zab");
        QTest::keyClick(field(), Qt::Key_End);
        keys("u\u0308");
        tap(13);  // backspace: the composed letter is one character
        keys("o\u0302");
        QTest::keyClick(field(), Qt::Key_Return);
    });
    EXPECT_EQ(sent, "\xE9zab\xF4");
}

}  // namespace
