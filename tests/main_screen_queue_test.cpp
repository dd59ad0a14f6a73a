// The hand-over of queued order files to the network folder, without a
// display: order, names, bytes, failures and an interrupted hand-over.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <map>

#include "main_screen/order_queue.h"
#include "main_screen_queue_fixture.h"
#include "order/order_file.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "support/fixtures.h"
#include "support/router.h"

namespace {

namespace fs = std::filesystem;
using queue = wvtest::queue_test;

TEST_F(queue, lists_queued_orders_in_name_order_whatever_their_case) {
    wvtest::write_bytes(work / "2026-12-09-12-40-00_01_012_004_.-A-", "b");
    wvtest::write_bytes(work / "2026-12-09-12-30-00_01_007_002_.-a-", "a");
    wvtest::write_bytes(work / "2026-12-09-12-50-00_01_003_001_.-A-", "c");
    wvtest::write_bytes(work / "2026-12-09-12-20-00_01_001_001_.txt", "not queued");
    wvtest::write_bytes(work / "2026-12-09-12-20-00_01_001_001_.-A-.bak", "not queued");
    fs::create_directories(work / "dossier.-A-");
    EXPECT_EQ(file_attente::en_attente(work),
              (std::vector<std::string>{"2026-12-09-12-30-00_01_007_002_.-a-",
                                        "2026-12-09-12-40-00_01_012_004_.-A-",
                                        "2026-12-09-12-50-00_01_003_001_.-A-"}));
}

TEST_F(queue, copy_name_replaces_the_last_three_characters) {
    EXPECT_EQ(file_attente::nom_transmis("2024-03-15-12-30-05_03_012_004_.-A-"),
              "2024-03-15-12-30-05_03_012_004_.txt");
    EXPECT_EQ(file_attente::nom_transmis("x.-a-"), "x.txt");
}

TEST_F(queue, three_orders_move_byte_for_byte_and_leave_the_tablet) {
    const std::string a = commande("001"), b = commande("002"), c = commande("003");
    wvtest::write_bytes(work / "2026-12-09-12-30-00_01_001_004_.-A-", a);
    wvtest::write_bytes(work / "2026-12-09-12-31-00_01_002_004_.-A-", b);
    wvtest::write_bytes(work / "2026-12-09-12-32-00_01_003_004_.-a-", c);

    const file_attente::bilan r = file_attente::transmet(work, net.string());

    EXPECT_EQ(r.transmis, 3);
    EXPECT_EQ(r.restants, 0);
    EXPECT_TRUE(file_attente::en_attente(work).empty());
    EXPECT_EQ(fichiers(net), (std::vector<std::string>{"2026-12-09-12-30-00_01_001_004_.txt",
                                                       "2026-12-09-12-31-00_01_002_004_.txt",
                                                       "2026-12-09-12-32-00_01_003_004_.txt"}));
    EXPECT_EQ(wvtest::read_bytes(net / "2026-12-09-12-30-00_01_001_004_.txt"), a);
    EXPECT_EQ(wvtest::read_bytes(net / "2026-12-09-12-31-00_01_002_004_.txt"), b);
    EXPECT_EQ(wvtest::read_bytes(net / "2026-12-09-12-32-00_01_003_004_.txt"), c);
}

TEST_F(queue, failed_copy_leaves_that_order_and_the_later_ones_queued_and_no_temporary_file) {
    wvtest::write_bytes(work / "1_.-A-", commande("001"));
    wvtest::write_bytes(work / "2_.-A-", commande("002"));
    wvtest::write_bytes(work / "3_.-A-", commande("003"));
    // A name the network folder cannot take: the copy of order 2 fails.
    fs::create_directories(net / "2_.txt");

    const file_attente::bilan r = file_attente::transmet(work, net.string());

    EXPECT_EQ(r.transmis, 1);
    EXPECT_EQ(r.restants, 2);
    // The oldest went first; the move stops at the failure, so order 3 does
    // not overtake order 2.
    EXPECT_EQ(file_attente::en_attente(work), (std::vector<std::string>{"2_.-A-", "3_.-A-"}));
    EXPECT_EQ(wvtest::read_bytes(work / "2_.-A-"), commande("002"));
    EXPECT_EQ(fichiers(net), (std::vector<std::string>{"1_.txt", "2_.txt"}));
    EXPECT_TRUE(fs::is_empty(net / "2_.txt"));
}

// A hand-over killed part-way, then the start that follows. The child runs the
// program's own start and hand-over and dies just before the file operation
// named; the network folder may meanwhile be taken by the router, or not
// mounted when the tablet starts again.
TEST_F(queue, a_hand_over_killed_part_way_is_settled_at_the_next_start_once_and_whole) {
    struct cas {
        const char* nom;
        const char* mort;  // "<operation>:<n>" for the child
        bool routeur_prend;
        bool partage_absent_au_demarrage;
        bool deja_renommee;
        bool catalogue_absent_au_demarrage = false;  // the server replacing it right then
    };
    // The only rename is the copy's; the first removal is the local file's.
    const std::vector<cas> cas_ = {
        {"killed after the rename, the copy still there", "remove:1", false, false, true},
        {"killed after the rename, the router took the copy", "remove:1", true, false, true},
        {"killed before the rename", "rename:1", false, false, false},
        {"killed after the rename, the share not mounted at the start", "remove:1", true, true, true},
        {"killed before the rename, the share not mounted at the start", "rename:1", false, true, false},
        {"killed before the rename, the catalogue away at the start", "rename:1", false, false, false, true},
    };
    const std::string octets = commande("012");
    const std::string nom = "2026-12-09-12-30-00_01_012_004_.-A-",
                      copie = "2026-12-09-12-30-00_01_012_004_.txt";
    for (const cas& c : cas_) {
        SCOPED_TRACE(c.nom);
        const fs::path tablette =
            work / c.mort / (c.routeur_prend ? "r" : "-") / (c.partage_absent_au_demarrage ? "a" : "-");
        fs::create_directories(tablette);
        fs::remove_all(net);
        echange(net);
        wvtest::write_bytes(tablette / nom, octets);
        const std::string commande_enfant = std::string("'") + WV_HANDOVER_CHILD + "' '" + tablette.string() +
                                            "' '" + net.string() + "' '" + (work / "rapport").string() +
                                            "' 0 0 " + c.mort;
        const int st = std::system(commande_enfant.c_str());
        ASSERT_TRUE(WIFSIGNALED(st) || (WIFEXITED(st) && WEXITSTATUS(st) == 128 + SIGKILL)) << st;
        ASSERT_EQ(fs::exists(net / copie), c.deja_renommee);
        const ino_t avant = inode(net / copie);
        int prises = c.routeur_prend && fs::remove(net / copie) ? 1 : 0;

        if (c.partage_absent_au_demarrage) {
            fs::rename(net, work / "partage");
            fs::create_directories(net);
        }
        if (c.catalogue_absent_au_demarrage) fs::rename(net / "velmorin.wdo", work / "velmorin.wdo");
        file_attente::demarrage(tablette, net.string());
        file_attente::transmet(tablette, net.string());
        if (c.catalogue_absent_au_demarrage) {
            EXPECT_EQ(wvtest::read_bytes(tablette / nom), octets) << "nothing is known of the copy yet";
            fs::rename(work / "velmorin.wdo", net / "velmorin.wdo");
            file_attente::transmet(tablette, net.string());
        }
        if (c.partage_absent_au_demarrage) {
            EXPECT_EQ(wvtest::read_bytes(tablette / nom), octets) << "nothing is known of the copy yet";
            EXPECT_TRUE(fs::is_empty(net));
            fs::remove_all(net);
            fs::rename(work / "partage", net);
            file_attente::transmet(tablette, net.string());
        }

        EXPECT_FALSE(fs::exists(tablette / nom));
        if (fs::exists(net / copie)) {
            EXPECT_EQ(wvtest::read_bytes(net / copie), octets);
            if (c.deja_renommee) {
                EXPECT_EQ(inode(net / copie), avant) << "the copy was written again";
            }
            ++prises;
        }
        EXPECT_EQ(prises, 1) << "the router gets the order once";
        EXPECT_EQ(fichiers(net),
                  fs::exists(net / copie) ? std::vector<std::string>{copie} : std::vector<std::string>{})
            << "no temporary file left";
        EXPECT_EQ(fichiers(tablette), std::vector<std::string>{platform::tablet_identity_file})
            << "no note left";
    }
}

TEST_F(queue, another_order_under_the_same_name_is_never_replaced) {
    wvtest::write_bytes(work / "5_.-A-", commande("012"));
    wvtest::write_bytes(net / "5_.txt", commande("044"));

    const file_attente::bilan r = file_attente::transmet(work, net.string());

    EXPECT_EQ(r.transmis, 0);
    EXPECT_EQ(wvtest::read_bytes(net / "5_.txt"), commande("044"));
    EXPECT_EQ(wvtest::read_bytes(work / "5_.-A-"), commande("012"));
    EXPECT_EQ(fichiers(net), (std::vector<std::string>{"5_.txt"}));
}

TEST_F(queue, an_order_already_handed_over_is_not_handed_over_twice) {
    wvtest::write_bytes(work / "5_.-A-", commande("012"));
    EXPECT_EQ(file_attente::transmet(work, net.string()).transmis, 1);
    // The router takes the file; the next drawing finds nothing to send.
    fs::remove(net / "5_.txt");
    EXPECT_EQ(file_attente::transmet(work, net.string()).transmis, 0);
    EXPECT_TRUE(vide(net));
}

TEST_F(queue, folder_with_or_without_trailing_separator_names_the_same_file) {
    wvtest::write_bytes(work / "1_.-A-", "a");
    wvtest::write_bytes(work / "2_.-A-", "b");
    ASSERT_EQ(file_attente::transmet(work, net.string() + "/").transmis, 2);
    EXPECT_EQ(fichiers(net), (std::vector<std::string>{"1_.txt", "2_.txt"}));
}

TEST_F(queue, no_network_folder_moves_nothing) {
    wvtest::write_bytes(work / "1_.-A-", "a");
    const file_attente::bilan r = file_attente::transmet(work, "");
    EXPECT_EQ(r.transmis, 0);
    EXPECT_EQ(r.restants, 1);
    EXPECT_TRUE(fs::exists(work / "1_.-A-"));
}

// An order of the same second with the very same bytes that this tablet did
// not put there (cloned tablets sharing one identification, a clock set
// back): another order, left untouched, while this one goes under the next
// free second.
TEST_F(queue, a_twin_this_tablet_did_not_copy_is_another_order_and_this_one_takes_the_next_second) {
    const std::string bytes = commande("012");
    wvtest::write_bytes(work / "2026-12-09-12-30-00_01_012_004_.-A-", bytes);
    wvtest::write_bytes(net / "2026-12-09-12-30-00_01_012_004_.txt", bytes);
    wvtest::write_bytes(net / "2026-12-09-12-30-01_01_012_004_.txt", commande("044"));
    const ino_t avant = inode(net / "2026-12-09-12-30-00_01_012_004_.txt");

    EXPECT_EQ(file_attente::transmet(work, net.string()).transmis, 1);

    EXPECT_EQ(inode(net / "2026-12-09-12-30-00_01_012_004_.txt"), avant);
    EXPECT_EQ(wvtest::read_bytes(net / "2026-12-09-12-30-00_01_012_004_.txt"), bytes);
    EXPECT_EQ(wvtest::read_bytes(net / "2026-12-09-12-30-01_01_012_004_.txt"), commande("044"));
    EXPECT_EQ(wvtest::read_bytes(net / "2026-12-09-12-30-02_01_012_004_.txt"), bytes);
    EXPECT_FALSE(fs::exists(work / "2026-12-09-12-30-00_01_012_004_.-A-"));
}

// The order of the steps is what keeps an order from being lost or sent
// twice: the copy whole and flushed under a temporary name, with its folder;
// the note naming it on the tablet's disk before the rename; the copy flushed
// under its name before the local file goes, and that removal flushed before
// the order counts or the next starts; the note last.
TEST_F(queue, each_order_is_on_disk_in_the_network_folder_before_it_leaves_the_tablet_for_good) {
    wvtest::write_bytes(work / "1_.-A-", commande("001"));
    wvtest::write_bytes(work / "2_.-A-", commande("002"));
    std::vector<std::string> pas;
    platform::set_file_fault_hook([&](platform::file_op op, const fs::path& p) {
        // Questions change nothing on a disk.
        if (op == platform::file_op::stat) return 0;
        const std::string ou = p.parent_path() == net || p == net ? "net" : "tablet";
        static const char* const noms[] = {"create", "write",       "sync", "rename",
                                           "remove", "sync_folder", "stat"};
        const std::string pas_ = std::string(noms[static_cast<int>(op)]) + " " + ou;
        if (pas.empty() || pas.back() != pas_) pas.push_back(pas_);
        return 0;
    });
    ASSERT_EQ(file_attente::transmet(work, net.string()).transmis, 2);
    // The note is written in place (cut short, it reads as none, and its
    // rename was never made), and its removal needs no flush: a note whose
    // order is gone is dropped at start.
    const std::vector<std::string> un_ordre = {
        "create net",    "write net",          "sync net",           "sync_folder net", "create tablet",
        "write tablet",  "sync tablet",        "sync_folder tablet", "rename net",      "sync_folder net",
        "remove tablet", "sync_folder tablet", "remove tablet"};
    std::vector<std::string> attendu = un_ordre;
    attendu.insert(attendu.end(), un_ordre.begin(), un_ordre.end());
    EXPECT_EQ(pas, attendu);
}

TEST_F(queue, an_order_whose_removal_is_not_on_disk_does_not_count_and_the_move_stops) {
    wvtest::write_bytes(work / "1_.-A-", commande("001"));
    wvtest::write_bytes(work / "2_.-A-", commande("002"));
    bool retiree = false;
    platform::set_file_fault_hook([&](platform::file_op op, const fs::path& p) {
        if (op == platform::file_op::remove && p == work / "1_.-A-") retiree = true;
        return retiree && op == platform::file_op::sync_folder && p == work ? EIO : 0;
    });
    const file_attente::bilan r = file_attente::transmet(work, net.string());
    EXPECT_EQ(r.transmis, 0);
    EXPECT_EQ(r.restants, 1);
    EXPECT_EQ(fichiers(net), (std::vector<std::string>{"1_.txt"}));
}

// A local file that cannot be removed once its copy is made (a file the
// system will not let go): the copy is never made again, even once the router
// has taken it, and the orders after it wait for the next drawing.
TEST_F(queue, an_order_that_cannot_leave_the_tablet_is_never_copied_twice) {
    const std::string un = commande("001"), deux = commande("002");
    wvtest::write_bytes(work / "1_.-A-", un);
    wvtest::write_bytes(work / "2_.-A-", deux);
    bool bloque = true;
    platform::set_file_fault_hook([&](platform::file_op op, const fs::path& p) {
        return bloque && op == platform::file_op::remove && p.filename() == "1_.-A-" ? EPERM : 0;
    });

    file_attente::bilan r = file_attente::transmet(work, net.string());
    EXPECT_EQ(r.transmis, 0);
    EXPECT_EQ(r.restants, 2);
    EXPECT_EQ(fichiers(net), (std::vector<std::string>{"1_.txt"})) << "the move stops at that order";

    // The router takes the copy; every later drawing leaves it taken.
    fs::remove(net / "1_.txt");
    for (int dessin = 0; dessin < 3; ++dessin) {
        r = file_attente::transmet(work, net.string());
        EXPECT_FALSE(fs::exists(net / "1_.txt")) << "drawing " << dessin;
    }
    // It was delivered: the orders after it are not held back by it.
    EXPECT_EQ(wvtest::read_bytes(net / "2_.txt"), deux);
    EXPECT_EQ(file_attente::en_attente(work), (std::vector<std::string>{"1_.-A-"}));
    EXPECT_EQ(r.restants, 1);

    // Once the file can go, it goes, still without a copy.
    bloque = false;
    r = file_attente::transmet(work, net.string());
    EXPECT_EQ(r.restants, 0);
    EXPECT_EQ(fichiers(net), (std::vector<std::string>{"2_.txt"}));
}

// A new order that later takes the name of one that could not be removed is
// a new order: it is handed over.
TEST_F(queue, a_new_order_under_the_name_of_an_undeletable_one_is_handed_over) {
    wvtest::write_bytes(work / "1_.-A-", commande("001"));
    bool bloque = true;
    platform::set_file_fault_hook([&](platform::file_op op, const fs::path&) {
        return bloque && op == platform::file_op::remove ? EPERM : 0;
    });
    file_attente::transmet(work, net.string());
    bloque = false;
    fs::remove(work / "1_.-A-");
    fs::remove(net / "1_.txt");
    wvtest::write_bytes(work / "1_.-A-", commande("077"));
    EXPECT_EQ(file_attente::transmet(work, net.string()).transmis, 1);
    EXPECT_EQ(wvtest::read_bytes(net / "1_.txt"), commande("077"));
}

// Folder faults while the network folder answered the probe: the order stays
// queued whole, nothing half-written appears under a name, no temporary stays.
TEST_F(queue, folder_faults_leave_the_order_queued_whole_and_nothing_partial) {
    struct cas {
        const char* nom;
        std::function<int(platform::file_op, const fs::path&)> panne;
    };
    const std::vector<cas> cas_ = {
        {"disk full part-way through the copy",
         [](platform::file_op op, const fs::path&) { return op == platform::file_op::write ? ENOSPC : 0; }},
        {"read-only folder",
         [](platform::file_op op, const fs::path&) { return op == platform::file_op::create ? EROFS : 0; }},
        {"flush refused",
         [](platform::file_op op, const fs::path&) { return op == platform::file_op::sync ? EIO : 0; }},
        {"folder vanishing during the copy",
         [this](platform::file_op op, const fs::path&) {
             if (op == platform::file_op::sync) fs::remove_all(net);
             return 0;
         }},
    };
    for (const cas& c : cas_) {
        SCOPED_TRACE(c.nom);
        fs::remove_all(net);
        echange(net);
        wvtest::write_bytes(work / "1_.-A-", commande("001"));
        wvtest::write_bytes(work / "2_.-A-", commande("002"));
        platform::set_file_fault_hook(c.panne);
        const file_attente::bilan r = file_attente::transmet(work, net.string());
        platform::set_file_fault_hook(nullptr);
        EXPECT_EQ(r.transmis, 0);
        EXPECT_EQ(r.restants, 2);
        EXPECT_EQ(wvtest::read_bytes(work / "1_.-A-"), commande("001"));
        EXPECT_EQ(wvtest::read_bytes(work / "2_.-A-"), commande("002"));
        if (fs::exists(net)) {
            EXPECT_TRUE(vide(net));
        }
        // The folder back to health: everything goes, once.
        echange(net);
        EXPECT_EQ(file_attente::transmet(work, net.string()).transmis, 2);
        EXPECT_EQ(fichiers(net), (std::vector<std::string>{"1_.txt", "2_.txt"}));
    }
}

// A write killed half-way leaves its temporary file. A program always started
// with the same process id (a service manager, a container) used to get the
// very same temporary names again, and every copy failed on them.
TEST_F(queue, leftovers_of_a_killed_run_never_block_the_queue) {
    for (int n = 0; n < 200; ++n) {
        wvtest::write_bytes(
            net / (".1_.txt." + std::to_string(::getpid()) + "-" + std::to_string(n) + ".part"), "");
        wvtest::write_bytes(
            net / (".2_.txt." + std::to_string(::getpid()) + "-" + std::to_string(n) + ".part"), "");
    }
    wvtest::write_bytes(work / "1_.-A-", commande("001"));
    wvtest::write_bytes(work / "2_.-A-", commande("002"));
    EXPECT_EQ(file_attente::transmet(work, net.string()).transmis, 2);
    EXPECT_EQ(wvtest::read_bytes(net / "2_.txt"), commande("002"));
}

// A network folder that cannot flush its entries: the copy may not survive
// a power cut of the server, so the order stays on the tablet; once the flush
// works, the copy found there is taken as delivered, not written again.
TEST_F(queue, an_order_stays_until_its_copy_is_flushed_on_the_network_folder) {
    const std::string un = commande("001");
    wvtest::write_bytes(work / "1_.-A-", un);
    platform::set_file_fault_hook([&](platform::file_op op, const fs::path& p) {
        return op == platform::file_op::sync_folder && p == net && fs::exists(net / "1_.txt") ? EIO : 0;
    });
    EXPECT_EQ(file_attente::transmet(work, net.string()).restants, 1);
    EXPECT_EQ(wvtest::read_bytes(work / "1_.-A-"), un);
    platform::set_file_fault_hook(nullptr);
    const ino_t copie = inode(net / "1_.txt");
    EXPECT_EQ(file_attente::transmet(work, net.string()).transmis, 1);
    EXPECT_EQ(inode(net / "1_.txt"), copie);
    EXPECT_FALSE(fs::exists(work / "1_.-A-"));
}

// The exchange folder is a share mounted at a fixed path. When it goes away
// during a hand-over, the path leads to the empty mount point on the tablet's
// own disk: no order may leave the queue into it. The share goes just before
// the n-th operation of a kind on it: a share taken down lazily (the program
// holds the folder open), or a folder renamed away and an empty one made in
// its place. Once it is back, every order reaches the router once.
TEST_F(queue, a_share_gone_during_the_hand_over_keeps_the_rest_of_the_queue) {
    struct cas {
        const char* nom;
        platform::file_op op;
        int n;
        bool montage;
        int au_plus;  // times the router may get the order caught by the swap
    };
    using op = platform::file_op;
    // On the share, per order: one create and one rename, two flushes of the folder.
    // A copy renamed just before its share went, and not found on the share
    // once back, may have gone with it or have been taken by the router: it
    // is sent again, a duplicate at worst, never a loss.
    const std::vector<cas> cas_ = {
        {"renamed away between two copies", op::create, 2, false, 1},
        {"renamed away during a copy, before its rename", op::rename, 2, false, 1},
        {"renamed away after a copy's rename, at its flush", op::sync_folder, 4, false, 1},
        {"unmounted between two copies", op::create, 2, true, 1},
        {"unmounted during a copy, before its rename", op::rename, 2, true, 1},
        {"unmounted after a copy's rename, at its flush", op::sync_folder, 4, true, 2},
    };
    int i = 0;
    for (const cas& c : cas_) {
        SCOPED_TRACE(c.nom);
        const fs::path tablette = work / ("tablette" + std::to_string(i));
        const fs::path point = work / ("point" + std::to_string(i));
        const fs::path ailleurs = work / ("partage" + std::to_string(i++));
        fs::create_directories(tablette);
        fs::create_directories(point);
        if (c.montage && ::mount("tmpfs", point.c_str(), "tmpfs", 0, "size=4m") != 0) {
            std::printf("[ skipped  ] %s: no mount allowed here (%s)\n", c.nom, std::strerror(errno));
            continue;
        }
        echange(point);
        recues.clear();
        const std::vector<std::string> commandes = {commande("001"), commande("002"), commande("003")};
        for (int k = 0; k < 3; ++k)
            wvtest::write_bytes(tablette / ("2026-12-09-12-3" + std::to_string(k) + "-00_01_012_004_.-A-"),
                                commandes[static_cast<std::size_t>(k)]);
        int vues = 0;
        platform::set_file_fault_hook([&](platform::file_op o, const fs::path& p) {
            if (o != c.op || (p != point && p.parent_path() != point) || ++vues != c.n) return 0;
            if (c.montage) {
                // The router read the share up to the moment it went.
                routeur(point);
                EXPECT_EQ(::umount2(point.c_str(), MNT_DETACH), 0);
            } else {
                fs::rename(point, ailleurs);
                fs::create_directories(point);
            }
            return 0;
        });
        const file_attente::bilan r = file_attente::transmet(tablette, point.string());
        platform::set_file_fault_hook(nullptr);

        EXPECT_TRUE(fs::is_empty(point)) << "an order was put into the empty mount point";
        EXPECT_EQ(r.restants, 2);
        for (int k = 1; k < 3; ++k)
            EXPECT_EQ(wvtest::read_bytes(tablette /
                                         ("2026-12-09-12-3" + std::to_string(k) + "-00_01_012_004_.-A-")),
                      commandes[static_cast<std::size_t>(k)]);

        // The share back.
        if (c.montage) {
            ASSERT_EQ(::mount("tmpfs", point.c_str(), "tmpfs", 0, "size=4m"), 0);
            echange(point);
        } else {
            fs::remove_all(point);
            fs::rename(ailleurs, point);
        }
        EXPECT_EQ(file_attente::transmet(tablette, point.string()).restants, 0);
        routeur(point);
        EXPECT_EQ(recues[commandes[0]], 1);
        EXPECT_GE(recues[commandes[1]], 1);
        EXPECT_LE(recues[commandes[1]], c.au_plus);
        EXPECT_EQ(recues[commandes[2]], 1);
        EXPECT_EQ(fichiers(point), std::vector<std::string>{}) << "no temporary file left";
        if (c.montage) ::umount2(point.c_str(), MNT_DETACH);
    }
}

// Identical orders of one second, while the router has not read the first:
// from one tablet (its clock set back), or from two tablets cloned from one
// image that share their identification. Each is another order, and each
// reaches the router, be it slow or quick to take what it reads.
TEST_F(queue, identical_orders_of_one_second_all_reach_the_router) {
    fichier_commande::commande c;
    c.id_tablette = "0123456789";
    c.num_serveur = 1;
    c.table_couverts = "#N0124 ";
    c.lignes = {"2000700000018  |DES:Caf\xE9|PVE:1.80|FA1:7|FA2:0| ##QUA:001.00##"};
    const platform::date_time seconde{2026, 12, 9, 12, 30, 0, 0};
    int i = 0;
    for (const bool deux_tablettes : {false, true}) {
        for (const bool routeur_lent : {true, false}) {
            SCOPED_TRACE(std::string(deux_tablettes ? "two tablets" : "one tablet") +
                         (routeur_lent ? ", a slow router" : ", a quick router"));
            const fs::path reseau = work / ("reseau" + std::to_string(i));
            const fs::path t1 = work / ("t1-" + std::to_string(i)), t2 = work / ("t2-" + std::to_string(i++));
            echange(reseau);
            fs::create_directories(t1);
            fs::create_directories(t2);
            recues.clear();
            const fs::path seconde_tablette = deux_tablettes ? t2 : t1;
            // Written before either reaches the network folder.
            ASSERT_TRUE(fichier_commande::ecrit(t1, c, seconde));
            if (deux_tablettes) {
                ASSERT_TRUE(fichier_commande::ecrit(t2, c, seconde));
            }
            file_attente::transmet(t1, reseau.string());
            if (!routeur_lent) routeur(reseau);
            if (!deux_tablettes) {
                ASSERT_TRUE(fichier_commande::ecrit(t1, c, seconde));
            }
            EXPECT_EQ(file_attente::transmet(seconde_tablette, reseau.string()).restants, 0);
            routeur(reseau);
            EXPECT_EQ(recues[fichier_commande::contenu(c)], 2);
        }
    }
}

// Once an order is under its name on the network folder, a step after it
// that fails (the folder cannot be opened for its flush, its flush fails,
// the local file cannot be removed) never has it copied again, though the
// router removes what it reads at once: only the missing steps are retried.
TEST_F(queue, a_copy_visible_to_the_router_is_never_made_twice_whatever_fails_after_it) {
    struct cas {
        const char* nom;
        platform::file_op op;
        int erreur;
    };
    const std::vector<cas> cas_ = {
        {"the network folder's flush refused", platform::file_op::sync_folder, EACCES},
        {"the network folder's flush fails", platform::file_op::sync_folder, EIO},
        {"the local file cannot be removed", platform::file_op::remove, EPERM},
    };
    for (const cas& c : cas_) {
        SCOPED_TRACE(c.nom);
        const fs::path tablette = tablette_du_cas();
        wvtest::write_bytes(tablette / "1_.-A-", commande("001"));
        wvtest::write_bytes(tablette / "2_.-A-", commande("002"));
        bool panne = true, renommee = false;
        platform::set_file_fault_hook([&](platform::file_op op, const fs::path& p) {
            if (op == platform::file_op::rename && p.parent_path() == net) renommee = true;
            if (!panne || !renommee || op != c.op) return 0;
            const bool visee = op == platform::file_op::remove ? p == tablette / "1_.-A-" : p == net;
            return visee ? c.erreur : 0;
        });
        for (int dessin = 0; dessin < 4; ++dessin) {
            file_attente::transmet(tablette, net.string());
            routeur(net);
        }
        panne = false;
        for (int dessin = 0; dessin < 2; ++dessin) {
            file_attente::transmet(tablette, net.string());
            routeur(net);
        }
        platform::set_file_fault_hook(nullptr);
        EXPECT_EQ(recues[commande("001")], 1);
        EXPECT_EQ(recues[commande("002")], 1);
        EXPECT_TRUE(file_attente::en_attente(tablette).empty());
    }
}

// A rename that the network folder reports failed though it may have been
// made: a server stopped between its rename and its answer, whose client
// gave up waiting (GVfs: EIO after its time-out), the router taking the copy
// at once; or one reported failed and not made. Meanwhile the folder may not
// tell whether the temporary file is still there. Once the folder answers
// again, every order reaches the router once and no temporary file stays.
TEST_F(queue, a_rename_reported_failed_is_settled_by_its_note_and_the_order_arrives_once) {
    struct cas {
        const char* nom;
        bool faite;         // the server made the rename it reported failed
        bool sans_reponse;  // then the folder cannot tell what is there
    };
    const std::vector<cas> cas_ = {
        {"made, and the folder does not answer after it", true, true},
        {"made, and the folder answers after it", true, false},
        {"not made, and the folder does not answer after it", false, true},
        {"not made, and the folder answers after it", false, false},
    };
    for (const cas& c : cas_) {
        SCOPED_TRACE(c.nom);
        const fs::path tablette = tablette_du_cas();
        for (const char* t : {"001", "002", "003"})
            wvtest::write_bytes(tablette / (std::string(t) + "_.-A-"), commande(t));
        bool panne = true, rendue = false;
        platform::set_file_fault_hook([&](platform::file_op op, const fs::path& p) {
            if (!panne) return 0;
            if (op == platform::file_op::stat && rendue && c.sans_reponse) return EIO;
            if (op != platform::file_op::rename || p != net / "002_.txt") return 0;
            rendue = true;
            if (c.faite) {
                for (const auto& e : fs::directory_iterator(net))
                    if (e.path().filename().string().starts_with(".002_.txt.")) fs::rename(e.path(), p);
                routeur(net);
            }
            return EIO;
        });
        const file_attente::bilan r = file_attente::transmet(tablette, net.string());
        EXPECT_EQ(r.transmis, 1);
        EXPECT_EQ(file_attente::en_attente(tablette), (std::vector<std::string>{"002_.-A-", "003_.-A-"}));
        // Drawings while the folder still does not answer move nothing.
        file_attente::transmet(tablette, net.string());
        panne = false;
        for (int dessin = 0; dessin < 2; ++dessin) {
            file_attente::transmet(tablette, net.string());
            routeur(net);
        }
        platform::set_file_fault_hook(nullptr);
        for (const char* t : {"001", "002", "003"}) EXPECT_EQ(recues[commande(t)], 1) << t;
        EXPECT_TRUE(file_attente::en_attente(tablette).empty());
        EXPECT_EQ(fichiers(net), std::vector<std::string>{}) << "no temporary file left";
        EXPECT_EQ(fichiers(tablette), std::vector<std::string>{}) << "no order or note left";
    }
}

// A router that takes each ".txt" the moment it is named (told by inotify,
// or looking again and again without a pause), while the hand-over runs:
// one hand-over moves the whole queue, and the router gets every order once.
TEST_F(queue, a_router_taking_each_copy_at_once_gets_every_order_once_from_one_hand_over) {
    constexpr int nombre = 300;
    for (const auto how : {wvtest::router::watch::inotify, wvtest::router::watch::polling}) {
        SCOPED_TRACE(wvtest::router::name_of(how));
        const fs::path tablette = work / (std::string("tablette-") + wvtest::router::name_of(how));
        const fs::path reseau = work / (std::string("reseau-") + wvtest::router::name_of(how));
        fs::create_directories(tablette);
        echange(reseau);
        std::map<std::string, std::string> noms;  // bytes -> name of the copy
        for (int i = 0; i < nombre; ++i) {
            const std::string table = txt::format(i + 1, "000");
            const std::string nom = "2026-12-09-12-" + txt::format(i / 60, "00") + "-" +
                                    txt::format(i % 60, "00") + "_01_" + table + "_004_.-A-";
            wvtest::write_bytes(tablette / nom, commande(table));
            noms[commande(table)] = file_attente::nom_transmis(nom);
        }
        wvtest::router r(reseau, how);
        const file_attente::bilan b = file_attente::transmet(tablette, reseau.string());
        r.pause();
        EXPECT_EQ(b.transmis, nombre);
        EXPECT_EQ(b.restants, 0);
        std::map<std::string, int> fois;
        for (const auto& f : r.take_all()) {
            ++fois[f.bytes];
            EXPECT_EQ(f.name, noms[f.bytes]);
        }
        for (const auto& [octets, nom] : noms) EXPECT_EQ(fois[octets], 1) << nom;
        EXPECT_EQ(fois.size(), noms.size()) << "the router got bytes that are no order";
        EXPECT_EQ(fichiers(reseau), std::vector<std::string>{}) << "no temporary file left";
        EXPECT_EQ(fichiers(tablette), std::vector<std::string>{}) << "no order or note left";
    }
}

// What a folder's flush answers. A file system that cannot flush a folder
// (EINVAL, ENOTSUP) or that is read-only (EROFS, nothing pending) keeps its
// entries itself: the hand-over goes on. Any other error is a flush that
// failed: the order stays. The answer is the same whether the error comes
// from the system or from the fault hook, and the same for the held
// folder's flush and for the flush of a folder by its path.
TEST_F(queue, a_folder_flush_that_is_unsupported_lets_the_orders_go_and_one_that_fails_keeps_them) {
    struct cas {
        int erreur;
        bool va;
    };
    const std::vector<cas> cas_ = {
        {EINVAL, true}, {ENOTSUP, true}, {EROFS, true}, {EIO, false}, {ENOSPC, false}};
    for (const cas& c : cas_) {
        SCOPED_TRACE(std::strerror(c.erreur));
        const fs::path tablette = tablette_du_cas();
        wvtest::write_bytes(tablette / "1_.-A-", commande("001"));
        platform::set_file_fault_hook([&](platform::file_op op, const fs::path& p) {
            return op == platform::file_op::sync_folder && p == net ? c.erreur : 0;
        });
        EXPECT_EQ(platform::sync_folder(net), c.va);
        const file_attente::bilan b = file_attente::transmet(tablette, net.string());
        platform::set_file_fault_hook(nullptr);
        EXPECT_EQ(b.transmis, c.va ? 1 : 0);
        EXPECT_EQ(fs::exists(tablette / "1_.-A-"), !c.va);
        // A failed flush keeps the order, whose copy is then finished, once.
        EXPECT_EQ(file_attente::transmet(tablette, net.string()).restants, 0);
        routeur(net);
        EXPECT_EQ(recues[commande("001")], 1);
        recues.clear();
    }
}

// Permissions that bite, as an unprivileged user (root reads and writes
// every folder): the program's start and hand-over in a process run as
// nobody.
//  - a network folder the tablet may write into but not list (a drop
//    folder): it cannot even be opened for its flush, which the server then
//    keeps itself; the orders go;
//  - a network folder the tablet may not write into, and a tablet folder it
//    may not write into (no note, no removal): nothing moves, nothing is left
//    on the network folder; once the folder can be written, every order goes
//    once.
TEST_F(queue, permissions_that_bite_an_unprivileged_user_keep_the_queue_whole_or_let_it_go) {
    if (::geteuid() != 0) GTEST_SKIP() << "the folders are handed to nobody by root; the test runs as a user";
    if (std::system("setpriv --reuid=65534 --regid=65534 --clear-groups true") != 0)
        GTEST_SKIP() << "setpriv cannot become nobody here";
    struct cas {
        const char* nom;
        fs::perms reseau, tablette;
        bool va;
    };
    using fs::perms;
    const perms tout = perms::owner_all | perms::group_all | perms::others_all;
    const std::vector<cas> cas_ = {
        {"a network folder the tablet may write into but not list",
         perms::owner_all | perms::others_write | perms::others_exec, tout, true},
        {"a network folder the tablet may not write into",
         perms::owner_all | perms::others_read | perms::others_exec, tout, false},
        {"a tablet folder the tablet may not write into", tout, perms::owner_read | perms::owner_exec, false},
    };
    fs::permissions(work, perms::owner_all | perms::others_exec);
    int i = 0;
    for (const cas& c : cas_) {
        SCOPED_TRACE(c.nom);
        const fs::path tablette = work / ("tablette" + std::to_string(i));
        const fs::path reseau = work / ("reseau" + std::to_string(i++));
        fs::create_directories(tablette);
        echange(reseau);
        wvtest::write_bytes(tablette / "rapport", "");
        wvtest::write_bytes(tablette / "1_.-A-", commande("001"));
        wvtest::write_bytes(tablette / "2_.-A-", commande("002"));
        for (const auto& e : fs::directory_iterator(tablette))
            ASSERT_EQ(::chown(e.path().c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chown(tablette.c_str(), 65534, 65534), 0);
        fs::permissions(tablette, c.tablette);
        fs::permissions(reseau, c.reseau);

        EXPECT_EQ(enfant(tablette, reseau.string(), "", {}, true), 0);

        fs::permissions(tablette, tout);
        EXPECT_EQ(file_attente::en_attente(tablette).size(), c.va ? 0u : 2u);
        if (!c.va) {
            EXPECT_EQ(wvtest::read_bytes(tablette / "1_.-A-"), commande("001"));
            EXPECT_EQ(fichiers(reseau), std::vector<std::string>{}) << "nothing left on the network folder";
            // The folders made writable: everything goes, once.
            fs::permissions(reseau, tout);
            EXPECT_EQ(enfant(tablette, reseau.string(), "", {}, true), 0);
            EXPECT_TRUE(file_attente::en_attente(tablette).empty());
        }
        EXPECT_EQ(fichiers(reseau), (std::vector<std::string>{"1_.txt", "2_.txt"}));
        EXPECT_EQ(wvtest::read_bytes(reseau / "2_.txt"), commande("002"));
        EXPECT_EQ(fichiers(tablette), (std::vector<std::string>{"rapport", "wvelmorin.tag"}))
            << "no note left";
    }
}

// However the network folder is spelt (relative, "./", a trailing "/",
// "//"), a note is known for it: a hand-over killed after its rename with one
// spelling, the router taking the copy, then a start and a hand-over with
// others, the share away at the start or not: the order is settled as
// delivered, and never copied again.
TEST_F(queue, a_note_is_known_for_its_folder_however_the_folder_is_spelt) {
    struct cas {
        std::string tue, demarre, transmet;
        bool absent_au_demarrage;
    };
    const std::string abs = net.string();
    const std::vector<cas> cas_ = {
        {"reseau", abs + "/", "./reseau", true},
        {"./reseau/", "reseau", "/" + abs + "//", true},
        {abs, "reseau/", "reseau", false},
        {abs + "/./", "./reseau", abs, true},
    };
    const std::string nom = "2026-12-09-12-30-00_01_012_004_.-A-",
                      copie = "2026-12-09-12-30-00_01_012_004_.txt";
    for (const cas& c : cas_) {
        SCOPED_TRACE(c.tue + " | " + c.demarre + " | " + c.transmet);
        const fs::path tablette = tablette_du_cas();
        wvtest::write_bytes(tablette / nom, commande("012"));
        ASSERT_TRUE(tue(enfant(tablette, c.tue, "remove:1", work)));
        ASSERT_TRUE(fs::exists(net / copie));
        // Spelt as the notes already on tablets spell it: absolute, no "./",
        // no "//", no final "/".
        EXPECT_EQ(platform::split_lines(wvtest::read_bytes(tablette / fichier_commande::nom_note(nom))).at(0),
                  abs);
        fs::remove(net / copie);  // taken by the router
        if (c.absent_au_demarrage) {
            fs::rename(net, work / "partage");
            fs::create_directories(net);
        }
        file_attente::demarrage(tablette, c.demarre);
        if (c.absent_au_demarrage) {
            EXPECT_EQ(wvtest::read_bytes(tablette / nom), commande("012"))
                << "nothing is known of the copy yet";
            fs::remove_all(net);
            fs::rename(work / "partage", net);
        }
        file_attente::transmet(tablette, c.transmet);
        EXPECT_FALSE(fs::exists(tablette / nom));
        EXPECT_EQ(fichiers(net), std::vector<std::string>{}) << "copied again";
        EXPECT_EQ(fichiers(tablette), (std::vector<std::string>{"rapport", "wvelmorin.tag"}))
            << "no note left";
    }
}

}  // namespace
