#include "configuration/tools_settings_list.h"

#include "platform/cp1252.h"
#include "platform/text.h"
#include "shared/settings_file.h"

namespace liste_reglages {

namespace {

ligne titre(const char* libelle) {
    return {cp(libelle), "", ""};
}
ligne reglage(const char* libelle, const char* code, const char* invite = "") {
    return {cp(libelle), code, cp(invite)};
}

std::vector<ligne> construit() {
    return {
        titre("Grille générale d'affichage"),
        reglage("Nb de colonnes", "#SW42#25", "Entrez le nb de colonnes"),
        reglage("Nb de lignes", "#SW42#26", "Entrez le nb de lignes"),
        titre("Paramètres Ecran Serveurs"),
        reglage("Grosseur ecriture Serveur", "#SX42#10"),
        reglage("Largeur touches Serveur", "#SW42#11"),
        reglage("Hauteur touches Serveur", "#SW42#12"),
        reglage("Nb de touches par page", "#SW42#13"),
        titre("Paramètres Ecran Familles"),
        reglage("Grosseur ecriture Famille", "#SX42#20"),
        reglage("Largeur touches familles", "#SW42#21"),
        reglage("Hauteur touches familles", "#SW42#22"),
        reglage("Nb de touches par page", "#SW42#23"),
        titre("Paramètres Ecran Articles"),
        reglage("Grosseur ecriture Articles", "#SX42#5"),
        // The article rows keep the server rows' labels: the manager knows them so.
        reglage("Largeur touches Serveur", "#SW42#6"),
        reglage("Hauteur touches Serveur", "#SW42#7"),
        reglage("Nb de touches par page", "#SW42#8"),
        titre("Paramètres Ecran Note"),
        reglage("Grosseur ecriture Note", "#SX42#30"),
        titre("Paramètres Détail article"),
        reglage("Taille ecriture Article", "#SX42#40"),
        reglage("Taille ecriture détail", "#SX42#41"),
        reglage("Taille Saisie Complements", "#SX42#42"),
        titre("Gestion des Tables"),
        reglage("Taille Liste des Table", "#SX42#60"),
        reglage("Nb de colonnes", "#SW42#61"),
        reglage("Nb de lignes affichées", "#SW42#62"),
        reglage("Vérification du N° de table", "#ON42#55"),
        titre("Paramètres généraux"),
        reglage("Taille boite dialogue (1 à 10)", "#SW42#50"),
        reglage("Taille N° de Table", "#SX42#51"),
        reglage("Gestion des couleurs", "#COUL#"),
        reglage("Résolution de l'écran", "#RESO#"),
        reglage("Reconnexion Serveur", "#RCOC#"),
        reglage("Icone Max", "#ON42#201"),
        reglage("Annuler le mot de passe Outils", "#ON42#200"),
        reglage("Mode test Table T:001 C:01", "#ON42#202"),
        titre("Connexion de la tablette"),
        reglage("Identifier la tablette", "#IDEN#"),
        titre("Mise à jour"),
        reglage("Mise à jour Win_Velmorin", "#MAJJ#"),
    };
}

}  // namespace

const std::vector<ligne>& lignes() {
    static const std::vector<ligne> l = construit();
    return l;
}

genre genre_du_code(const std::string& code) {
    const std::string tag = txt::left(code, 6);
    if (tag == "#SW42#") return genre::nombre;
    if (tag == "#SX42#") return genre::taille;
    if (tag == "#ON42#") return genre::interrupteur;
    if (tag == "#CH42#") return genre::texte;
    if (tag == "#NTAB#") return genre::plan_tables;
    if (tag == "#COUL#") return genre::couleurs;
    if (tag == "#RESO#") return genre::resolution;
    if (tag == "#RCOC#") return genre::reconnexion;
    if (tag == "#IDEN#") return genre::identification;
    if (tag == "#MAJJ#") return genre::mise_a_jour;
    return genre::aucun;
}

long enregistrement(const std::string& code) {
    return static_cast<long>(txt::val(txt::mid(code, 7)));
}

std::string valeur_nombre(const std::string& enreg) {
    return txt::trim(txt::mid(enreg, 4));
}

std::string valeur_interrupteur(const std::string& enreg) {
    return txt::trim(enreg);
}

std::string valeur_affichee(const std::string& code) {
    switch (genre_du_code(code)) {
        case genre::nombre:
        case genre::taille:
            return valeur_nombre(parametres::lit(enregistrement(code)));
        case genre::interrupteur:
            return valeur_interrupteur(parametres::lit(enregistrement(code)));
        default:
            return "";
    }
}

std::string enreg_saisi(const std::string& saisie) {
    return txt::left("#I#" + saisie, 20);
}

std::string invite(const std::string& invite_ligne, const std::string& colonne_libelle) {
    return invite_ligne.empty() ? "valeur : " + colonne_libelle : invite_ligne;
}

}  // namespace liste_reglages
