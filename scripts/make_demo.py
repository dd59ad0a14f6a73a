#!/usr/bin/env python3
"""Writes the demo exchange folder demo/: the catalogue of a small French
restaurant, "velmorin.wdo" and "wvelmorin.wdo".

Both files are single-byte Windows-1252 text, CR LF after every line (the
last one included), no byte-order mark.

Usage: scripts/make_demo.py [OUTPUT_FOLDER]   (default: demo/ beside scripts/)
"""

import os
import sys

# Marks of the menu texts (code page 1252 bytes A4, D0, F0, B5, A6).
CUR = "\u00a4"     # ¤ start of a fixed menu's component list (after "|")
END = "\u00d0"     # Ð end of a fixed-menu component
VAL = "\u00f0"     # ð before each value of a fixed-menu component
COURSE = "\u00b5"  # µ end of a composed menu's course title
SLOT = "\u00a6"    # ¦ end of a composed menu's dish slot


def ean13(body12: str) -> str:
    """A 13-digit reference: 12 digits and their check digit."""
    assert len(body12) == 12 and body12.isdigit()
    total = sum(int(d) * (3 if i % 2 else 1) for i, d in enumerate(body12))
    return body12 + str((10 - total % 10) % 10)


SERVERS = ["Julien", "Camille", "Mathieu", "Léa", "Thomas", "Chloé", "Antoine", "Élodie"]

# number: (name, colour field or None)
FAMILIES = {
    0: ("Apéritifs", None),
    1: ("Entrées", None),
    2: ("Viandes", None),
    3: ("Poissons", None),
    4: ("Garnitures", None),
    5: ("Fromages", None),
    6: ("Desserts", "8"),
    7: ("Boissons", None),
    8: ("Vins", "6"),
    9: ("Menus", "9"),
}
# colour digit of family key n at position n + 1
CCOF = "4251030700"
# colour digit of the i-th server key of a page
CCOU = "1274861739"

# Sub-group opened by the "#SG#0001" key of the wine family: family 30 + 1.
SUBGROUP = 31

# family: (article colour digit or None, [(designation, price)])
ARTICLES = {
    0: ("4", [
        ("Kir vin blanc", "4.50"),
        ("Kir royal", "8.00"),
        ("Pastis", "3.80"),
        ("Porto rouge", "4.20"),
        ("Coupe de champagne", "9.50"),
        ("Américano maison", "7.50"),
    ]),
    1: ("2", [
        ("Salade de chèvre chaud", "8.50"),
        ("Soupe à l'oignon gratinée", "7.00"),
        ("Terrine de campagne", "7.50"),
        ("Œuf cocotte", "6.50"),
        ("Escargots de Bourgogne (6)", "11.00"),
        ("Assiette de charcuterie", "10.50"),
        ("Velouté de potimarron", "6.80"),
    ]),
    2: ("5", [
        ("Entrecôte grillée 300 g", "21.50"),
        ("Bavette à l'échalote", "16.90"),
        ("Magret de canard au miel", "19.50"),
        ("Tartare de bœuf préparé", "17.50"),
        ("Blanquette de veau", "16.50"),
        ("Confit de canard", "17.90"),
        ("Andouillette grillée", "15.50"),
    ]),
    3: ("1", [
        ("Filet de bar à la plancha", "19.00"),
        ("Sole meunière", "26.00"),
        ("Moules marinière", "14.50"),
        ("Saumon grillé, sauce oseille", "17.50"),
        ("Brandade de morue", "15.00"),
    ]),
    4: (None, [
        ("Frites maison", "4.00"),
        ("Purée à l'ancienne", "4.00"),
        ("Haricots verts", "4.00"),
        ("Gratin dauphinois", "4.50"),
        ("Salade verte", "3.50"),
    ]),
    5: ("3", [
        ("Assiette de trois fromages", "7.50"),
        ("Camembert rôti", "8.50"),
        ("Fromage blanc à la crème", "5.50"),
    ]),
    6: ("8", [
        ("Crème brûlée", "6.50"),
        ("Tarte Tatin", "7.00"),
        ("Mousse au chocolat", "6.00"),
        ("Île flottante", "6.00"),
        ("Profiteroles", "7.50"),
        ("Café gourmand", "8.50"),
        ("Crêpe Suzette", "7.50"),
    ]),
    7: ("7", [
        ("Café", "1.80"),
        ("Café crème", "2.80"),
        ("Thé", "3.00"),
        ("Chocolat chaud", "3.50"),
        ("Eau minérale 50 cl", "3.50"),
        ("Eau gazeuse 50 cl", "3.80"),
        ("Jus d'orange pressé", "4.50"),
        ("Limonade artisanale", "3.80"),
        ("Bière pression 25 cl", "3.50"),
        ("Diabolo menthe", "3.20"),
    ]),
    8: ("6", [
        ("Verre de bordeaux rouge", "5.50"),
        ("Verre de côtes-du-rhône", "4.80"),
        ("Verre de muscadet", "4.50"),
        ("Verre de rosé de Provence", "4.80"),
        ("Pichet de vin rouge 50 cl", "12.00"),
    ]),
    SUBGROUP: ("6", [
        ("Saint-Émilion grand cru 75 cl", "42.00"),
        ("Chablis premier cru 75 cl", "38.00"),
        ("Côtes de Provence rosé 75 cl", "26.00"),
        ("Sancerre blanc 75 cl", "34.00"),
        ("Champagne brut 75 cl", "65.00"),
    ]),
}

TABLES = list(range(1, 21)) + list(range(30, 36)) + list(range(101, 106))


def build():
    refs = {}      # designation -> 13-digit reference
    counter = [0]  # running number of the "#ARTI#" lines (columns 7-11)

    def ref_for(family, seq):
        return ean13("20" + f"{family:03d}" + f"{seq:07d}")

    def arti(text):
        counter[0] += 1
        return f"#ARTI#{counter[0]:05d}" + text

    def field15(ref):
        return ref.ljust(15)

    cat = []
    for i, name in enumerate(SERVERS, start=1):
        cat.append(f"#SERV#{i:02d} {name}")
    cat.append("#CCOU#" + CCOU)
    for n, (name, colour) in FAMILIES.items():
        cat.append(f"#FAMI#{n:02d} {name}" + (f"|COU:{colour}" if colour else ""))
    cat.append("#CCOF#" + CCOF)

    for family, (colour, items) in ARTICLES.items():
        for seq, (designation, price) in enumerate(items, start=1):
            ref = ref_for(family, seq)
            refs[designation] = ref
            text = (field15(ref) + f"|DES:{designation}|PVE:{price}|FA1:{family}|FA2:0|"
                    + (f"COU:{colour}|" if colour else ""))
            cat.append(arti(text))
        if family == 8:
            # the key of the sub-group of bottles (family 30 + 1)
            sg = f"#SG#{SUBGROUP - 30:04d}"
            cat.append(arti(field15(sg) + "|DES:Vins en bouteille|PVE:0.00|FA1:8|FA2:0|COU:6|"))

    # Fixed menus: the component list follows the first "|" + two currency
    # signs; a component is its 15-character reference, one separator, then
    # its name and two values, each after an "ð", and it ends with "Ð".
    def fixed_menu(seq, designation, price, components):
        ref = ref_for(9, seq)
        text = field15(ref) + f"|DES:{designation}|PVE:{price}|FA1:9|FA2:99|COU:9|" + CUR * 2
        for name, first, second in components:
            text += field15(refs[name]) + " " + name + VAL + first + VAL + second + END
        text += "|"
        return arti(text)

    cat.append(fixed_menu(1, "Menu du Marché", "22.50", [
        ("Soupe à l'oignon gratinée", "0.00", "1"),
        ("Blanquette de veau", "0.00", "1"),
        ("Crème brûlée", "0.00", "1"),
    ]))
    cat.append(fixed_menu(2, "Formule Bistrot", "18.90", [
        ("Bavette à l'échalote", "0.00", "1"),
        ("Frites maison", "0.00", "1"),
        ("Verre de côtes-du-rhône", "0.00", "1"),
        ("Café", "0.00", "1"),
    ]))

    # Composed menu: "{{", six courses (title, "µ", sixteen slots
    # "reference|name¦"), "}}".
    courses = [
        ("Entrées", ["Salade de chèvre chaud", "Terrine de campagne", "Velouté de potimarron",
                     "Œuf cocotte"]),
        ("Plats", ["Magret de canard au miel", "Filet de bar à la plancha", "Blanquette de veau",
                   "Confit de canard", "Moules marinière"]),
        ("Fromages ou desserts", ["Assiette de trois fromages", "Crème brûlée", "Tarte Tatin",
                                  "Mousse au chocolat", "Île flottante"]),
    ]
    body = ""
    for k in range(6):
        title, dishes = courses[k] if k < len(courses) else ("", [])
        body += title + COURSE
        for i in range(16):
            if i < len(dishes):
                body += refs[dishes[i]] + "|" + dishes[i] + SLOT
            else:
                body += "|" + SLOT
    cat.append(arti(field15(ref_for(9, 3)) + "|DES:Menu Découverte|PVE:29.00|FA1:9|FA2:98|"
                    + "{{" + body + "}}"))

    for t in TABLES:
        cat.append(f"#TABL#{t:03d}")

    config = [
        "Velmorin - Bistrot de la Place",
        "#RESTO#Bistrot de la Place",
        "#VILLE#Lyon",
        "#DIR#/srv/velmorin/echange",
    ]
    return config, cat


def write(path, lines):
    data = b"".join(line.encode("cp1252") + b"\r\n" for line in lines)
    with open(path, "wb") as f:
        f.write(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "demo")
    os.makedirs(out, exist_ok=True)
    config, cat = build()
    write(os.path.join(out, "velmorin.wdo"), config)
    write(os.path.join(out, "wvelmorin.wdo"), cat)


if __name__ == "__main__":
    main()
