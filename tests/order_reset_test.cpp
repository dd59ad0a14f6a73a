// The reset confirmation behind the bottom bar of every order screen: No
// leaves the screen as it was, Yes ends the program without writing anything.
#include <gtest/gtest.h>

#include "order_fixture.h"
#include "platform/cp1252.h"
#include "platform/text_file.h"

namespace {

const std::string question =
    cp("Confirmez la réinitialisation du logiciel, les données saisies seront perdues ?");
const std::string entrecote = "2000200000013  |DES:Entrec\xF4te|PVE:18.50|FA1:3|FA2:0|";

class order_reset : public wvtest::order_screen_test {};

TEST_F(order_reset, no_keeps_every_order_screen_open_as_it_was) {
    for (const char* ecran : {"ch_numtab", "lis_tbb", "sel_arti", "sai_detail", "eta_com", "sai_menu"}) {
        texte_message = "|";
        ligne_travail = entrecote;
        std::string demande;
        scripted_user::expect(ecran, [](platform::form& f) {
            scripted_user::double_tap(f.find("label_bas"));
            EXPECT_TRUE(f.loaded());
            f.unload();
        });
        scripted_user::expect("mini_97", [&](platform::form& f) {
            demande = texte_message;
            scripted_user::answer(7)(f);
        });
        platform::show_modal(ecran);
        EXPECT_EQ(demande, question) << ecran;
    }
}

TEST_F(order_reset, yes_on_the_line_editor_ends_the_program_and_loses_the_line) {
    ligne_travail = entrecote;
    scripted_user::expect("sel_arti",
                          [](platform::form& f) { scripted_user::double_tap(f.find("label_bas")); });
    scripted_user::expect("mini_97", scripted_user::answer(6));
    EXPECT_EXIT(
        {
            platform::show_modal("sel_arti");
            std::_Exit(5);
        },
        ::testing::ExitedWithCode(0), "");
    scripted_user::clear();  // the expectations were used in the child only
    EXPECT_FALSE(platform::file_exists(work / "prov.txt"));
}

}  // namespace
