#include "configuration/menufor.h"

#include <vector>

#include "configuration/menu_formula.h"
#include "platform/services.h"
#include "shared/globals.h"
#include "shared/screen_layout.h"

menufor& menufor::instance() {
    static menufor* f = new menufor;
    return *f;
}

void menufor::form_load() {
    ligne_recue_ = ligne_travail;
    Module1::cale_fenetre(*this);
    dispose();
    Module1::applique_couleurs(*this);
    platform::yield();
}

void menufor::btc_retour_click() {
    page_formule = formule::page_precedente(page_formule);
    lit_touches_menus();
}

void menufor::btc_suite_click() {
    page_formule = formule::page_suivante(page_formule);
    lit_touches_menus();
}

void menufor::btrafff_click(int index) {
    const int p = formule::bascule_mode(platform::mouse_pointer(), platform::pointer::up_arrow);
    platform::set_mouse_pointer(p);
    if (p == platform::pointer::up_arrow) couleur_choisie_ = index;
}

void menufor::image2_click() {
    platform::set_mouse_pointer(
        formule::bascule_mode(platform::mouse_pointer(), platform::pointer::arrow_question));
}

void menufor::image3_click() {
    auto* lignes = get<platform::list_box>("List2");
    if (lignes->list_count() > 0) lignes->remove_item(lignes->list_count() - 1);
}

void menufor::image4_click() {
    formule::annule(liste_formule);
    texte_message.clear();
    // The modes belong to this screen: a pointer left in one of them would
    // show on the main screen and on every screen opened after it.
    platform::set_mouse_pointer(platform::pointer::normal);
    unload();
}

void menufor::image1_click() {
    platform::set_mouse_pointer(platform::pointer::normal);
    const auto* liste = get<platform::list_box>("List2");
    std::vector<std::string> lignes;
    lignes.reserve(static_cast<std::size_t>(liste->list_count()));
    for (int i = 0; i < liste->list_count(); ++i) lignes.push_back(liste->list(i));
    formule::valide(liste_formule, lignes);
    unload();
}

// Closing the window by the desktop's means keeps nothing: it is a cancel.
void menufor::closed_by_user() {
    image4_click();
}

namespace {
const bool registered =
    platform::register_form("menufor", []() -> platform::form& { return menufor::instance(); });
}
