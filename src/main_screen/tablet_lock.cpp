#include "main_screen/tablet_lock.h"

#include <cstdio>

#include "platform/cp1252.h"
#include "platform/file_lock.h"
#include "platform/form.h"
#include "platform/services.h"
#include "shared/globals.h"
#include "shared/program_stop.h"

namespace verrou_tablette {

void prend() {
    switch (platform::lock_for_process_life(nom_fichier)) {
        case platform::lock_result::taken:
            return;
        case platform::lock_result::held:
            Module1::arret_avec_message(
                cp("Velmorin est déjà lancé sur cette tablette, utilisez le logiciel déjà ouvert !"));
        case platform::lock_result::unusable:
            // No lock file can be made here (a folder where nothing can be
            // written) or the folder's file system offers no lock: refusing
            // would leave the waiter with no program at all, so the start goes
            // on, unguarded.
            std::fprintf(stderr, "wvelmorin: the lock file %s cannot be used in this folder\n", nom_fichier);
            return;
    }
}

}  // namespace verrou_tablette
