#include "dialogs/program_end.h"

#include "dialogs/mini_97.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "shared/globals.h"
#include "shared/program_stop.h"

namespace Module1 {

void quitte_logiciel() {
    type_message = 4;
    texte_message = cp("Confirmez la réinitialisation du logiciel, les données saisies seront perdues ?");
    mini_97::instance().show_modal();
    if (type_message == 6) platform::end_program();
}

}  // namespace Module1

namespace w_velmo_2 {

void force_separateur() {
    if (platform::runtime_decimal_separator() != '.') platform::force_runtime_decimal_point();
    Module1::arret_avec_message(
        cp("Le logiciel a configuré le point comme séparateur décimal (obligatoire), relancez votre logiciel "
           "!"));
}

}  // namespace w_velmo_2
