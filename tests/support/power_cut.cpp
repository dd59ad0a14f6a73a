#include "support/power_cut.h"

#include <fstream>

namespace wvtest {

namespace fs = std::filesystem;

namespace {

// Through the streams, never the platform layer: undoing a change is no
// operation of the program, and its hook must not see it.
void put_back(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace

power_cut::power_cut(const std::vector<fs::path>& folders) {
    for (const fs::path& f : folders) folders_[platform::folder_spelling(f)];
}

power_cut::journal* power_cut::of(const fs::path& path, bool is_folder) {
    const fs::path p = platform::folder_spelling(path);
    const auto it = folders_.find(is_folder ? p : p.parent_path());
    return it == folders_.end() ? nullptr : &it->second;
}

void power_cut::seen(platform::file_op op, const fs::path& path, int answer) {
    if (answer != 0) return;
    journal* j = of(path, op == platform::file_op::sync_folder);
    if (!j) return;
    switch (op) {
        case platform::file_op::create:
            // A file written again in place keeps its name: no change of names.
            if (fs::exists(path)) break;
            j->unflushed.push_back({path, std::nullopt, false, {}, {}});
            if (platform::is_temporary_name(path.filename().string())) j->temporaries.push_back(path);
            break;
        case platform::file_op::rename: {
            change c{path, platform::read_file(path), true, {}, {}};
            for (auto t = j->temporaries.rbegin(); t != j->temporaries.rend(); ++t) {
                if (const auto b = platform::read_file(*t)) {
                    c.source = *t;
                    c.source_bytes = *b;
                    break;
                }
            }
            j->unflushed.push_back(std::move(c));
            break;
        }
        case platform::file_op::remove:
            if (auto b = platform::read_file(path))
                j->unflushed.push_back({path, std::move(b), false, {}, {}});
            break;
        case platform::file_op::sync_folder:
            j->unflushed.clear();
            break;
        default:
            break;
    }
}

std::vector<std::string> power_cut::undo(const fs::path& folder, const std::function<bool()>& each) {
    std::vector<std::string> renames;
    journal* j = of(folder, true);
    if (!j) return renames;
    for (auto it = j->unflushed.rbegin(); it != j->unflushed.rend(); ++it) {
        if (each && !each()) continue;
        std::error_code ec;
        if (it->before) {
            put_back(it->name, *it->before);
        } else {
            fs::remove(it->name, ec);
        }
        if (!it->rename) continue;
        if (!it->source.empty()) put_back(it->source, it->source_bytes);
        if (!it->before) renames.push_back(it->name.filename().string());
    }
    j->unflushed.clear();
    return renames;
}

}  // namespace wvtest
