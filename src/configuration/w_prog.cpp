#include "configuration/w_prog.h"

#include <algorithm>
#include <cmath>

#include "configuration/colour_palette.h"
#include "platform/cp1252.h"
#include "platform/input_box.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/record_files.h"
#include "shared/screen_layout.h"
#include "shared/settings_file.h"

namespace {
namespace col = page_touches::col;
namespace a = platform::align;

constexpr int nb_colonnes_g1 = col::derniere + 1;
// Twips the grid keeps on its right for its scroll bar.
constexpr double marge_defilement = 280;
constexpr double marge = 60, haut_bouton = 600, haut_ligne = 420, haut_bas = 2040;
// A plan larger than this says nothing more about a page of 100 records.
constexpr int plan_max = 100;

struct colonne {
    const char* titre;
    double largeur;
};
// Column 2 takes what the others leave; columns 9 to 14 are not shown.
const colonne colonnes[] = {{"N°", 1000},   {"Ref", 1500},  {"Libellé", 0}, {"LH", 1000}, {"Size", 1000},
                            {"Grap", 1000}, {"Visu", 1000}, {"Acte", 4000}, {"Coul", 300}};

platform::record_file& fichier() {
    auto& f = programmation::fichier();
    // The main screen's load leaves the file open; should it not have run, the
    // editor opens it the same way rather than edit nothing.
    if (!f.is_open()) w_velmo_2::ouvre_programmation();
    return f;
}

void pose_couleur(platform::grid& g, int r, const std::string& valeur) {
    g.set_cell_back_color(r, col::couleur, page_touches::valeur_couleur(valeur));
}
}  // namespace

w_prog& w_prog::instance() {
    static w_prog* f = new w_prog;
    return *f;
}

void w_prog::design() {
    move(0, 0, 12000, 9000);
    set_back_color(0xE8E8E8);
    set_caption("Programmation");

    const char* titres[] = {"Fin", "Changer page", "Copier", "Coller", "Couper", "Switch"};
    for (int i = 1; i <= 6; ++i) {
        auto* b = add<platform::picture_button>("Command" + std::to_string(i));
        b->set_caption(titres[i - 1]);
        b->set_font_size(9);
        b->set_font_bold(true);
    }
    get<platform::control>("Command1")->on_click = [this] { Command1_Click(); };
    get<platform::control>("Command2")->on_click = [this] { Command2_Click(); };
    get<platform::control>("Command3")->on_click = [this] { bloc_click("COPIER"); };
    get<platform::control>("Command4")->on_click = [this] { bloc_click("COLLER"); };
    get<platform::control>("Command5")->on_click = [this] { bloc_click("COUPER"); };
    get<platform::control>("Command6")->on_click = [this] { Command6_Click(); };

    auto* page = add<platform::label>("Label7");
    page->set_caption("Page");
    page->set_font_size(10);
    page->set_back_style(0);
    auto* numero = add<platform::label>("Label1");
    numero->set_font_size(16);
    numero->set_font_bold(true);
    numero->set_back_style(0);
    auto* mode = add<platform::label>("Label4");
    mode->set_font_size(12);
    mode->set_font_bold(true);
    mode->set_fore_color(0x0000C0);
    mode->set_back_style(0);

    for (auto [nom, texte] : {std::pair{"Label2", "Haut"}, {"Label3", "Bas"}}) {
        auto* l = add<platform::label>(nom);
        l->set_caption(texte);
        l->set_font_size(10);
        l->set_back_style(0);
    }
    add<platform::text_box>("Text1")->set_font_size(10);
    add<platform::text_box>("Text2")->set_font_size(10);

    auto* g1 = add<platform::grid>("g1");
    g1->set_scroll_bar(true);
    g1->on_cell_click = [this](int r, int c) { g1_Click(r, c); };
    g1->on_dbl_click = [this] { g1_DblClick(); };
    g1->on_key_press = [this](int& ascii) { g1_KeyPress(ascii); };

    auto* g2 = add<platform::grid>("g2");
    g2->set_fixed_rows(0);
    g2->set_fixed_cols(0);
    g2->set_top_row(0);

    auto* palette = add<platform::picture>("Picture1");
    palette->on_mouse_down = [this](double x, double y) { Picture1_MouseDown(x, y); };

    auto* bloc = add<platform::label>("Label5");
    bloc->set_word_wrap(true);
    bloc->set_back_color(0xFFFFFF);
    bloc->set_font_size(8);
}

void w_prog::form_load() {
    fichier();
    Module1::cale_fenetre(*this);
    const double w = width() > 0 ? width() : 12000, h = height() > 0 ? height() : 9000;

    const double larg_bouton = std::min(1500.0, (w - 3200) / 6);
    for (int i = 1; i <= 6; ++i)
        find("Command" + std::to_string(i))
            ->move(marge + (i - 1) * (larg_bouton + 30), marge, larg_bouton, haut_bouton);
    const double apres_boutons = marge + 6 * (larg_bouton + 30) + 60;
    find("Label7")->move(apres_boutons, marge + 150, 540, 360);
    find("Label1")->move(apres_boutons + 540, marge + 30, 900, 540);
    find("Label4")->move(apres_boutons + 1440, marge + 120, w - apres_boutons - 1500, 420);

    const double y_textes = marge + haut_bouton + 60, moitie = w / 2;
    find("Label2")->move(marge, y_textes + 60, 600, haut_ligne);
    find("Text1")->move(marge + 600, y_textes, moitie - marge - 660, haut_ligne);
    find("Label3")->move(moitie, y_textes + 60, 600, haut_ligne);
    find("Text2")->move(moitie + 600, y_textes, moitie - marge - 600, haut_ligne);

    const double y_grille = y_textes + haut_ligne + 60, y_bas = h - haut_bas;
    find("g1")->move(marge, y_grille, w - 2 * marge, y_bas - y_grille - 60);
    find("g2")->move(marge, y_bas, 3600, haut_bas - marge);
    auto* palette = get<platform::picture>("Picture1");
    palette->move(3780, y_bas, 4800, haut_bas - marge);
    palette->set_picture(palette_couleurs::image(platform::to_px(4800), platform::to_px(haut_bas - marge)));
    find("Label5")->move(8700, y_bas, std::max(600.0, w - 8700 - marge), haut_bas - marge);

    // The editor opens ready to edit, and a page number that cannot be a page
    // of the file opens page 0 instead of writing outside it.
    platform::set_mouse_pointer(platform::pointer::arrow);
    get<platform::label>("Label4")->set_caption("");
    if (num_page < 0 || num_page > page_touches::page_max) num_page = 0;
    charge_page();
}

void w_prog::form_unload() {
    // The block modes are pointer shapes of the whole program: none outlives the editor.
    platform::set_mouse_pointer(platform::pointer::normal);
}

void w_prog::construit_g1() {
    auto* g = get<platform::grid>("g1");
    g->set_row(0);
    g->clear();
    g->set_cols(nb_colonnes_g1);
    g->set_rows(page_touches::nb_touches + 1);
    g->set_fixed_rows(1);
    g->set_fixed_cols(1);
    double autres = 0;
    for (int c = 0; c < nb_colonnes_g1; ++c) {
        const double l = c < 9 ? colonnes[c].largeur : 0;
        g->set_col_width(c, l);
        g->set_col_alignment(c, a::left_center);
        g->set_fixed_alignment(c, a::center_center);
        if (c < 9) g->set_text(0, c, cp(colonnes[c].titre));
        autres += l;
    }
    g->set_col_width(col::libelle, std::max(0.0, std::floor(g->width() - marge_defilement - autres)));
}

void w_prog::charge_page() {
    auto* g = get<platform::grid>("g1");
    g->set_redraw(false);
    construit_g1();
    get<platform::label>("Label1")->set_caption(txt::format(num_page, "0"));
    base_page = static_cast<std::int32_t>(num_page) * 100;
    const page_touches::page p = page_touches::lit_page(fichier(), num_page);
    get<platform::text_box>("Text1")->set_text(p.haut);
    get<platform::text_box>("Text2")->set_text(p.bas);
    for (int i = 1; i <= page_touches::nb_touches; ++i) pose_ligne(i, p.lignes[static_cast<std::size_t>(i)]);
    construit_g2();
    g->set_top_row(1);
    g->set_row(1);
    g->set_col(1);
    g->set_redraw(true);
}

void w_prog::construit_g2() {
    auto* g = get<platform::grid>("g2");
    g->set_redraw(false);
    const int colonnes_plan = std::clamp<int>(nb_colonnes_touches, 0, plan_max);
    const int rangees_plan = std::clamp<int>(nb_rangees_touches, 0, plan_max);
    g->set_cols(colonnes_plan);
    g->set_rows(rangees_plan);
    if (colonnes_plan > 0 && rangees_plan > 0) {
        const double l = std::floor(g->width() / colonnes_plan);
        for (int c = 0; c < colonnes_plan; ++c) {
            g->set_col_width(c, l);
            g->set_col_alignment(c, a::center_center);
        }
        g->set_width(colonnes_plan * l);
        const double h = std::floor(g->height() / rangees_plan);
        g->set_row_height_min(h);
        for (int r = 0; r < rangees_plan; ++r) g->set_row_height(r, h);
        g->set_height(rangees_plan * h);
        int n = 0;
        for (int r = 0; r < rangees_plan; ++r)
            for (int c = 0; c < colonnes_plan; ++c) g->set_text(r, c, txt::str(++n));
    }
    g->set_redraw(true);
}

page_touches::ligne w_prog::ligne(int r) const {
    page_touches::ligne l;
    const auto* g = get<platform::grid>("g1");
    for (int c = 0; c < nb_colonnes_g1; ++c) l[static_cast<std::size_t>(c)] = g->text(r, c);
    return l;
}

void w_prog::pose_ligne(int r, const page_touches::ligne& l) {
    auto* g = get<platform::grid>("g1");
    for (int c = 0; c < nb_colonnes_g1; ++c) g->set_text(r, c, l[static_cast<std::size_t>(c)]);
    pose_couleur(*g, r, l[col::valeur_couleur]);
}

bool w_prog::valide_donnees() {
    page_touches::page p;
    p.haut = get<platform::text_box>("Text1")->text();
    p.bas = get<platform::text_box>("Text2")->text();
    for (int i = 1; i <= page_touches::nb_touches; ++i) p.lignes[static_cast<std::size_t>(i)] = ligne(i);
    return page_touches::ecrit_page(fichier(), num_page, p);
}

void w_prog::signale_echec() {
    type_message = 0;
    texte_message = cp("La page n'a pas pu être enregistrée dans \"progppb.wdo\" : elle reste à l'écran.");
    platform::show_modal("mini_97");
}

void w_prog::Command1_Click() {
    if (!valide_donnees()) {
        signale_echec();
        return;
    }
    unload();
}

void w_prog::Command2_Click() {
    const std::string reponse = platform::input_box(cp("N° de page "), "KVO", txt::format(num_page, "0"));
    if (reponse.empty()) return;
    const int page = page_touches::page_demandee(reponse);
    if (page < 0) return;
    if (!valide_donnees()) {
        signale_echec();
        return;
    }
    num_page = static_cast<std::int16_t>(page);
    charge_page();
}

void w_prog::bloc_click(const char* mot) {
    auto* mode = get<platform::label>("Label4");
    if (platform::mouse_pointer() == platform::pointer::up_arrow) {
        platform::set_mouse_pointer(platform::pointer::arrow);
        mode->set_caption("");
    } else {
        platform::set_mouse_pointer(platform::pointer::up_arrow);
        mode->set_caption(mot);
    }
}

void w_prog::Command6_Click() {
    type_message = 129;
    texte_message = "Entrez le numero de switch ?";
    platform::show_modal("mini_97");
    if (texte_message.empty()) return;
    // Record 0, a negative one or a number beyond the file's reach is no record.
    const long n = page_touches::numero_switch(texte_message);
    if (n == 0) return;
    parametres::lit(n);
    type_message = 129;
    texte_message =
        cp("Valeur du switch N° ") + txt::format(static_cast<double>(n), "0") + " ?|" + enreg_param;
    platform::show_modal("mini_97");
    if (texte_message.empty()) return;
    parametres::ecrit(n, texte_message);
}

void w_prog::g1_Click(int r, int c) {
    if (platform::mouse_pointer() != platform::pointer::arrow) return;
    auto* g = get<platform::grid>("g1");
    if (r < 1) return;
    // The key number picks the row; it is not a field.
    if (c < 1) {
        g->set_row(r);
        return;
    }
    if (c == col::image) {
        ligne_travail = g->text(r, c);
        platform::show_modal("lis_bout");
        g->set_text(r, c, ligne_travail);
    } else if (c == col::couleur) {
        // The colour cell shows the colour; what is typed there is its value.
        ligne_travail = platform::input_box("Modification", "KVO", g->text(r, col::valeur_couleur));
        g->set_text(r, col::valeur_couleur, ligne_travail);
        pose_couleur(*g, r, ligne_travail);
    } else {
        ligne_travail = platform::input_box("Modification", "KVO", g->text(r, c));
        g->set_text(r, c, ligne_travail);
    }
    if (c == col::reference) {
        page_touches::ligne l = ligne(r);
        page_touches::apres_reference(l);
        pose_ligne(r, l);
    }
}

void w_prog::g1_KeyPress(int& ascii) {
    if (ascii != 13) return;
    auto* g = get<platform::grid>("g1");
    g1_Click(g->row(), g->col());
}

void w_prog::g1_DblClick() {
    if (platform::mouse_pointer() == platform::pointer::arrow) return;
    platform::set_mouse_pointer(platform::pointer::arrow);
    auto* g = get<platform::grid>("g1");
    if (g->mouse_row() >= 1) g->set_row(g->mouse_row());
    if (g->row() < 1) return;
    const std::string mot = get<platform::label>("Label4")->caption();
    if (mot == "COPIER") {
        copie_ligne();
    } else if (mot == "COLLER") {
        insere_ligne();
    } else if (mot == "COUPER") {
        copie_ligne();
        efface_ligne();
    }
}

void w_prog::copie_ligne() {
    const int r = get<platform::grid>("g1")->row();
    get<platform::label>("Label5")->set_caption(page_touches::copie(ligne(r)));
}

void w_prog::insere_ligne() {
    const int r = get<platform::grid>("g1")->row();
    page_touches::ligne l = ligne(r);
    page_touches::colle(l, get<platform::label>("Label5")->caption());
    pose_ligne(r, l);
}

void w_prog::efface_ligne() {
    const int r = get<platform::grid>("g1")->row();
    page_touches::ligne l = ligne(r);
    page_touches::efface(l);
    pose_ligne(r, l);
}

void w_prog::Picture1_MouseDown(double x, double y) {
    const std::int64_t couleur = get<platform::picture>("Picture1")->point(x, y);
    auto* g = get<platform::grid>("g1");
    const int r = g->row();
    if (couleur < 0 || r < 1) return;
    g->set_cell_back_color(r, col::couleur, couleur);
    g->set_text(r, col::valeur_couleur, txt::format(static_cast<double>(couleur), "0"));
}

namespace {
const bool registered =
    platform::register_form("w_prog", []() -> platform::form& { return w_prog::instance(); });
}
