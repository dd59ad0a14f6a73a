#include "order/sel_arti.h"

#include "dialogs/program_end.h"
#include "order/button_bar.h"
#include "order/complement_grid.h"
#include "order/order_line.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/icc.h"
#include "shared/screen_layout.h"
#include "shared/settings_file.h"

namespace {
constexpr int lignes_grille = grille_complements::derniere + 1;
}  // namespace

sel_arti& sel_arti::instance() {
    static sel_arti* f = new sel_arti;
    return *f;
}

void sel_arti::design() {
    move(0, 0, 12000, 9000);
    set_back_color(0xFFFFFF);
    moduclav::cree_bandeaux(*this, "5", [this] { label_bas_dbl_click(); });

    auto* designation = add<platform::label>("Label1");
    designation->tag = "5";
    designation->set_alignment(2);
    designation->set_font_bold(true);
    designation->set_back_color(0xF3E2D3);
    designation->set_fore_color(0x3F2000);
    designation->set_word_wrap(true);

    auto* moins = add<platform::picture_button>("bt_gauc");
    moins->move(210, 1650, 1440, 1440);
    moins->on_click = [this] { bt_gauc_click(); };
    auto* quantite = add<platform::label>("Label6");
    quantite->move(1950, 1890, 795, 1035);
    quantite->set_font_name("Arial");
    quantite->set_font_size(36);
    quantite->set_font_bold(true);
    quantite->set_alignment(2);
    quantite->set_back_style(0);
    quantite->set_caption("1");
    auto* plus = add<platform::picture_button>("bt_droi");
    plus->move(3030, 1650, 1440, 1440);
    plus->on_click = [this] { bt_droi_click(); };

    auto* panneau = add<platform::picture>("Picture1");
    panneau->set_stretch(true);
    panneau->move(0, 1590, 4005, 1440);
    panneau->set_back_color(0xC0C0C0);
    struct prix {
        const char* nom;
        const char* classe;
        const char* texte;
    };
    for (const prix& p : {prix{"Label2", "1", " Unitaire"}, prix{"Label3", "2", ""},
                          prix{"Label4", "1", " Total"}, prix{"Label5", "2", ""}}) {
        auto* l = add<platform::label>(p.nom);
        l->tag = p.classe;
        l->set_caption(p.texte);
        l->set_font_size(18);
        l->set_font_bold(true);
        const bool valeur = std::string(p.classe) == "2";
        l->set_back_color(valeur ? 0xFFFFFF : 0xF3E2D3);
        l->set_fore_color(valeur ? 0x000080 : 0x3F2000);
        if (valeur) l->set_alignment(1);
    }

    auto* complements = add<platform::grid>("g1");
    complements->tag = "8";
    complements->set_rows(lignes_grille);
    complements->set_cols(1);
    complements->set_fixed_rows(1);
    complements->set_fixed_cols(0);
    complements->on_cell_click = [this](int r, int) { g1_click(r); };

    add<platform::grid>("g2")->on_cell_click = [this](int, int c) { g2_click(c); };
    auto* recue = add<platform::label>("Label7");
    recue->set_visible(false);
}

void sel_arti::form_load() {
    Module1::applique_couleurs(*this);
    moduclav::place_bandeaux(*this, "Validation d'un Article", "");
    get<platform::label>("Label7")->set_caption(ligne_travail);
    Module1::cale_fenetre(*this);
    const double largeur = largeur_ecran * 15.0, hauteur = hauteur_ecran * 15.0;

    auto* designation = get<platform::label>("Label1");
    designation->set_font_size(static_cast<double>(parametres::lit_entier(enreg_taille_article, "#I#20")));
    auto* complements = get<platform::grid>("g1");
    complements->set_font_size(static_cast<double>(parametres::lit_entier(enreg_taille_detail, "#I#18")));

    namespace a = platform::align;
    auto* barre = get<platform::grid>("g2");
    barre_boutons::pose(*barre, 1440,
                        {{{19, a::center_center},
                          {25, a::right_center},
                          {25, a::right_center},
                          {25, a::right_center},
                          {25, a::right_center},
                          {14, a::right_center}}});
    barre->set_redraw(false);
    for (int c = 1; c <= 4; ++c) {
        barre->set_text(0, c, std::string(1, static_cast<char>('A' + c - 1)));
        barre->set_cell_font_size(0, c, 36);
        barre->set_cell_font_bold(0, c, true);
    }
    barre->set_redraw(true);

    get<platform::picture_button>("bt_droi")->set_picture(icc::bt_coul(70));
    get<platform::picture_button>("bt_gauc")->set_picture(icc::bt_coul(71));

    complements->set_redraw(false);
    complements->move(200, 3210, largeur - 400, hauteur - 6000);
    complements->set_row_height_min(600);
    complements->set_text(0, 0, cp("Informations complémentaires"));
    complements->set_col_alignment(0, a::left_center);
    complements->set_fixed_alignment(0, a::center_center);
    // More complements than rows on the screen: a finger-wide scroll bar
    // reaches every one, and the column stops short of it.
    complements->set_scroll_bar(true, Module1::cible_tactile());
    complements->set_col_width(0, complements->width() - complements->scroll_bar_width());

    designation->move(200, 500, largeur - 400, 1005);
    auto* panneau = get<platform::picture>("Picture1");
    panneau->set_left(largeur - 200 - panneau->width());
    const double x = panneau->left(), y = panneau->top();
    get<platform::label>("Label2")->move(x + 30, y, 2415, 690);
    get<platform::label>("Label3")->move(x + 2550, y, 1485 - 60, 690);
    get<platform::label>("Label4")->move(x + 30, y + 720, 2415, 690);
    get<platform::label>("Label5")->move(x + 2550, y + 720, 1485 - 60, 690);
    for (const char* nom : {"Label2", "Label3", "Label4", "Label5"}) {
        auto* l = get<platform::label>(nom);
        l->setAlignment((l->alignment() == 1 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    designation->setAlignment(Qt::AlignCenter);

    lit_ligne_recue();
    complements->set_redraw(true);
    calcul_total();
}

void sel_arti::lit_ligne_recue() {
    const std::string recue = get<platform::label>("Label7")->caption();
    get<platform::label>("Label6")->set_caption(txt::str(ligne_commande::quantite_initiale(recue)));
    get<platform::label>("Label1")->set_caption(ligne_commande::designation(recue));
    get<platform::label>("Label3")->set_caption(
        ligne_commande::prix_affiche(ligne_commande::prix_unitaire(recue)));
    auto* complements = get<platform::grid>("g1");
    int r = grille_complements::premiere;
    for (const auto& c : ligne_commande::complements(recue)) {
        if (r > grille_complements::derniere) break;
        complements->set_text(r++, 0, c);
    }
}

int sel_arti::quantite() const {
    return static_cast<int>(txt::val(get<platform::label>("Label6")->caption()));
}

void sel_arti::bt_droi_click() {
    get<platform::label>("Label6")->set_caption(txt::str(ligne_commande::plus(quantite())));
    calcul_total();
}

void sel_arti::bt_gauc_click() {
    get<platform::label>("Label6")->set_caption(txt::str(ligne_commande::moins(quantite())));
    calcul_total();
}

void sel_arti::calcul_total() {
    get<platform::label>("Label5")->set_caption(ligne_commande::total_affiche(
        get<platform::label>("Label3")->caption(), get<platform::label>("Label6")->caption()));
}

void sel_arti::g1_click(int r) {
    // The header row holds no complement.
    if (r < grille_complements::premiere || r > grille_complements::derniere) return;
    auto* complements = get<platform::grid>("g1");
    const std::string texte = complements->text(r, 0);
    if (!txt::trim(texte).empty()) {
        type_message = 4;
        texte_message = "Voulez vous annuler la ligne " + fin_ligne + texte + " ?";
        platform::show_modal("mini_97");
        if (!loaded()) return;
        if (type_message == 6) {
            complements = get<platform::grid>("g1");
            complements->remove_item(r);
            complements->add_item(" ", grille_complements::derniere - 2);
            return;
        }
    }
    type_message = 129;
    texte_message = "|" + texte;
    platform::show_modal("clavv");
    if (!loaded()) return;
    complements = get<platform::grid>("g1");
    // The row shows what the line will carry: a "|" or a brace typed on a
    // physical keyboard is gone before the waiter validates.
    complements->set_text(r, 0, ligne_commande::nettoie_complement(texte_message));
    complements->show_row(r);
}

void sel_arti::g2_click(int c) {
    if (c == 0) {
        type_message = 4;
        texte_message = "Confirmez l'effacement de cette ligne ?";
        platform::show_modal("mini_97");
        if (!loaded() || type_message != 6) return;
        ligne_travail.clear();
        unload();
    } else if (c >= 1 && c <= 4) {
        page_detail = static_cast<std::int16_t>(2 * c - 2);
        platform::show_modal("sai_detail");
    } else if (c == 5) {
        valide_donnees();
        unload();
    }
}

void sel_arti::valide_donnees() {
    ligne_travail = ligne_commande::reconstruit(get<platform::label>("Label7")->caption(), quantite(),
                                                grille_complements::lignes(*get<platform::grid>("g1")));
}

void sel_arti::label_bas_dbl_click() {
    Module1::quitte_logiciel();
}

namespace {
const bool registered =
    platform::register_form("sel_arti", []() -> platform::form& { return sel_arti::instance(); });
}
