#include "order/ch_numtab.h"

#include <cmath>

#include "dialogs/program_end.h"
#include "order/button_bar.h"
#include "order/table_couverts.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/icc.h"
#include "shared/screen_layout.h"
#include "shared/settings_file.h"

namespace {

const char* const touches_table[4][3] = {
    {"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}, {"C", "0", "Liste"}};
const char* const touches_couverts[4][3] = {
    {"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}, {"10", "11", "Autres"}};

}  // namespace

ch_numtab& ch_numtab::instance() {
    static ch_numtab* f = new ch_numtab;
    return *f;
}

void ch_numtab::design() {
    move(0, 0, 12000, 9000);
    set_back_color(0xFFFFFF);

    auto* ombre = add<platform::picture>("Picture1");
    ombre->move(0, 0, 375, 375);
    ombre->set_picture(icc::image("ch_numtab_shade.png"));
    ombre->set_visible(false);

    moduclav::cree_bandeaux(*this, "5", [this] { label_bas_dbl_click(); });

    auto* pave = add<platform::grid>("g3");
    pave->on_cell_click = [this](int r, int c) { g3_click(r, c); };
    auto* couverts = add<platform::grid>("g1");
    couverts->on_cell_click = [this](int r, int c) { g1_click(r, c); };
    for (auto* g : {pave, couverts}) {
        g->set_rows(4);
        g->set_cols(3);
        g->set_fixed_rows(0);
        g->set_fixed_cols(0);
        g->set_top_row(0);
        g->set_font_bold(true);
    }

    struct libelle {
        const char* nom;
        const char* classe;
        const char* texte;
    };
    for (const libelle& l : {libelle{"Label1", "1", " N° de Table"}, libelle{"Label5", "2", ""},
                             libelle{"Label3", "1", " Couverts"}, libelle{"Label7", "2", ""}}) {
        auto* x = add<platform::label>(l.nom);
        x->tag = l.classe;
        x->set_caption(cp(l.texte));
        x->set_font_bold(true);
        const bool valeur = std::string(l.classe) == "2";
        x->set_back_color(valeur ? 0xFFFFFF : 0xF3E2D3);
        x->set_fore_color(valeur ? 0x000080 : 0x3F2000);
        if (valeur) x->set_alignment(2);
        x->setFrameStyle(QFrame::Box);
    }

    add<platform::grid>("g2")->on_cell_click = [this](int, int c) { g2_click(c); };
}

void ch_numtab::form_load() {
    Module1::applique_couleurs(*this);
    moduclav::place_bandeaux(*this, "Win_Velmorin 2.01", cp("N° de Table"));
    haut_zone = hauteur_ecran * 15 - 1200 - 1440;
    const double h = haut_zone / 10.0;
    const double largeur = largeur_ecran * 15.0;
    const double w = (largeur - 400) / 3;
    Module1::cale_fenetre(*this);

    const auto s = static_cast<double>(parametres::lit_entier(enreg_taille, "#I#28"));
    auto* pave = get<platform::grid>("g3");
    auto* couverts = get<platform::grid>("g1");
    pave->set_font_size(s);
    couverts->set_font_size(s);

    auto* l1 = get<platform::label>("Label1");
    auto* l5 = get<platform::label>("Label5");
    auto* l3 = get<platform::label>("Label3");
    auto* l7 = get<platform::label>("Label7");
    for (auto* l : {l1, l5, l3, l7}) l->set_font_size(0.75 * s);
    l1->move(200, 680 + 4 * h, 2 * w - 100, h - 160);
    l5->move(2 * w + 300, 680 + 4 * h, w - 100, h - 160);
    l3->move(200, 680 + 9 * h, 2 * w, h - 160);
    l7->move(2 * w + 300, 680 + 9 * h, w - 100, h - 160);
    for (auto* l : {l5, l7}) l->setAlignment(Qt::AlignCenter);
    for (auto* l : {l1, l3}) l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    pave->move(200, 600, largeur - 400, 4 * h);
    couverts->set_redraw(false);
    couverts->move(200, 600 + 5 * h, largeur - 400, 4 * h);
    const auto* ombre = get<platform::picture>("Picture1");
    for (auto* g : {pave, couverts}) {
        const auto& touches = g == pave ? touches_table : touches_couverts;
        for (int r = 0; r < 4; ++r) g->set_row_height(r, txt::round_even(h));
        for (int c = 0; c < 3; ++c) {
            g->set_col_width(c, std::floor(g->width() / 3));
            g->set_col_alignment(c, platform::align::center_center);
        }
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 3; ++c) {
                g->set_text(r, c, touches[r][c]);
                g->set_cell_back_color(r, c, ombre->point(75.0 * r, 75.0 * c));
            }
    }
    couverts->set_redraw(true);

    if (txt::left(table_couverts, 2) == "#N") {
        l5->set_caption(txt::trim(txt::mid(table_couverts, 3, 3)));
        l7->set_caption(txt::trim(txt::mid(table_couverts, 6, 3)));
    }

    namespace a = platform::align;
    barre_boutons::pose(*get<platform::grid>("g2"), 1440,
                        {{{19, a::left_center},
                          {},
                          {11, a::center_center},
                          {32, a::center_center},
                          {},
                          {24, a::right_center}}});
    platform::yield();
}

void ch_numtab::g3_click(int r, int c) {
    auto* l5 = get<platform::label>("Label5");
    const std::string t = get<platform::grid>("g3")->text(r, c);
    if (t.empty()) return;
    if (txt::lcase(txt::trim(t)) == "liste") {
        liste_des_tables();
    } else if (t == "C") {
        ligne_travail = txt::left(l5->caption(), static_cast<long>(l5->caption().size()) - 1);
        l5->set_caption(ligne_travail);
    } else {
        // Three digits at most: a fourth would send the order to another table.
        l5->set_caption(tables::ajoute_chiffre(l5->caption(), t));
    }
}

void ch_numtab::g1_click(int r, int c) {
    auto* l7 = get<platform::label>("Label7");
    const std::string t = get<platform::grid>("g1")->text(r, c);
    if (txt::lcase(txt::trim(t)) != "autres") {
        l7->set_caption(t);
        return;
    }
    type_message = 129;
    texte_message = "Entrez le nb de personnes|";
    ligne_travail.clear();
    platform::show_modal("clav_num");
    if (!loaded()) return;
    // Only one or two digits are covers; anything else keeps those shown,
    // and the waiter is told why at once rather than at the send. An empty
    // entry is the waiter changing their mind.
    if (tables::couverts_acceptables(texte_message)) {
        get<platform::label>("Label7")->set_caption(texte_message);
    } else if (!texte_message.empty()) {
        const std::string saisie = texte_message;
        type_message = 0;
        texte_message = cp("Nombre de couverts refusé : ") + saisie + cp(", tapez 1 ou 2 chiffres !");
        platform::show_modal("mini_97");
    }
}

void ch_numtab::liste_des_tables() {
    texte_message = "|";
    platform::show_modal("lis_tbb");
    if (!loaded()) return;
    if (!texte_message.empty()) get<platform::label>("Label5")->set_caption(texte_message);
}

void ch_numtab::g2_click(int c) {
    switch (c) {
        case 0:
            get<platform::label>("Label5")->set_caption("");
            get<platform::label>("Label7")->set_caption("");
            break;
        case 2:
            liste_des_tables();
            break;
        case 3:
            get<platform::label>("Label5")->set_caption("999");
            get<platform::label>("Label7")->set_caption("1");
            break;
        case 5:
            validation();
            break;
        default:
            break;
    }
}

void ch_numtab::validation() {
    const std::string table = get<platform::label>("Label5")->caption();
    const std::string nb = get<platform::label>("Label7")->caption();
    const bool verification = !parametres::est_non(enreg_verification);
    if (verification) {
        const long n = tables::numero(table);
        if (!tables::table_connue(liste_tables, n)) {
            type_message = 4;
            texte_message = cp("Le N° de table ") + table + ", est inconnu, voulez vous le corriger ?";
            platform::show_modal("mini_97");
            if (type_message == 6 || !loaded()) return;
        }
    }
    table_couverts = tables::compose(table, nb);
    procedure_vide_commune();
    unload();
}

void ch_numtab::label_bas_dbl_click() {
    Module1::quitte_logiciel();
}

namespace {
const bool registered =
    platform::register_form("ch_numtab", []() -> platform::form& { return ch_numtab::instance(); });
}
