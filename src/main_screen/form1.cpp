// The main screen's controls and its load routine, which is both the
// start-up of the program and the redraw of the main screen.
#include "main_screen/form1.h"

#include "dialogs/program_end.h"
#include "main_screen/folder_file.h"
#include "main_screen/network_queue.h"
#include "platform/colors.h"
#include "platform/cp1252.h"
#include "platform/record_file.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "shared/catalogue.h"
#include "shared/decimal_separator.h"
#include "shared/globals.h"
#include "shared/program_stop.h"
#include "shared/record_files.h"
#include "shared/screen_layout.h"
#include "shared/settings_file.h"

Form1& Form1::instance() {
    static Form1* f = new Form1;
    return *f;
}

namespace {
const bool registered =
    platform::register_form("Form1", []() -> platform::form& { return Form1::instance(); });

constexpr const char* version = "2.01";
constexpr const char* notice_bas = "Velmorin - prise de commande sur tablette";

constexpr std::int32_t fond_ecran = platform::rgb(238, 242, 247);
constexpr std::int32_t fond_bandeau = platform::rgb(28, 52, 92);
constexpr std::int32_t blanc = platform::rgb(255, 255, 255);
}  // namespace

void Form1::design() {
    move(0, 0, 12000, 9000);
    set_back_color(fond_ecran);

    moduclav::cree_bandeaux(*this, "", [this] { label_bas_DblClick(); });

    auto* iclogo = add<platform::picture>("iclogo");
    iclogo->set_visible(false);
    auto* logo = add<platform::picture>("logo");
    logo->set_stretch(true);
    logo->set_visible(false);
    logo->on_click = [this] { logo_Click(); };

    auto* logil = add<platform::label>("logil");
    logil->set_caption("Velmorin");
    logil->set_back_style(0);
    logil->set_fore_color(fond_bandeau);
    logil->set_font_bold(true);
    logil->set_alignment(2);
    logil->set_word_wrap(false);
    logil->set_visible(false);
    logil->on_dbl_click = [this] { logil_DblClick(); };

    auto* logoserv = add<platform::label>("logoserv");
    logoserv->set_back_style(0);
    logoserv->set_fore_color(platform::rgb(150, 45, 30));
    logoserv->set_font_bold(true);
    logoserv->set_alignment(2);
    logoserv->set_word_wrap(false);
    logoserv->set_visible(false);
    logoserv->on_dbl_click = [this] { logoserv_DblClick(); };

    // Templates of the key arrays: element 0 is never a key.
    auto* btt = add<platform::picture>("btt", 0);
    btt->set_stretch(true);
    btt->set_visible(false);
    auto* btx = add<platform::label>("btx", 0);
    btx->set_back_style(0);
    btx->set_alignment(2);
    btx->set_word_wrap(true);
    btx->set_font_bold(true);
    btx->set_fore_color(platform::rgb(25, 25, 30));
    btx->set_visible(false);

    auto* label_num = add<platform::label>("Label_num");
    label_num->move(0, 0, 600, 390);
    label_num->set_visible(false);

    auto* g2 = add<platform::grid>("g2");
    g2->set_rows(1);
    g2->set_cols(6);
    g2->set_fixed_rows(0);
    g2->set_fixed_cols(0);
    g2->set_top_row(0);
    g2->set_row(0);
    g2->set_col(0);
    g2->move(200, 7000, 11600, 1440);
    g2->set_row_height(0, 1440);
    g2->set_grid_lines(false);
    g2->set_back_color(blanc);
    g2->set_back_color_bkg(fond_ecran);
    g2->set_fore_color(platform::rgb(170, 30, 30));
    g2->on_cell_click = [this](int, int) { g2_Click(); };

    auto* file1 = add<platform::file_list>("File1");
    file1->pattern = "*.-a-";
    file1->set_visible(false);

    const char* legendes[7] = {"O", "F", "M", "C", "N", "Command6", "Menu"};
    for (int i = 0; i < 7; ++i) {
        auto* b = add<platform::picture_button>("Command" + std::to_string(i + 1));
        b->set_caption(legendes[i]);
        b->move(11000, 400, 435, 435);
        b->set_visible(false);
    }
    get<platform::control>("Command1")->on_click = [this] { Command1_Click(); };
    get<platform::control>("Command2")->on_click = [this] { Command2_Click(); };
    get<platform::control>("Command3")->on_click = [this] { Command3_Click(); };
    get<platform::control>("Command4")->on_click = [this] { Command4_Click(); };
    get<platform::control>("Command5")->on_click = [this] { Command5_Click(); };
    get<platform::control>("Command6")->on_click = [this] { Command6_Click(); };
    get<platform::control>("Command7")->on_click = [this] { Command7_Click(); };
}

void Form1::Form_Load() {
    version_prog = version;

    sep_decimal = w_velmo_2::lit_separateur();
    if (sep_decimal != ".") w_velmo_2::force_separateur();

    w_velmo_2::ouvre_parametres();

    if (!fichier_dossier::existe()) {
        type_message = 4;
        texte_message = cp("Voulez vous effectuer une recherche du serveur ?");
        platform::show_modal("mini_97");
        if (type_message == 6) {
            platform::record_file::close_all();
            platform::start_program("ostrevane");
            platform::end_program();
        }
        type_message = 129;
        texte_message = cp("Entrez le répertoire réseau ?");
        platform::show_modal("clavv");
        // Without a folder the program cannot take orders: the next start asks again.
        if (texte_message.empty()) platform::end_program();
        if (!fichier_dossier::ecrit_premier_demarrage(texte_message)) {
            // Without its folder file the program cannot go on (every redraw
            // would ask again): say the folder was not kept, and end as
            // without a folder.
            Module1::arret_avec_message(
                cp("Le répertoire réseau n'a pas pu être enregistré (fichier wfichdir.wdo), vérifiez le "
                   "dossier du logiciel puis relancez-le !"));
        }
        Form_Load();
        return;
    }

    rep_reseau = fichier_dossier::premiere_ligne();
    rep_test = rep_reseau;
    num_enreg_test = 1;

    Module1::lit_parametres();
    w_velmo_2::ouvre_programmation();
    raz_touches();
    Module1::dimensionne_fenetre(*this);

    if (auto* c3 = find("Command3")) c3->set_left(width() - c3->width());
    if (auto* c1 = find("Command1")) c1->set_left(width() - 870);

    fin_ligne = "\r\n";
    format_prix = "0.00";

    if (!fichiers_charges) {
        // Once per run, before anything is written: the program is by now the
        // only one of this tablet folder, so no temporary file here is a write
        // in progress. The copies an interrupted hand-over noted are settled
        // first, then the leftovers removed; a server that does not answer
        // never holds the start, and the hand-overs that follow wait their
        // turn behind it.
        dossier_reseau::quand_partage_rejoint(&Form1::partage_rejoint);
        dossier_reseau::demarrage();
        Module1::charge_fichiers();
    }

    decalage_images = parametres::est_oui(201) ? 50 : 0;
    // Read for the test mode that the tools screen offers; the main screen does not act on it.
    parametres::lit(202);

    moduclav::place_bandeaux(*this, "Win_Velmorin " + version_prog, notice_bas);

    affiche_menu();

    if (nom_serveur.empty()) {
        code_force = "#FONC#SERVEUR";
        btx_Click(0);
    }

    platform::yield();
}

void Form1::partage_rejoint() {
    // The queue goes whatever screen is shown; only the home bar shows the count.
    Form1& f = instance();
    if (!f.loaded()) return;
    const bool joignable = f.transmet_file();
    if (f.barre_accueil_) f.dessine_barre_accueil(joignable);
}

void Form1::closed_by_user() {
    // The desktop's close is taken as the end cell of the home bar: the same
    // questions (orders waiting, then the closing), and on Yes "prov.txt",
    // every file closed and the end; on No the window stays. A window that
    // merely went would leave a program running unseen, handing over the
    // queue beside the next one started. Under an open screen it is refused.
    if (!platform::open_modal_forms().empty()) return;
    fin();
}
