// The start's copy of the catalogue writes only what changed, and the probe
// on a folder that refuses in-place writes (GVfs's FUSE folder, met for real
// on a loopback Samba share) puts its record back only when it differs.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <map>
#include <mutex>

#include "platform/record_file.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "shared/catalogue.h"
#include "shared/globals.h"
#include "shared/network_folder.h"
#include "support/fixtures.h"
#include "support/gvfs_share.h"

namespace {

namespace fs = std::filesystem;

struct identite {
    ino_t inode = 0;
    // The last change, in nanoseconds.
    long long modifie = 0;
    bool operator==(const identite& o) const { return inode == o.inode && modifie == o.modifie; }
};

identite identite_de(const fs::path& p) {
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0) return {};
    return {st.st_ino, static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

// Counts the renames onto each final name (every atomic write ends with one),
// and fails those onto the names in `refuses`.
class renames {
  public:
    explicit renames(std::vector<std::string> refuses = {}) : refuses_(std::move(refuses)) {
        platform::set_file_fault_hook([this](platform::file_op op, const fs::path& p) {
            if (op != platform::file_op::rename) return 0;
            const std::string nom = p.filename().string();
            std::lock_guard lock(m_);
            ++vus_[nom];
            for (const auto& r : refuses_)
                if (r == nom) return EIO;
            return 0;
        });
    }
    ~renames() { platform::set_file_fault_hook(nullptr); }
    int de(const std::string& nom) {
        std::lock_guard lock(m_);
        return vus_[nom];
    }

  private:
    std::vector<std::string> refuses_;
    std::mutex m_;
    std::map<std::string, int> vus_;
};

class catalogue_copie : public wvtest::folder_test {
  protected:
    void SetUp() override {
        folder_test::SetUp();
        rep_reseau = rep_test = network_folder();
        num_enreg_test = 1;
        wvtest::write_bytes(net / "velmorin.wdo", "#DIR#/srv/reseau\r\n");
        wvtest::write_bytes(net / "wvelmorin.wdo", "#SERV#01 Reseau\r\n");
        wvtest::write_bytes(net / "w_styl72.wdo", "#INIT#reseau");
    }
    void charge() {
        reset_globals();
        rep_reseau = rep_test = network_folder();
        num_enreg_test = 1;
        Module1::charge_fichiers();
    }
};

const char* const fichiers[] = {"w_styl72.wdo", "velmorin.wdo", "wvelmorin.wdo"};

TEST_F(catalogue_copie, an_unchanged_catalogue_is_left_as_it_is_and_a_changed_file_is_written_once) {
    charge();
    for (const char* nom : fichiers) EXPECT_EQ(wvtest::read_bytes(nom), wvtest::read_bytes(net / nom)) << nom;
    // The local copies as an earlier run left them, a while ago.
    std::map<std::string, identite> avant;
    for (const char* nom : fichiers) {
        const auto t = fs::last_write_time(nom) - std::chrono::hours(1);
        fs::last_write_time(nom, t);
        avant[nom] = identite_de(nom);
    }
    {
        renames r;
        charge();
        for (const char* nom : fichiers) {
            EXPECT_EQ(r.de(nom), 0) << nom;
            EXPECT_TRUE(identite_de(nom) == avant[nom]) << nom << " was written again";
        }
    }
    EXPECT_EQ(serveurs[1], "Reseau");
    EXPECT_EQ(Module1::rep_dir, "/srv/reseau");

    // The server changes each file: each is copied once, and the new
    // catalogue is the one parsed.
    wvtest::write_bytes(net / "velmorin.wdo", "#DIR#/srv/nouveau\r\n");
    wvtest::write_bytes(net / "wvelmorin.wdo", "#SERV#01 Nouveau\r\n#SERV#02 Autre\r\n");
    wvtest::write_bytes(net / "w_styl72.wdo", "#INIT#nouveau");
    renames r;
    charge();
    for (const char* nom : fichiers) {
        EXPECT_EQ(wvtest::read_bytes(nom), wvtest::read_bytes(net / nom)) << nom;
        EXPECT_EQ(r.de(nom), 1) << nom;
        EXPECT_FALSE(identite_de(nom) == avant[nom]) << nom;
    }
    EXPECT_EQ(serveurs[1], "Nouveau");
    EXPECT_EQ(serveurs[2], "Autre");
    EXPECT_EQ(Module1::rep_dir, "/srv/nouveau");
    EXPECT_EQ(std::distance(fs::directory_iterator(work), {}), 1 + 3 + 0) << "no temporary file left";
}

// A copy that cannot be written leaves the local copy as it was, and that is
// what is parsed; the network folder's bytes are taken only once they are
// the local copy's. An unreachable folder leaves every local copy.
TEST_F(catalogue_copie, a_copy_that_fails_or_a_folder_out_of_reach_leaves_the_local_copies_parsed) {
    struct cas {
        const char* quoi;
        std::vector<std::string> refuses;
        bool joignable;
        std::string serveur, dir, styles;
    };
    const std::vector<cas> cas_ = {
        {"the catalogue's copy fails", {"wvelmorin.wdo"}, true, "Local", "/srv/reseau", "#INIT#reseau"},
        {"the folder file's copy fails", {"velmorin.wdo"}, true, "Reseau", "/srv/local", "#INIT#reseau"},
        {"the styles fail twice", {"w_styl72.wdo"}, true, "Reseau", "/srv/reseau", "#INIT#local"},
        {"the folder is out of reach", {}, false, "Local", "/srv/local", "#INIT#local"},
    };
    for (const cas& k : cas_) {
        SCOPED_TRACE(k.quoi);
        wvtest::write_bytes("velmorin.wdo", "#DIR#/srv/local\r\n");
        wvtest::write_bytes("wvelmorin.wdo", "#SERV#01 Local\r\n");
        wvtest::write_bytes("w_styl72.wdo", "#INIT#local");
        renames r(k.refuses);
        reset_globals();
        rep_reseau = rep_test = k.joignable ? network_folder() : (work / "absent").string();
        num_enreg_test = 1;
        Module1::charge_fichiers();
        EXPECT_EQ(serveurs[1], k.serveur);
        EXPECT_EQ(Module1::rep_dir, k.dir);
        EXPECT_EQ(wvtest::read_bytes("w_styl72.wdo"), k.styles);
        for (const auto& nom : k.refuses) EXPECT_EQ(r.de(nom), nom == "w_styl72.wdo" ? 2 : 1) << nom;
        EXPECT_TRUE(fichiers_charges);
    }
}

// Step 5's copy of the detail styles is made only when the first did not
// bring them: a folder that can be read but not written still gives them.
TEST_F(catalogue_copie, the_styles_are_copied_once_or_asked_again_when_the_probe_failed) {
    wvtest::write_bytes("w_styl72.wdo", "#INIT#local");
    {
        renames r;
        charge();
        EXPECT_EQ(r.de("w_styl72.wdo"), 1);
    }
    fs::remove("w_styl72.wdo");
    fs::remove(net / "Test.res");
    fs::create_directory(net / "Test.res");  // the probe cannot write its record
    renames r;
    charge();
    EXPECT_EQ(wvtest::read_bytes("w_styl72.wdo"), "#INIT#reseau");
    EXPECT_EQ(r.de("w_styl72.wdo"), 1);
    EXPECT_EQ(r.de("wvelmorin.wdo"), 0);
}

// The whole-file way keeps a file that already holds the record, when asked,
// and otherwise puts it back whole, the other tablets' records kept.
TEST_F(catalogue_copie, the_whole_file_way_puts_the_file_back_only_when_its_record_differs) {
    const std::string a = txt::pad("autre tablette A", 64), c = txt::pad("autre tablette C", 64);
    const fs::path test = net / "Test.res";
    wvtest::write_bytes(test, a + txt::pad("10-12-2026", 64) + c);
    fs::last_write_time(test, fs::last_write_time(test) - std::chrono::hours(1));
    const identite avant = identite_de(test);
    EXPECT_TRUE(platform::write_record_whole(test, 64, 2, "10-12-2026", /*keep_when_unchanged=*/true));
    EXPECT_TRUE(identite_de(test) == avant);
    EXPECT_TRUE(platform::write_record_whole(test, 64, 2, "10-12-2026"));
    EXPECT_FALSE(identite_de(test) == avant) << "without it, the file is put back";
    EXPECT_TRUE(platform::write_record_whole(test, 64, 2, "11-12-2026", /*keep_when_unchanged=*/true));
    EXPECT_EQ(wvtest::read_bytes(test), a + txt::pad("11-12-2026", 64) + c);
    // A record past the end is never "already there".
    EXPECT_TRUE(platform::write_record_whole(test, 64, 5, "", /*keep_when_unchanged=*/true));
    EXPECT_EQ(wvtest::read_bytes(test).size(), 5u * 64);
}

class gvfs_sonde : public wvtest::folder_test {};

// On the real FUSE folder of GVfs, which refuses to open an existing file for
// writing in place: the probe still writes its record when it differs and
// keeps every other tablet's, and leaves the file alone when it holds it.
TEST_F(gvfs_sonde, the_probe_on_a_gvfs_share_writes_its_record_only_when_it_differs) {
    wvtest::gvfs_share share(work);
    if (!share.ready()) GTEST_SKIP() << share.why_not();
    const fs::path serveur = share.on_server() / "Test.res";
    const std::string a = txt::pad("07-12-2026", 64), b = txt::pad("08-12-2026 tablette 2", 64);
    wvtest::write_bytes(serveur, a + b);
    fs::permissions(serveur, fs::perms::all);
    const std::string dossier = share.folder().string();
    ASSERT_EQ(::access((share.folder() / "velmorin.wdo").c_str(), R_OK), 0);
    EXPECT_FALSE(platform::write_record_in_place(share.folder() / "Test.res", 64, 1, "09-12-2026"))
        << "GVfs took an in-place write: this share no longer tells the two ways apart";

    EXPECT_TRUE(atdend_res::sonde(dossier, 1, "09-12-2026"));
    EXPECT_EQ(wvtest::read_bytes(serveur), txt::pad("09-12-2026", 64) + b);
    const identite ecrit = identite_de(serveur);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(atdend_res::sonde(dossier, 1, "09-12-2026"));
    EXPECT_TRUE(identite_de(serveur) == ecrit) << "an unchanged record was put back";
    // Another tablet's record of today, and a new day for this one.
    EXPECT_TRUE(atdend_res::sonde(dossier, 2, "09-12-2026"));
    EXPECT_TRUE(atdend_res::sonde(dossier, 1, "10-12-2026"));
    EXPECT_EQ(wvtest::read_bytes(serveur), txt::pad("10-12-2026", 64) + txt::pad("09-12-2026", 64));
    EXPECT_EQ(std::distance(fs::directory_iterator(share.on_server()), {}), 2) << "no temporary file left";

    // Through the bounded probe of the screens as well.
    rep_test = dossier;
    num_enreg_test = 1;
    EXPECT_TRUE(atdend_res::teste_reseau());
    EXPECT_EQ(wvtest::read_bytes(serveur).substr(0, 64), txt::pad("09-12-2026", 64));
}

}  // namespace
