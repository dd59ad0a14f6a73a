// What the order screens need around them in a test: an 800 x 600 screen,
// the main window sized to it, the settings file open, colour classes unset.
#pragma once

#include <string>

#include "main_screen/form1.h"
#include "platform/form.h"
#include "platform/grid.h"
#include "shared/globals.h"
#include "shared/screen_layout.h"
#include "shared/settings_file.h"
#include "support/fixtures.h"

namespace wvtest {

class order_screen_test : public folder_test {
  protected:
    void SetUp() override {
        folder_test::SetUp();
        largeur_ecran = 800;
        hauteur_ecran = 600;
        coul_texte.fill(-1);
        coul_fond.fill(-1);
        fin_ligne = "\r\n";
        format_prix = "0.00";
        parametres::fichier().open(parametres::nom_fichier);
        Module1::dimensionne_fenetre(Form1::instance());
    }
};

template <class T>
T* control_of(platform::form& f, const std::string& name, int index = -1) {
    T* c = f.get<T>(name, index);
    EXPECT_NE(c, nullptr) << name;
    return c;
}

inline platform::grid* grid_of(platform::form& f, const std::string& name, int index = -1) {
    return control_of<platform::grid>(f, name, index);
}
inline std::string caption_of(platform::form& f, const std::string& name) {
    auto* l = control_of<platform::label>(f, name);
    return l ? l->caption() : std::string("<missing>");
}

}  // namespace wvtest
