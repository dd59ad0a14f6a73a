// The hand-over as the main screen does it, on a real window: folder faults
// while the folder answers the probe, an empty mount point, and the leftovers
// of a killed run removed at start.
#include <cerrno>

#include "main_screen/order_queue.h"
#include "main_screen_fixture.h"
#include "order/order_file.h"
#include "platform/text_file.h"

namespace {

namespace fs = std::filesystem;
using wvtest::read_bytes;
using wvtest::write_bytes;

class handover : public wvtest::main_screen_test {
  protected:
    static constexpr const char* nom = "2026-12-09-12-30-00_01_012_004_.-A-";
    static constexpr const char* copie = "2026-12-09-12-30-00_01_012_004_.txt";
    const std::string octets =
        "#ID#0123456789\r\n#VERSION#2.1\r\n#SERVEUR#01\r\n#TABLE#012\r\n#NBCOUVERT#4 \r\n";

    void compte_montre(const std::string& n) {
        EXPECT_TRUE(meme_image(barre()->cell_picture(0, 4), icc::bt_coul(30)));
        EXPECT_EQ(barre()->text(0, 4), n);
    }
};

// The folder answers the probe but the order cannot be copied: the send cell
// shows the waiting count, never the picture of a queue that left.
TEST_F(handover, a_queue_that_does_not_move_shows_its_count_whatever_stops_it) {
    struct cas {
        const char* nom;
        std::function<void(const fs::path& net)> prepare;
        platform::file_fault_hook panne;
    };
    const std::vector<cas> cas_ = {
        {"another order under each name it could take (its own second and the next two minutes)",
         [](const fs::path& n) {
             std::optional<std::string> pris = nom;
             for (int s = 0; s < 120 && pris; ++s, pris = fichier_commande::nom_seconde_suivante(*pris))
                 write_bytes(n / fichier_commande::nom_transmis(*pris), "another order");
         },
         nullptr},
        {"disk full part-way through the copy", nullptr,
         [](platform::file_op op, const fs::path& p) {
             return op == platform::file_op::write && p.filename().string().starts_with(".2026") ? ENOSPC : 0;
         }},
        {"read-only folder", nullptr,
         [](platform::file_op op, const fs::path& p) {
             return op == platform::file_op::create && p.filename().string().starts_with(".2026") ? EROFS : 0;
         }},
        {"folder vanishing during the copy", nullptr,
         [this](platform::file_op op, const fs::path&) {
             if (op == platform::file_op::sync && fs::exists(net)) fs::rename(net, work / "parti");
             return 0;
         }},
    };
    demarre_avec_serveur();
    for (const cas& c : cas_) {
        SCOPED_TRACE(c.nom);
        write_bytes(work / nom, octets);
        if (c.prepare) c.prepare(net);
        platform::set_file_fault_hook(c.panne);
        cellule(4);
        platform::set_file_fault_hook(nullptr);
        EXPECT_TRUE(accueil());
        compte_montre("1");
        EXPECT_EQ(read_bytes(work / nom), octets);
        if (fs::exists(work / "parti")) fs::rename(work / "parti", net);
        for (const auto& e : fs::directory_iterator(net))
            if (e.path().extension() == ".txt") fs::remove(e.path());
        EXPECT_FALSE(fs::exists(net / copie)) << "nothing partial under the router's name";
        // Mended, the next touch on the send cell moves it and the count goes.
        cellule(4);
        EXPECT_EQ(read_bytes(net / copie), octets);
        EXPECT_TRUE(meme_image(barre()->cell_picture(0, 4), icc::bt_coul(23)));
        EXPECT_EQ(barre()->text(0, 4), "");
        fs::remove(net / copie);
    }
}

// The share not mounted (yet): its mount point is an empty, writable folder
// of the tablet's own disk. Orders put there would never reach the router.
TEST_F(handover, an_empty_mount_point_is_not_the_exchange_folder_and_keeps_the_queue) {
    demarre_avec_serveur();
    fs::rename(net, work / "partage");
    fs::create_directories(net);
    write_bytes(work / nom, octets);
    cellule(4);
    compte_montre("1");
    EXPECT_TRUE(fs::is_empty(net));
    EXPECT_EQ(read_bytes(work / nom), octets);
    // The share is mounted over it: the order goes there.
    fs::remove_all(net);
    fs::rename(work / "partage", net);
    cellule(4);
    EXPECT_EQ(read_bytes(net / copie), octets);
    EXPECT_FALSE(fs::exists(work / nom));
}

TEST_F(handover, a_start_removes_its_own_leftovers_and_never_an_order_or_another_tablets_write) {
    copy_demo_to_network();
    tablette();
    // A run killed half-way through its writes: an order file of the tablet,
    // and a copy in the network folder.
    std::string temporaires[2];
    int i = 0;
    platform::set_file_fault_hook([&](platform::file_op op, const fs::path& p) {
        if (op != platform::file_op::create) return 0;
        temporaires[i++] = p.string();
        return EIO;
    });
    platform::write_file_atomic(work / nom, octets, false);
    platform::write_file_atomic(net / copie, octets, false);
    platform::set_file_fault_hook(nullptr);
    ASSERT_EQ(i, 2);
    for (const std::string& t : temporaires) write_bytes(t, "#ID#01234");
    const std::string autre_tablette =
        ".2026-12-09-12-29-00_01_003_002_.txt.0123456789ab~7~00000000000000aa.part";
    write_bytes(net / autre_tablette, "#ID#98");
    write_bytes(work / "2026-12-09-12-31-00_01_013_002_.-A-", octets);

    demarre();

    for (const std::string& t : temporaires) EXPECT_FALSE(fs::exists(t)) << t;
    EXPECT_TRUE(fs::exists(net / autre_tablette)) << "another tablet may be writing it right now";
    EXPECT_FALSE(fs::exists(work / "2026-12-09-12-31-00_01_013_002_.-A-"))
        << "the queued order was handed over";
    EXPECT_EQ(read_bytes(net / "2026-12-09-12-31-00_01_013_002_.txt"), octets);
}

}  // namespace
