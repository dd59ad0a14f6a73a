// The forms layer: modal showing in a nested loop, controls created anew at
// each showing, controls released inside their own handlers, the scripted
// user's fail-fast.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QTest>

#include "platform/form.h"
#include "platform/services.h"
#include "support/fixtures.h"

namespace {

// A screen with one key that closes it.
class boite : public platform::form {
  public:
    boite() : form("test_boite") {}
    int chargements = 0;  // a screen variable: kept across showings
    platform::label* cle = nullptr;

  private:
    void design() override {
        move(0, 0, 6000, 4000);
        cle = add<platform::label>("cle");
        cle->move(100, 100, 1500, 900);
        cle->set_caption("Fermer");
        cle->on_click = [this] { unload(); };
    }
    void form_load() override { ++chargements; }
};

// A screen whose key, when touched, releases every key of a control array
// (the touched one among them) and loads them again, as a key screen redraw does.
class clavier : public platform::form {
  public:
    clavier() : form("test_clavier") {}
    int touches = 0;
    boite sous_ecran;
    void redessine() {
        for (int i = 1; i <= 20; ++i) unload_element("btx", i);
        for (int i = 1; i <= 20; ++i) {
            auto* k = load_element<platform::label>("btx", i);
            k->move(200.0 * i, 0, 180, 180);
            k->set_caption(std::to_string(i));
            k->set_visible(true);
        }
    }
    platform::label* touche(int i) { return get<platform::label>("btx", i); }
    platform::label* get_fin() { return get<platform::label>("fin"); }

  private:
    void design() override {
        move(0, 0, 9000, 3000);
        auto* modele = add<platform::label>("btx", 0);
        modele->set_visible(false);
        modele->on_click = [this] {
            ++touches;
            redessine();
            // A modal screen shown from the handler of a key that no longer exists.
            sous_ecran.show_modal();
            redessine();
        };
        auto* fin = add<platform::label>("fin");
        fin->on_click = [this] { unload(); };
    }
    void form_load() override { redessine(); }
};

class forms_layer : public wvtest::folder_test {};

TEST_F(forms_layer, modal_screen_returns_after_it_unloads_and_reloads_its_controls) {
    boite b;
    scripted_user::expect("test_boite", [&](platform::form&) { scripted_user::tap(b.cle); });
    scripted_user::expect("test_boite", [&](platform::form&) {
        EXPECT_EQ(b.cle->caption(), "Fermer");
        scripted_user::tap(b.cle);
    });
    b.show_modal();
    EXPECT_FALSE(b.loaded());
    b.show_modal();
    EXPECT_EQ(b.chargements, 2);
}

TEST_F(forms_layer, key_released_inside_its_own_touch_handler_is_safe) {
    clavier c;
    scripted_user::expect("test_clavier", [&](platform::form&) {
        scripted_user::tap(c.touche(5));
        scripted_user::tap(c.touche(5));
        scripted_user::tap(c.get_fin());
    });
    scripted_user::expect("test_boite", [&](platform::form&) { scripted_user::tap(c.sous_ecran.cle); });
    scripted_user::expect("test_boite", [&](platform::form&) { scripted_user::tap(c.sous_ecran.cle); });
    c.show_modal();
    EXPECT_EQ(c.touches, 2);
    EXPECT_FALSE(c.loaded());
}

TEST_F(forms_layer, unexpected_modal_screen_fails_at_once) {
    boite b;
    EXPECT_NONFATAL_FAILURE(b.show_modal(), "did not expect it");
    EXPECT_FALSE(b.loaded());
}

TEST_F(forms_layer, pooled_array_elements_take_the_design_of_element_zero) {
    clavier c;
    scripted_user::expect("test_clavier", [&](platform::form& f) {
        auto* k = c.touche(3);
        ASSERT_NE(k, nullptr);
        EXPECT_TRUE(k->visible());
        EXPECT_EQ(k->caption(), "3");
        EXPECT_EQ(k->left(), 600);
        f.unload();
    });
    c.show_modal();
}

TEST_F(forms_layer, end_program_closes_files_and_exits) {
    EXPECT_EXIT(platform::end_program(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
