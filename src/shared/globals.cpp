#include "shared/globals.h"

void reset_globals() {
    largeur_ecran = hauteur_ecran = nb_colonnes_touches = nb_rangees_touches = 0;
    larg_touche = haut_touche = 0;
    decalage_images = 0;
    coul_texte = {0, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0};
    coul_fond = {0, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0};
    rep_reseau.clear();
    rep_test.clear();
    num_enreg_test = 0;
    enreg_param = std::string(20, ' ');
    enreg_touche = std::string(256, ' ');
    enreg_style = std::string(128, ' ');
    fin_ligne.clear();
    sep_decimal.clear();
    format_prix.clear();
    version_prog.clear();
    for (auto& s : serveurs) s.clear();
    for (auto& s : familles) s.clear();
    for (auto& f : articles)
        for (auto& a : f) a.clear();
    nb_articles.fill(0);
    liste_tables.clear();
    texte_ccof.clear();
    texte_ccou.clear();
    fichiers_charges = false;
    num_serveur = 0;
    nom_serveur.clear();
    table_couverts.clear();
    for (auto& l : lignes_commande) l.clear();
    nb_lignes = 0;
    commande_envoyee = false;
    hors_ligne = false;
    id_tablette.clear();
    page_liste = num_famille = 0;
    for (auto& c : codes_touches) c.clear();
    code_force.clear();
    num_page = 0;
    base_page = 0;
    type_message = 0;
    texte_message.clear();
    ligne_travail.clear();
    page_detail = 0;
    liste_complements.clear();
    nb_col_tables = nb_lig_tables = haut_zone = 0;
}
