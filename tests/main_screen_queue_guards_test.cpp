// The guards of the hand-over that no kill of a healthy run reaches: each
// case makes the very condition a guard is there for (a share that cannot
// tell whether a name is there, a former exchange folder now an empty mount
// point, a start that cannot settle a note, a copy given up, a power cut of
// the server) and checks that the order still reaches the router, once.
// Power cuts are those of the test support: what a folder had not flushed
// is undone.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "main_screen/order_queue.h"
#include "main_screen_queue_fixture.h"
#include "order/order_file.h"
#include "platform/text_file.h"
#include "support/power_cut.h"

namespace {

namespace fs = std::filesystem;
using platform::file_op;

class queue_guards : public wvtest::queue_test {
  protected:
    const std::string nom = "2026-12-09-12-30-00_01_012_004_.-A-";
    fs::path tablette, reseau;

    void SetUp() override {
        queue_test::SetUp();
        nouveau("");
    }
    // A tablet folder holding one queued order, and an exchange folder, for
    // one case.
    void nouveau(const std::string& cas) {
        tablette = work / ("tablette" + cas);
        reseau = cas.empty() ? net : work / ("reseau" + cas);
        fs::create_directories(tablette);
        echange(reseau);
        wvtest::write_bytes(tablette / nom, commande("012"));
        recues.clear();
    }
    std::vector<std::string> temporaires(const fs::path& d) {
        std::vector<std::string> t;
        for (const std::string& f : fichiers(d))
            if (platform::is_temporary_name(f)) t.push_back(f);
        return t;
    }
    bool note() { return fs::exists(tablette / fichier_commande::nom_note(nom)); }

    // The order's hand-over into `dossier`, cut by a power cut of the tablet
    // just before its copy's rename: from then on nothing reaches a disk
    // (every operation fails), and what was flushed stays: the note, naming
    // the copy's temporary file on that folder.
    void coupe_avant_le_renommage(const fs::path& dossier) {
        bool coupe = false;
        platform::set_file_fault_hook([&](file_op op, const fs::path& p) {
            if (op == file_op::rename && p.parent_path() == dossier) coupe = true;
            return coupe ? EIO : 0;
        });
        file_attente::transmet(tablette, dossier.string());
        platform::set_file_fault_hook(nullptr);
        ASSERT_TRUE(note());
        ASSERT_EQ(temporaires(dossier).size(), 1u);
        ASSERT_FALSE(fs::exists(dossier / file_attente::nom_transmis(nom)));
    }

    // A start with the exchange folder healthy, a hand-over, the router: the
    // order reaches it once, and nothing is left of the copy.
    void arrive_une_fois() {
        file_attente::demarrage(tablette, reseau.string());
        file_attente::transmet(tablette, reseau.string());
        routeur(reseau);
        EXPECT_EQ(recues[commande("012")], 1) << "times the router got the order (0: lost)";
        EXPECT_FALSE(fs::exists(tablette / nom));
        EXPECT_EQ(fichiers(reseau), std::vector<std::string>{}) << "a temporary file left";
        EXPECT_FALSE(note());
    }
};

// A share that cannot say whether the noted temporary file is there (its
// question fails, as a share that does not answer): nothing is known of the
// copy, and the order stays; once it answers, the file still there tells
// that the copy was never renamed.
TEST_F(queue_guards, a_noted_copy_the_share_cannot_tell_is_there_or_not_is_never_taken_for_delivered) {
    coupe_avant_le_renommage(reseau);
    platform::set_file_fault_hook([&](file_op op, const fs::path& p) {
        return op == file_op::stat && platform::is_temporary_name(p.filename().string()) ? EIO : 0;
    });
    file_attente::demarrage(tablette, reseau.string());
    file_attente::transmet(tablette, reseau.string());
    platform::set_file_fault_hook(nullptr);
    EXPECT_EQ(wvtest::read_bytes(tablette / nom), commande("012"))
        << "taken for delivered, though its copy was never renamed";
    arrive_une_fois();
}

// The exchange folder moved to another share, and the former one's mount
// point left empty (nothing mounted there): the note names a temporary file
// that is not there, but only because that folder holds nothing at all. The
// order goes to today's exchange folder.
TEST_F(queue_guards,
       a_note_of_a_former_folder_now_an_empty_mount_point_never_passes_its_order_for_delivered) {
    const fs::path ancien = work / "ancien";
    echange(ancien);
    coupe_avant_le_renommage(ancien);
    fs::rename(ancien, work / "ailleurs");
    fs::create_directories(ancien);
    arrive_une_fois();
}

// A start whose exchange folder cannot settle the note (its catalogue away,
// or the folder not answering): its removal of the leftovers spares the
// temporary file that the note names, which alone tells the next start that
// the copy was never renamed.
TEST_F(queue_guards, a_start_that_cannot_settle_a_note_spares_the_temporary_file_it_names) {
    for (const bool sans_catalogue : {true, false}) {
        SCOPED_TRACE(sans_catalogue ? "the catalogue away" : "the folder not answering");
        nouveau(sans_catalogue ? "-a" : "-b");
        coupe_avant_le_renommage(reseau);
        const fs::path catalogue = reseau / "velmorin.wdo", ailleurs = work / "velmorin.wdo";
        if (sans_catalogue) {
            fs::rename(catalogue, ailleurs);
        } else {
            platform::set_file_fault_hook([&](file_op op, const fs::path& p) {
                return op == file_op::stat && p.parent_path() == reseau ? EIO : 0;
            });
        }
        file_attente::demarrage(tablette, reseau.string());
        platform::set_file_fault_hook(nullptr);
        if (sans_catalogue) fs::rename(ailleurs, catalogue);
        EXPECT_EQ(temporaires(reseau).size(), 1u) << "the start removed the copy its note names";
        EXPECT_TRUE(note());
        arrive_une_fois();
    }
}

// A copy given up while its note is on the tablet's disk has the note
// removed durably before its temporary file, wherever it is given up: in the
// hand-over (its name taken by another order, and the share no longer able
// to tell whether the next second is free), or when a note is settled as
// never renamed (its temporary file still there) and the order is copied
// anew. A power cut of the tablet falls before each operation after that
// decision in turn, or after the last: whatever the tablet's disk lost, no
// start ever finds a note whose temporary file is gone.
TEST_F(queue_guards, a_copy_given_up_has_its_note_removed_durably_before_its_temporary_file) {
    struct cas {
        const char* nom;
        bool note_laissee;  // a note left by a cut just before the rename, settled by the next hand-over
    };
    for (const cas& c : {cas{"given up in the hand-over", false}, cas{"settled as never renamed", true}}) {
        for (int k = 1; k <= 4; ++k) {
            SCOPED_TRACE(std::string(c.nom) + ", a power cut before operation " + std::to_string(k) +
                         " after the decision");
            nouveau(std::string("-") + (c.note_laissee ? "n" : "h") + std::to_string(k));
            if (c.note_laissee)
                coupe_avant_le_renommage(reseau);
            else  // another tablet's order of the same second, under this order's name
                wvtest::write_bytes(reseau / file_attente::nom_transmis(nom), commande("013"));
            wvtest::power_cut courant({tablette, reseau});
            bool decide = false;
            int apres = 0;
            platform::set_file_fault_hook([&](file_op op, const fs::path& p) {
                if (decide && ++apres >= k) return EIO;
                int e = 0;
                // The decision: the noted temporary file is found still there;
                // or the share cannot tell whether the next second is free.
                if (!decide && op == file_op::stat && p.parent_path() == reseau) {
                    if (c.note_laissee && platform::is_temporary_name(p.filename().string())) decide = true;
                    if (!c.note_laissee && p.extension() == ".txt") {
                        decide = true;
                        e = EIO;
                    }
                }
                courant.seen(op, p, e);
                return e;
            });
            file_attente::transmet(tablette, reseau.string());
            platform::set_file_fault_hook(nullptr);
            ASSERT_TRUE(decide);
            // The server keeps what it was given.
            courant.undo(tablette);
            arrive_une_fois();
            if (!c.note_laissee) EXPECT_EQ(recues[commande("013")], 1) << "the other tablet's order";
        }
    }
}

// A copy renamed, its network folder not flushed after it (the flush failed;
// a kill there leaves the same): the next start finds it renamed and lets the
// order leave the tablet only once the server holds the rename on its disk.
// A power cut of the server then takes nothing back.
TEST_F(queue_guards,
       a_copy_found_renamed_at_a_start_is_on_the_servers_disk_before_its_order_leaves_the_tablet) {
    // The server's flush works again at that start, or it still fails there.
    for (const bool flush_au_demarrage : {true, false}) {
        SCOPED_TRACE(flush_au_demarrage ? "the flush works at the start"
                                        : "the flush fails at the start too");
        nouveau(flush_au_demarrage ? "-f" : "-e");
        wvtest::power_cut courant({tablette, reseau});
        bool panne = true, renommee = false;
        platform::set_file_fault_hook([&](file_op op, const fs::path& p) {
            if (op == file_op::rename && p.parent_path() == reseau) renommee = true;
            const int e = panne && renommee && op == file_op::sync_folder && p == reseau ? EIO : 0;
            courant.seen(op, p, e);
            return e;
        });
        file_attente::transmet(tablette, reseau.string());
        ASSERT_TRUE(note());
        ASSERT_TRUE(fs::exists(reseau / file_attente::nom_transmis(nom)));
        panne = !flush_au_demarrage;
        file_attente::demarrage(tablette, reseau.string());
        platform::set_file_fault_hook(nullptr);
        EXPECT_EQ(fs::exists(tablette / nom), !flush_au_demarrage)
            << (flush_au_demarrage ? "not taken as delivered"
                                   : "gone while its rename was not on the server's disk");
        courant.undo(reseau);
        arrive_une_fois();
    }
}

}  // namespace
