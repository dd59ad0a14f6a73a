// The state of the on-screen keyboard, kept program-wide, and what a touch
// of one of its keys does to it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// The three layouts in use (0 to 2; the rest stay empty).
inline std::array<std::string, 21> dispositions_clavier;
// Current layout: 0 lower case, 1 upper case and digits, 2 alternate characters.
inline std::int16_t num_disposition = 0;
// 1 while a one-shot Shift or alternate-character choice is pending.
inline std::int16_t maj_temporaire = 0;
// The text being typed and the caret (characters before it).
inline std::string texte_clavier;
inline std::int16_t pos_curseur = 0;
// The list-selection mode; nothing sets it above 0.
inline std::int16_t mode_liste = 0;

namespace clavier {

// What the screen has to do after a touch.
struct suite {
    bool redessine = false;  // the key captions follow a new layout
    bool entree = false;     // return the field's text
    bool echap = false;      // return the initial text
    int liste = 0;           // -1 / +1: move the hidden list's selection
};

// Applies the touch of key i to the keyboard state.
suite touche(int i);

}  // namespace clavier
