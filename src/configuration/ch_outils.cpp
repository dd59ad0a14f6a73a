#include "configuration/ch_outils.h"

#include <cmath>

#include "configuration/tools_actions.h"
#include "configuration/tools_settings_list.h"
#include "dialogs/program_end.h"
#include "order/button_bar.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "shared/globals.h"
#include "shared/icc.h"
#include "shared/network_folder.h"
#include "shared/screen_layout.h"
#include "shared/settings_file.h"

namespace {

constexpr int rangees = liste_reglages::nb_rangees, colonnes = 10;
constexpr int col_libelle = 0, col_valeur = 1, col_code = 4, col_invite = 5;
constexpr std::int64_t fond_titre = 0xC0E0FF;

struct cellule_barre {
    int image;
    int alignement;
};
// Chooser, down, up, smaller, larger, close.
constexpr cellule_barre barre[6] = {{28, platform::align::left_center}, {17, platform::align::left_center},
                                    {18, platform::align::left_center}, {21, platform::align::left_center},
                                    {20, platform::align::left_center}, {12, platform::align::right_center}};

}  // namespace

ch_outils& ch_outils::instance() {
    static ch_outils* f = new ch_outils;
    return *f;
}

void ch_outils::design() {
    move(0, 0, 12000, 9000);
    set_back_color(0xFFFFFF);
    moduclav::cree_bandeaux(*this, "", [this] { label_bas_DblClick(); });

    auto* liste = add<platform::grid>("g1");
    liste->set_rows(rangees);
    liste->set_cols(colonnes);
    liste->set_fixed_rows(0);
    liste->set_fixed_cols(0);
    liste->set_top_row(0);
    liste->set_row(0);
    liste->set_col(0);
    liste->on_cell_click = [this](int, int) { g1_Click(); };

    auto* outils = add<platform::grid>("g2");
    outils->set_rows(1);
    outils->set_cols(6);
    outils->set_fixed_rows(0);
    outils->set_fixed_cols(0);
    outils->set_top_row(0);
    outils->on_cell_click = [this](int, int c) { g2_Click(c); };

    add<platform::timer>("Timer1")->on_timer = [this] { Timer1_Timer(); };

    auto* marque = add<platform::label>("Label1");
    marque->set_caption("");
    marque->set_visible(false);

    auto* vidage = add<platform::picture_button>("Command111");
    vidage->set_caption("#42");
    vidage->set_visible(false);
    vidage->on_click = [this] { Command111_Click(); };
}

void ch_outils::form_load() {
    moduclav::place_bandeaux(*this, cp("Boite à Outils"), cp("Manier avec précautions"));
    Module1::cale_fenetre(*this);

    const double largeur = largeur_ecran * 15.0 - 400;
    auto* outils = get<platform::grid>("g2");
    outils->set_redraw(false);
    outils->set_row_height_min(hauteur_barre);
    outils->set_row_height(0, hauteur_barre);
    outils->move(200, hauteur_ecran * 15.0 - hauteur_barre - 500, largeur, hauteur_barre);
    for (int c = 0; c < 6; ++c) {
        outils->set_col_width(c, static_cast<double>(txt::round_even(largeur / 6)));
        outils->set_col_alignment(c, platform::align::center_center);
        outils->set_cell_picture(0, c, icc::bt_coul(barre[c].image + decalage_images));
        outils->set_cell_picture_alignment(0, c, barre[c].alignement);
    }
    outils->set_redraw(true);

    auto* liste = get<platform::grid>("g1");
    liste->set_redraw(false);
    liste->set_font_size(actions_outils::taille_liste(parametres::lit_entier(enreg_taille, "#I#20")));
    liste->move(200, 700, largeur, hauteur_ecran * 15.0 - 3000);
    const auto valeur = static_cast<double>(txt::round_even(largeur * 0.25));
    liste->set_col_width(col_valeur, valeur);
    liste->set_col_width(col_libelle, largeur - valeur - 280);
    for (int c = 2; c < colonnes; ++c) liste->set_col_width(c, 0);

    rangee_libre = 0;
    for (const auto& l : liste_reglages::lignes()) ajoute_ligne(l.libelle, l.code, l.invite);
    liste->set_redraw(true);

    get<platform::label>("Label1")->set_caption("");
    get<platform::timer>("Timer1")->set_interval(armement_ms);
}

void ch_outils::form_unload() {
    get<platform::timer>("Timer1")->set_interval(0);
}

void ch_outils::ajoute_ligne(const std::string& libelle, const std::string& code, const std::string& invite) {
    auto* liste = get<platform::grid>("g1");
    const int r = rangee_libre++;
    if (r >= liste->rows()) liste->set_rows(r + 1);
    ligne_travail = code;
    liste->set_text(r, col_libelle, " " + libelle);
    liste->set_text(r, col_code, code);
    liste->set_text(r, col_invite, invite);
    if (txt::trim(code).empty()) {
        liste->set_cell_alignment(r, col_libelle, platform::align::center_center);
        liste->set_cell_back_color(r, col_libelle, fond_titre);
        return;
    }
    liste->set_text(r, col_valeur, liste_reglages::valeur_affichee(code));
}

void ch_outils::Timer1_Timer() {
    get<platform::timer>("Timer1")->set_interval(0);
    get<platform::label>("Label1")->set_caption("X");
}

void ch_outils::g1_Click() {
    if (get<platform::label>("Label1")->caption().empty()) return;
    auto* liste = get<platform::grid>("g1");
    const int r = liste->row();
    using liste_reglages::genre;
    switch (liste_reglages::genre_du_code(liste->text(r, col_code))) {
        case genre::nombre:
            saisit_nombre(r, false);
            break;
        case genre::taille:
            saisit_nombre(r, true);
            break;
        case genre::interrupteur:
            bascule(r);
            break;
        case genre::texte:
            saisit_texte(r);
            break;
        case genre::plan_tables:
            question_plan_tables();
            break;
        case genre::couleurs:
            platform::show_modal("ggcoul");
            break;
        case genre::resolution:
            resolution();
            break;
        case genre::reconnexion:
            reconnexion();
            break;
        case genre::identification:
            identification();
            break;
        case genre::mise_a_jour:
            mise_a_jour();
            break;
        case genre::aucun:
            break;
    }
}

void ch_outils::saisit_nombre(int r, bool taille) {
    auto* liste = get<platform::grid>("g1");
    const std::string code = liste->text(r, col_code);
    const std::string invite =
        liste_reglages::invite(liste->text(r, col_invite), liste->text(r, col_libelle));
    type_message = 129;
    texte_message = invite + "|" + liste->text(r, col_valeur);
    ligne_travail = taille ? "#SAISIZE" : invite;
    platform::show_modal("clav_num");

    const long n = liste_reglages::enregistrement(code);
    parametres::ecrit(n, liste_reglages::enreg_saisi(texte_message));
    // The list shows what the record now holds, not more than it could keep.
    liste->set_text(r, col_valeur, liste_reglages::valeur_nombre(enreg_param));
    if (!taille && n == 50) {
        type_message = 0;
        texte_message = "Verification Boite de dialogue !";
        platform::show_modal("mini_97");
    }
}

void ch_outils::saisit_texte(int r) {
    auto* liste = get<platform::grid>("g1");
    const std::string code = liste->text(r, col_code);
    ligne_travail = liste_reglages::invite(liste->text(r, col_invite), liste->text(r, col_libelle));
    type_message = 129;
    texte_message = liste->text(r, col_invite) + "|" + liste->text(r, col_valeur);
    platform::show_modal("clavv");
    parametres::ecrit(liste_reglages::enregistrement(code), liste_reglages::enreg_saisi(texte_message));
    liste->set_text(r, col_valeur, liste_reglages::valeur_nombre(enreg_param));
}

void ch_outils::bascule(int r) {
    auto* liste = get<platform::grid>("g1");
    const long n = liste_reglages::enregistrement(liste->text(r, col_code));
    type_message = 4;
    texte_message = liste->text(r, col_libelle);
    platform::show_modal("mini_97");
    const std::string valeur = type_message == 6 ? "OUI" : "NON";
    parametres::ecrit(n, valeur);
    liste->set_text(r, col_valeur, valeur);
}

void ch_outils::question_plan_tables() {
    type_message = 4;
    texte_message = cp("Vérifier le Numéro avec le plan de table ?");
    platform::show_modal("mini_97");
    parametres::ecrit(55, type_message == 6 ? "OUI" : "NON");
}

void ch_outils::resolution() {
    using namespace actions_outils;
    // A copy of record 2: the keyboard may read other records meanwhile.
    std::string format = parametres::lit(2);
    const struct {
        const char* question;
        long position;
    } cotes[2] = {{"Entrez la résolution horizontale ?|", position_largeur},
                  {"Entrez la résolution verticale ?|", position_hauteur}};
    for (const auto& cote : cotes) {
        type_message = 129;
        texte_message = cp(cote.question) + cote_actuel(format, cote.position);
        platform::show_modal("clavv");
        const std::optional<long> saisi = cote_saisi(texte_message);
        if (!saisi) return;
        format = pose_cote(format, cote.position, *saisi);
    }
    parametres::ecrit(2, format);
    platform::end_program();
}

void ch_outils::reconnexion() {
    type_message = 4;
    texte_message = cp("Confirmez la reconnexion de la tablette au réseau serveur ?");
    platform::show_modal("mini_97");
    if (type_message != 6) return;
    // Ending without the set-up program would leave the tablet with no program at all.
    if (!platform::start_program("ostrevane")) {
        signale(cp("Impossible de lancer le programme de reconnexion, le logiciel reste ouvert !"));
        return;
    }
    platform::end_program();
}

void ch_outils::identification() {
    type_message = 0;
    texte_message = "Lancez le routeur Velmorin en mode identification tablette cliquez sur 'OK'";
    platform::show_modal("mini_97");

    std::string enreg = parametres::lit(1087);
    id_tablette = Module1::code_tablette();
    enreg.replace(0, 10, txt::pad(id_tablette, 10));
    parametres::ecrit(1087, enreg);
    const std::string relu = parametres::lit(1087);
    // A server that does not answer within the bound counts as a failed sending.
    if (!dossier_reseau::depose(actions_outils::nom_identification(platform::now()),
                                actions_outils::contenu_identification(relu))) {
        signale(cp("Echec de l'envoi du code d'identification, vérifiez le répertoire réseau !"));
        return;
    }
    type_message = 0;
    texte_message = cp("Envoi du code d'identification effectué !");
    platform::show_modal("mini_97");
}

void ch_outils::mise_a_jour() {
    type_message = 4;
    texte_message =
        cp("Confirmez la mise à jour de Win_Velmorin,  le logiciel va être fermé et vous devrez le relancer "
           "aprés la mise à jour ?");
    platform::show_modal("mini_97");
    if (type_message != 6) return;
    ligne_travail = actions_outils::adresse_mise_a_jour();
    // Closing without the browser would leave no way to fetch the update.
    if (!platform::open_url(ligne_travail)) {
        signale(cp("Impossible d'ouvrir le navigateur pour la mise à jour, le logiciel reste ouvert !"));
        return;
    }
    platform::end_program();
}

void ch_outils::signale(const std::string& texte) {
    type_message = 0;
    texte_message = texte;
    platform::show_modal("mini_97");
}

void ch_outils::g2_Click(int col) {
    auto* liste = get<platform::grid>("g1");
    switch (col) {
        case 0:
            platform::show_modal("porpay");
            unload();
            break;
        case 1:
            if (liste->top_row() < 90) liste->set_top_row(liste->top_row() + 10);
            break;
        case 2:
            liste->set_top_row(liste->top_row() > 10 ? liste->top_row() - 10 : 0);
            break;
        case 3:
            change_taille(actions_outils::taille_plus_petite(liste->font_size()));
            break;
        case 4:
            change_taille(actions_outils::taille_plus_grande(liste->font_size()));
            break;
        case 5:
            unload();
            break;
        default:
            break;
    }
}

void ch_outils::change_taille(double nouvelle) {
    auto* liste = get<platform::grid>("g1");
    liste->set_font_size(nouvelle);
    parametres::ecrit(enreg_taille, "#I#" + txt::str(txt::round_even(liste->font_size())));
    platform::yield();
}

void ch_outils::label_bas_DblClick() {
    Module1::quitte_logiciel();
}

void ch_outils::Command111_Click() {
    platform::write_file_atomic(actions_outils::nom_vidage, actions_outils::vidage_parametres());
    platform::end_program();
}

namespace {
const bool registered =
    platform::register_form("ch_outils", []() -> platform::form& { return ch_outils::instance(); });
}
