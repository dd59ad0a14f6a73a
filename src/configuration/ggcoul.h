// ggcoul: the colour-scheme screen. Six large buttons, one per predefined
// scheme; touching one stores the nine colour classes in the settings file
// and in the shared colour arrays, then closes the screen. Each screen shows
// the new colours the next time it is drawn.
#pragma once

#include <string>
#include <utility>

#include "platform/form.h"

class ggcoul : public platform::form {
  public:
    static ggcoul& instance();

    // Applies scheme `index` (0 to 5 the buttons, 6 the custom scheme), then
    // closes the screen.
    void Command2_Click(int index);
    void label_bas_DblClick();
    void efface_couleurs_perso();
    std::pair<std::string, std::string> liste_couleurs();

  private:
    ggcoul() : form("ggcoul") {}
    void design() override;
    void form_load() override;
};
