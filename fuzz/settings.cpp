#include "settings.h"

#include <string>

#include "shared/settings_file.h"
#include "support.h"

namespace fuzz {

void open_settings(std::string_view records, long first) {
    std::string file(static_cast<std::size_t>(first - 1) * 20, ' ');
    if (first > 2) file.replace(20, 20, "#I#0:01024:00768   ");
    file += records;
    write(parametres::nom_fichier, file);
    check(parametres::fichier().open(folder() / parametres::nom_fichier), "settings file opens");
}

void close_settings() {
    // Closed after each input, so that no record file stays open at exit.
    parametres::fichier().close();
}

}  // namespace fuzz
