// The detail-style file "w_styl72.wdo" (128-byte records), copied from the
// network folder: its check at start and the details the picker lists.
#include "shared/globals.h"
#include "shared/record_files.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = fuzz::text(data, size);
    // The program reads these files from its current folder.
    const fuzz::in_folder ici;
    fuzz::write(styles::nom_fichier, bytes);
    Module1::init_styles();
    auto& f = styles::fichier();
    fuzz::check(f.is_open(), "detail file opens");
    for (long n = 1; n <= 501 && f.exists(n); ++n) {
        const styles::detail d = styles::decode(f.read(n));
        // What the picker would write back is the record it read.
        fuzz::check(styles::decode(styles::encode(d)).label == d.label, "detail label kept");
    }
    f.close();
    return 0;
}
