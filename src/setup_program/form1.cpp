#include "setup_program/form1.h"

#include <QCoreApplication>
#include <algorithm>

#include "platform/colors.h"
#include "platform/cp1252.h"
#include "platform/folder_list.h"
#include "platform/network.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "setup_program/folder_file.h"
#include "setup_program/network_listing.h"

namespace Ostrevane {

Form1& Form1::instance() {
    static Form1* f = new Form1;
    return *f;
}

std::filesystem::path Form1::dossier_programme;

namespace {
const bool registered =
    platform::register_form("Ostrevane.Form1", []() -> platform::form& { return Form1::instance(); });

constexpr std::int32_t vert = platform::rgb(0x00, 0xFF, 0x00);
constexpr std::int32_t rouge_fonce = platform::rgb(0xC0, 0x00, 0x00);
constexpr std::int32_t fond = platform::rgb(0xE4, 0xE8, 0xEE);
constexpr std::int32_t fond_cadre = platform::rgb(0xF6, 0xF7, 0xF9);
// Bright green reads on black, dark red on white.
constexpr std::int32_t fond_correct = platform::rgb(0x00, 0x00, 0x00);
constexpr std::int32_t fond_incorrect = platform::rgb(0xFF, 0xFF, 0xFF);

// The folder that the exchange path names on the chosen computer.
constexpr const char* chemin_echange = "\\quarnel\\velmorin";
constexpr const char* catalogue = "velmorin.wdo";
constexpr const char* programme_principal = "wvelmorin";

const std::string crlf = "\r\n";

std::filesystem::path dossier_du_programme() {
    if (!Form1::dossier_programme.empty()) return Form1::dossier_programme;
    return QCoreApplication::applicationDirPath().toStdString();
}
}  // namespace

const std::string Form1::texte_correct = cp("Répertoire") + crlf + "Correct";
const std::string Form1::texte_incorrect = cp("Répertoire") + crlf + "Incorrect";
const std::string Form1::texte_disque = "Disque non" + crlf + cp("initialisé");
const std::string Form1::texte_illisible = cp("Paramètres") + crlf + "illisibles";
const std::string Form1::texte_ecriture = "Enregistrement" + crlf + "impossible";
const std::string Form1::texte_lancement = "W_Velmorin" + crlf + "introuvable";
const std::string Form1::texte_manquant = cp("Aucun répertoire") + crlf + "choisi";

void Form1::design() {
    // The whole of an 800 x 600 tablet, centred on a larger display: the
    // program opens alone on the screen and every text is read at arm's length.
    move(std::max(0.0, (platform::screen_width_twips() - largeur) / 2),
         std::max(0.0, (platform::screen_height_twips() - hauteur) / 2), largeur, hauteur);
    set_caption("Lien W_Velmorin et Velmorin");
    set_back_color(fond);

    auto cadre = [this](const char* nom, double l, double t, double w, double h) {
        auto* s = add<platform::label>(nom);
        s->move(l, t, w, h);
        s->set_back_color(fond_cadre);
        s->set_caption("");
    };
    cadre("Shape1", 120, 120, 11760, 3480);
    cadre("Shape2", 120, 3720, 11760, 5160);

    auto texte = [this](const char* nom, double l, double t, double w, double h, const std::string& s,
                        double taille = 12, bool gras = false) {
        auto* x = add<platform::label>(nom);
        x->move(l, t, w, h);
        x->set_back_style(0);
        x->set_font_size(taille);
        x->set_font_bold(gras);
        x->set_caption(s);
        return x;
    };
    texte("Label9", 300, 200, 11400, 480, cp("Recherche des Serveurs du Réseau"), 14, true);
    auto* liste = add<platform::list_box>("List1");
    liste->move(300, 720, 11400, 2100);
    liste->set_font_size(14);
    texte("Label11", 300, 2880, 11400, 600,
          cp("Ci dessus, cliquez deux fois sur l'ordinateur serveur ou est installé Velmorin"));

    texte("Label12", 300, 3800, 11400, 420, " Cliquez deux fois sur le repertoire quarnel/velmorin", 12,
          true);
    auto* chemin = texte("Label1", 300, 4260, 11400, 420, "", 12);
    chemin->set_word_wrap(false);
    auto* dossiers = add<platform::folder_list>("Dir1");
    dossiers->move(300, 4740, 6300, 3300);
    dossiers->set_font_size(13);

    texte("Label14", 6780, 4740, 4920, 900,
          cp("Si répertoire incorrect est affiché ci-dessous, essayez de choisir un autre répertoire dans "
             "la liste ci-dessus."),
          11);
    auto* etat = texte("Label13", 6780, 5700, 4920, 900, "", 16, true);
    etat->set_alignment(2);
    etat->set_back_color(fond_incorrect);
    texte("Label15", 6780, 6660, 4920, 1020,
          cp("Si le répertoire est correct, cliquez sur 'Valider' pour enregistrer le paramétrage et accéder "
             "a W_velmorin."),
          11);

    // The seven lines of the folder file; the exchange folder is shown.
    for (int i = 2; i <= 8; ++i) {
        auto* ligne = texte(("Label" + std::to_string(i)).c_str(), 300, 8100, 6300, 720, "", 11);
        ligne->set_visible(false);
    }

    auto bouton = [this](const char* nom, double l, double t, double w, double h, const std::string& s,
                         bool offert) {
        auto* b = add<platform::picture_button>(nom);
        b->move(l, t, w, h);
        b->set_font_size(14);
        b->set_font_bold(true);
        b->set_caption(s);
        b->set_visible(offert);
        return b;
    };
    bouton("Command1", 6780, 7860, 2340, 840, "Valider", true)->on_click = [this] { Command1_Click(); };
    bouton("Command6", 9360, 7860, 2340, 840, "Annuler", true)->on_click = [this] { Command6_Click(); };
    // Kept off the screen: the scan runs by itself and the exchange folder
    // is taken when the folder list shows it.
    bouton("Command2", 300, 0, 4000, 400, cp(" Afficher les ordinateurs partagés de votre réseau"), false)
        ->on_click = [this] { Command2_Click(); };
    bouton("Command3", 300, 0, 4000, 400, cp("Repertoire d'echange Données VELMO"), false)->on_click =
        [this] { Command3_Click(); };
    bouton("Command4", 300, 0, 4000, 400, "Recuperation de la mise a jour", false)->on_click = [this] {
        Command4_Click();
    };
    bouton("Command5", 300, 0, 4000, 400, "Valide", false)->on_click = [this] { Command5_Click(); };

    add<platform::timer>("Timer1")->on_timer = [this] { Timer1_Timer(); };
    add<platform::timer>("Timer2")->on_timer = [this] { Timer2_Timer(); };

    liste->on_dbl_click = [this] { List1_DblClick(); };
    dossiers->on_change = [this] { Dir1_Change(); };
}

void Form1::Form_Load() {
    const auto lu = fichier_dossier::lit();
    for (std::size_t i = 0; i < fichier_dossier::nb_lignes; ++i)
        get<platform::label>("Label" + std::to_string(i + 2))->set_caption(lu.texte[i]);
    get<platform::label>("Label2")->set_visible(true);
    // "Valider" replaces a file that could not be read: say so before.
    if (lu.resultat == fichier_dossier::etat::illisible) affiche_etat(texte_illisible, false);
    saut_ligne = crlf;
    // The folder list opens on the current folder, as a folder list does:
    // from there a share mounted by hand is reached by touch. Not on the
    // recorded folder, whose server may be out of reach and hold the screen
    // before it is drawn. Nothing is judged before the user moves.
    auto* dossiers = get<platform::folder_list>("Dir1");
    const auto changement = std::move(dossiers->on_change);
    dossiers->on_change = nullptr;
    std::error_code ec;
    dossiers->set_path(std::filesystem::current_path(ec).string());
    dossiers->on_change = changement;
    get<platform::label>("Label1")->set_caption(dossiers->path());
    get<platform::timer>("Timer2")->set_interval(500);
}

void Form1::Timer2_Timer() {
    get<platform::timer>("Timer2")->set_interval(0);
    Command2_Click();
}

void Form1::Command2_Click() {
    platform::set_mouse_pointer(platform::pointer::hourglass);
    // A listing that cannot be written leaves the list of computers empty.
    platform::start_network_listing(fichier_liste());
    get<platform::timer>("Timer1")->set_interval(2000);
}

void Form1::Timer1_Timer() {
    platform::set_mouse_pointer(platform::pointer::arrow);
    get<platform::timer>("Timer1")->set_interval(0);
    const auto lignes = platform::read_lines(fichier_liste());
    if (!lignes) return;
    auto* liste = get<platform::list_box>("List1");
    for (const auto& nom : liste_reseau::ordinateurs(*lignes)) liste->add_item(nom);
}

void Form1::List1_DblClick() {
    auto* liste = get<platform::list_box>("List1");
    if (liste->list_index() < 0) return;
    // Mounting a share takes a moment: the hourglass says so, and touches
    // wait for the answer.
    const int pointeur = platform::mouse_pointer();
    platform::set_mouse_pointer(platform::pointer::hourglass);
    const auto local = platform::open_network_path(liste->list(liste->list_index()) + chemin_echange);
    platform::set_mouse_pointer(pointeur);
    dossier_change = false;
    if (!local || !get<platform::folder_list>("Dir1")->set_path(local->string())) {
        affiche_etat(texte_disque, false);
        return;
    }
    // The same computer chosen again changes no path, yet its state is due
    // after another computer's failure.
    if (!dossier_change) Dir1_Change();
}

void Form1::Dir1_Change() {
    dossier_change = true;
    const std::string chemin = get<platform::folder_list>("Dir1")->path();
    get<platform::label>("Label1")->set_caption(chemin);
    if (platform::file_exists(platform::join_folder(chemin, catalogue))) {
        get<platform::label>("Label2")->set_caption(fichier_dossier::ligne_dossier(chemin));
        affiche_etat(texte_correct, true);
    } else {
        affiche_etat(texte_incorrect, false);
    }
}

void Form1::Command1_Click() {
    fichier_dossier::lignes texte;
    for (std::size_t i = 0; i < fichier_dossier::nb_lignes; ++i)
        texte[i] = get<platform::label>("Label" + std::to_string(i + 2))->caption();
    // Without a folder in line 1 the main program would look for an empty
    // folder forever and keep every order on the tablet without a word.
    if (txt::trim(texte[0]).empty()) {
        affiche_etat(texte_manquant, false);
        return;
    }
    // Without its folder file the main program would start lost: it stays
    // unstarted and the user may try again or cancel.
    if (!fichier_dossier::ecrit(texte)) {
        affiche_etat(texte_ecriture, false);
        return;
    }
    if (!platform::start_program(programme_principal)) {
        affiche_etat(texte_lancement, false);
        return;
    }
    platform::end_program();
}

void Form1::Command3_Click() {
    get<platform::label>("Label2")->set_caption(
        fichier_dossier::ligne_dossier(get<platform::label>("Label1")->caption()));
}

void Form1::Command5_Click() {
    get<platform::label>("Label3")->set_caption(
        fichier_dossier::ligne_dossier(get<platform::label>("Label1")->caption()));
}

void Form1::Command4_Click() {
    const std::string source =
        platform::join_folder(get<platform::label>("Label3")->caption(), programme_principal);
    const std::filesystem::path cible = dossier_du_programme();
    if (!platform::copy_file_atomic(source, cible / programme_principal)) {
        affiche_etat(texte_lancement, false);
        return;
    }
    std::error_code ec;
    std::filesystem::permissions(cible / programme_principal,
                                 std::filesystem::perms::owner_exec | std::filesystem::perms::group_exec |
                                     std::filesystem::perms::others_exec,
                                 std::filesystem::perm_options::add, ec);
    platform::yield();
    platform::start_program(programme_principal);
    platform::end_program();
}

void Form1::Command6_Click() {
    platform::end_program();
}

void Form1::affiche_etat(const std::string& texte, bool correct) {
    auto* etat = get<platform::label>("Label13");
    etat->set_caption(texte);
    etat->set_fore_color(correct ? vert : rouge_fonce);
    etat->set_back_style(1);
    etat->set_back_color(correct ? fond_correct : fond_incorrect);
}

std::filesystem::path Form1::fichier_liste() const {
    return dossier_du_programme() / liste_reseau::nom_fichier;
}

}  // namespace Ostrevane
