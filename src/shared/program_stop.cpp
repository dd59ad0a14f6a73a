#include "shared/program_stop.h"

#include "platform/form.h"
#include "platform/services.h"
#include "shared/globals.h"

namespace Module1 {

void arret_avec_message(const std::string& texte) {
    type_message = 0;
    texte_message = texte;
    // Shown by name: the message box belongs to the dialogs, which sit above
    // the shared code.
    platform::show_modal("mini_97");
    platform::end_program();
}

}  // namespace Module1
