#include "configuration/key_page.h"

#include <algorithm>
#include <cmath>

#include "platform/cp1252.h"
#include "platform/text.h"
#include "shared/globals.h"

namespace page_touches {

namespace {
const std::string separateur = "\xA7";  // "§"

// A whole number when v is one that fits the range, else `hors`.
long entier(double v, long bas, long haut, long hors) {
    if (!std::isfinite(v)) return hors;
    const long n = txt::round_even(std::clamp(v, -1e12, 1e12));
    return n >= bas && n <= haut ? n : hors;
}
}  // namespace

long enreg_touche_de(int num_page, int i) {
    return static_cast<long>(num_page) * 100 + i;
}
long enreg_entete_de(int num_page) {
    return static_cast<long>(num_page) * 100 + enreg_entete;
}

ligne ligne_de(int i, const programmation::touche& t) {
    ligne l;
    l[col::numero] = txt::format(i, "00");
    l[col::reference] = t.reference;
    l[col::libelle] = t.libelle;
    l[col::lh] = t.lh;
    l[col::taille] = t.size;
    l[col::image] = t.grap;
    l[col::visu] = t.visu;
    l[col::acte] = t.acte;
    l[col::valeur_couleur] = t.coul;
    return l;
}

std::string enreg_de(const ligne& l, const std::string& ancien) {
    programmation::touche t;
    t.reference = txt::trim(l[col::reference]);
    t.libelle = txt::trim(l[col::libelle]);
    t.lh = l[col::lh];
    t.size = l[col::taille];
    t.grap = l[col::image];
    t.visu = l[col::visu];
    t.acte = l[col::acte];
    t.coul = l[col::valeur_couleur];
    const std::string champs = programmation::encode(t);
    // The spare fields and the line end come from the record as it was.
    std::string e = txt::pad(ancien, 256);
    for (auto [de, n] : {std::pair{0, 57}, {59, 18}, {154, 100}}) e.replace(de, n, champs, de, n);
    if (txt::trim(e.substr(254)).empty()) e.replace(254, 2, "\r\n");
    return e;
}

std::int64_t valeur_couleur(const std::string& champ) {
    return entier(txt::val(champ), -2147483648L, 4294967295L, 0);
}

page lit_page(const platform::record_file& f, int num_page) {
    page p;
    enreg_touche = f.read(enreg_entete_de(num_page));
    const auto entete = programmation::decode(enreg_touche);
    p.haut = txt::trim(entete.libelle);
    p.bas = txt::trim(entete.acte);
    for (int i = 1; i <= nb_touches; ++i) {
        enreg_touche = f.read(enreg_touche_de(num_page, i));
        p.lignes[static_cast<std::size_t>(i)] = ligne_de(i, programmation::decode(enreg_touche));
    }
    return p;
}

bool ecrit_page(platform::record_file& f, int num_page, const page& p) {
    bool ok = true;
    enreg_touche = f.read(enreg_entete_de(num_page));
    if (txt::trim(enreg_touche.substr(254)).empty()) enreg_touche.replace(254, 2, "\r\n");
    enreg_touche.replace(15, 40, txt::pad(txt::trim(p.haut), 40));
    enreg_touche.replace(154, 100, txt::pad(txt::trim(p.bas), 100));
    ok = f.write(enreg_entete_de(num_page), enreg_touche) && ok;
    for (int i = 1; i <= nb_touches; ++i) {
        const long n = enreg_touche_de(num_page, i);
        enreg_touche = enreg_de(p.lignes[static_cast<std::size_t>(i)], f.read(n));
        ok = f.write(n, enreg_touche) && ok;
    }
    return ok;
}

std::string copie(const ligne& l) {
    std::string s;
    for (int c = 1; c <= col::derniere; ++c) s += l[static_cast<std::size_t>(c)] + separateur;
    return s;
}

void colle(ligne& l, const std::string& presse_papiers) {
    std::size_t debut = 0;
    // Pieces beyond the last column (a "§" typed inside a field) are dropped.
    for (int c = 1; c <= col::derniere; ++c) {
        const std::size_t fin = presse_papiers.find(separateur, debut);
        if (fin == std::string::npos) break;
        l[static_cast<std::size_t>(c)] = presse_papiers.substr(debut, fin - debut);
        debut = fin + separateur.size();
    }
}

void efface(ligne& l) {
    for (int c = 1; c <= col::derniere; ++c) l[static_cast<std::size_t>(c)].clear();
}

void apres_reference(ligne& l) {
    l[col::visu] = "1";
    if (txt::trim(l[col::lh]).empty()) l[col::lh] = "11";
}

int page_demandee(const std::string& reponse) {
    return static_cast<int>(entier(txt::val(reponse), 0, page_max, -1));
}

long numero_switch(const std::string& reponse) {
    return entier(txt::val(reponse), 1, 32767, 0);
}

}  // namespace page_touches
