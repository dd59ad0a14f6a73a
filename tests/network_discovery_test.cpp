// Discovery of the network's computers: the outputs of avahi-browse,
// nmblookup and smbtree (recorded from the real programs against a Samba
// server, and written in their formats for the cases a small network rarely
// shows), merged; and the scan as real processes that run, fail, hang or are
// missing, while the event loop keeps running.
#include "platform/network_discovery.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>
#include <filesystem>

#include "platform/network.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "support/fixtures.h"
#include "support/scripted_user.h"

namespace {

namespace fs = std::filesystem;
using platform::discovery_format;
using names = std::vector<std::string>;

std::string fixture(const std::string& name) {
    return wvtest::read_bytes(wvtest::data_file("discovery/" + name));
}

TEST(discovery_outputs, each_program_gives_the_computers_it_found_once_and_whole) {
    struct row {
        const char* file;
        discovery_format format;
        names expected;
    };
    const row rows[] = {
        // Recorded: a Samba server announced over mDNS on IPv6 and IPv4.
        {"avahi_browse_recorded.txt", discovery_format::avahi_browse, {"serveurquarnel.local"}},
        // Fully qualified names, a 15-character service name never resolved,
        // a service name with blanks (not a computer name), IPv6 addresses,
        // the same host on two interfaces and in another case, a removal.
        {"avahi_browse_edges.txt",
         discovery_format::avahi_browse,
         {"nas-cuisine.local", "serveur.restaurant.lan", "bureau.local", "CAISSE-SALLE-01"}},
        // Recorded: the file service <20> of the server; the workgroup's
        // group names and the browse master's unique <1d> are not computers.
        {"nmblookup_recorded.txt", discovery_format::nmblookup_status, {"SERVEURQUARNEL"}},
        // A 15-character name fills its column; a node without the file
        // service, a node that does not answer, the same name again.
        {"nmblookup_edges.txt", discovery_format::nmblookup_status, {"SERVEUR", "CAISSESALLE0001"}},
        {"smbtree_servers.txt", discovery_format::smbtree, {"SERVEUR", "CAISSESALLE0001", "BUREAU"}},
        // Recorded: smbtree of this Samba release crashing; nothing found.
        {"smbtree_crash_recorded.txt", discovery_format::smbtree, {}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(platform::parse_discovery(r.format, fixture(r.file)), r.expected) << r.file;
    for (auto f :
         {discovery_format::avahi_browse, discovery_format::nmblookup_status, discovery_format::smbtree})
        EXPECT_TRUE(platform::parse_discovery(f, "").empty());
}

TEST(discovery_outputs, lists_merge_without_regard_to_case_or_to_the_mdns_domain) {
    EXPECT_TRUE(platform::same_computer("SERVEUR", "serveur"));
    EXPECT_TRUE(platform::same_computer("serveur.local", "SERVEUR"));
    EXPECT_TRUE(platform::same_computer("serveur.local.", "serveur"));
    EXPECT_FALSE(platform::same_computer("serveur.restaurant.lan", "serveur"));
    EXPECT_FALSE(platform::same_computer("serveur2", "serveur"));
    EXPECT_EQ(platform::merge_computer_names({{"serveurquarnel.local", "NAS"},
                                              {"SERVEURQUARNEL", "CAISSESALLE0001"},
                                              {"caissesalle0001", "nas", "serveur.restaurant.lan"}}),
              (names{"serveurquarnel.local", "NAS", "CAISSESALLE0001", "serveur.restaurant.lan"}));
}

TEST(discovery_outputs, the_address_of_each_computer_is_kept_for_names_that_do_not_resolve) {
    using pairs = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(
        platform::discovery_addresses(discovery_format::avahi_browse, fixture("avahi_browse_recorded.txt")),
        (pairs{{"serveurquarnel.local", "10.9.9.1"}}));
    // IPv4 before IPv6; a link-local address alone is none.
    EXPECT_EQ(
        platform::discovery_addresses(discovery_format::avahi_browse, fixture("avahi_browse_edges.txt")),
        (pairs{{"nas-cuisine.local", "192.168.1.25"}, {"serveur.restaurant.lan", "192.168.1.10"}}));
    EXPECT_EQ(
        platform::discovery_addresses(discovery_format::nmblookup_status, fixture("nmblookup_recorded.txt")),
        (pairs{{"SERVEURQUARNEL", "10.9.9.1"}}));
    EXPECT_EQ(
        platform::discovery_addresses(discovery_format::nmblookup_status, fixture("nmblookup_edges.txt")),
        (pairs{
            {"SERVEUR", "192.168.1.10"}, {"CAISSESALLE0001", "192.168.1.31"}, {"serveur", "192.168.1.11"}}));
    EXPECT_TRUE(platform::discovery_addresses(discovery_format::avahi_browse,
                                              "=;eth0;IPv4;x;_smb._tcp;local;x.local;-oremount;445;\n")
                    .empty());
}

TEST(bounded_program, runs_to_its_end_or_to_its_bound_and_the_screen_keeps_painting) {
    const auto cat =
        platform::run_program("cat", {wvtest::data_file("discovery/smbtree_servers.txt").string()}, 3000);
    EXPECT_TRUE(cat.started && cat.finished);
    EXPECT_EQ(cat.exit_code, 0);
    EXPECT_EQ(cat.output, fixture("smbtree_servers.txt"));

    const auto refused = platform::run_program("false", {}, 3000);
    EXPECT_TRUE(refused.finished);
    EXPECT_EQ(refused.exit_code, 1);
    EXPECT_FALSE(platform::run_program("/nonexistent/gio", {"mount"}, 3000).started);

    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&ticks] { ++ticks; });
    tick.start(20);
    QElapsedTimer clock;
    clock.start();
    const auto hung = platform::run_program("sleep", {"30"}, 400);
    EXPECT_TRUE(hung.started);
    EXPECT_FALSE(hung.finished);
    EXPECT_GE(clock.elapsed(), 390);
    // Ended by its bound, well before the program would have.
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_GE(ticks, 5);
}

class discovery_scan : public wvtest::folder_test {
  protected:
    void TearDown() override {
        platform::cancel_discovery();
        folder_test::TearDown();
    }
    platform::discovery_program cat(const std::string& file, discovery_format f) {
        return {"cat", {wvtest::data_file("discovery/" + file).string()}, f};
    }
    // Runs a scan to its end, counting how often the event loop turned;
    // `answered_first` tells whether it had answered before it returned.
    names scan(const std::vector<platform::discovery_program>& programs, int bound_ms, qint64* ended_ms,
               int* ticks, bool* answered_first) {
        QElapsedTimer clock;
        clock.start();
        std::optional<names> found;
        int calls = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [ticks] { ++*ticks; });
        tick.start(20);
        platform::start_discovery(programs, bound_ms, [&](names n) {
            ++calls;
            found = std::move(n);
            *ended_ms = clock.elapsed();
        });
        *answered_first = calls > 0;
        EXPECT_TRUE(scripted_user::wait_until([&found] { return found.has_value(); }, bound_ms + 5000))
            << "the scan never ended";
        scripted_user::wait(100);
        EXPECT_EQ(calls, 1);
        EXPECT_FALSE(platform::discovery_running());
        return found.value_or(names{"no answer"});
    }
};

TEST_F(discovery_scan, programs_that_answer_fail_or_are_missing_end_the_scan_before_its_bound) {
    qint64 ended = 0;
    int ticks = 0;
    bool answered_first = true;
    const auto found = scan({cat("avahi_browse_edges.txt", discovery_format::avahi_browse),
                             {"/nonexistent/avahi-browse", {"-t"}, discovery_format::avahi_browse},
                             {"false", {}, discovery_format::smbtree},
                             cat("nmblookup_edges.txt", discovery_format::nmblookup_status),
                             cat("smbtree_servers.txt", discovery_format::smbtree)},
                            15000, &ended, &ticks, &answered_first);
    // BUREAU of the browse list is bureau.local announced over mDNS.
    EXPECT_EQ(found, (names{"nas-cuisine.local", "serveur.restaurant.lan", "bureau.local", "CAISSE-SALLE-01",
                            "SERVEUR", "CAISSESALLE0001"}));
    // It left the programs running, and they ended it, not its bound.
    EXPECT_FALSE(answered_first);
    EXPECT_LT(ended, 15000);
    EXPECT_EQ(platform::known_address("NAS-CUISINE"), "192.168.1.25");
    EXPECT_EQ(platform::known_address("caissesalle0001"), "192.168.1.31");
    EXPECT_EQ(platform::known_address("inconnu"), "");
}

TEST_F(discovery_scan, a_program_that_hangs_is_killed_at_the_bound_and_what_it_wrote_counts) {
    qint64 ended = 0;
    int ticks = 0;
    bool answered_first = true;
    // tail -f writes the recorded output, then waits for more forever.
    const auto found =
        scan({{"tail",
               {"-n", "+1", "-f", wvtest::data_file("discovery/nmblookup_recorded.txt").string()},
               discovery_format::nmblookup_status},
              {"sleep", {"30"}, discovery_format::avahi_browse},
              cat("avahi_browse_recorded.txt", discovery_format::avahi_browse)},
             1500, &ended, &ticks, &answered_first);
    EXPECT_EQ(found, (names{"SERVEURQUARNEL"}));
    // Started at once, ended at the bound (long before sleep would end), and
    // the screen kept turning meanwhile (a blocked one turns once at most).
    EXPECT_FALSE(answered_first);
    EXPECT_GE(ended, 1450);
    EXPECT_LT(ended, 20000);
    EXPECT_GE(ticks, 10);
}

TEST_F(discovery_scan, no_program_at_all_answers_at_once_with_nothing) {
    qint64 ended = 0;
    int ticks = 0;
    bool answered_first = false;
    EXPECT_TRUE(scan({}, 5000, &ended, &ticks, &answered_first).empty());
    EXPECT_TRUE(answered_first) << "it waited for nothing";
}

TEST_F(discovery_scan, the_listing_is_written_at_once_then_again_with_what_was_found) {
    wvtest::write_bytes(work / "mounts", "//CAISSE/quarnel /mnt/caisse cifs rw 0 0\n");
    platform::set_mounts_file(work / "mounts");
    platform::set_autofs_master(work / "absent");
    platform::set_gvfs_folder(work / "absent");
    const std::vector<platform::discovery_program> programs = {
        {"sleep", {"0.4"}, discovery_format::smbtree},
        cat("avahi_browse_edges.txt", discovery_format::avahi_browse),
        cat("nmblookup_edges.txt", discovery_format::nmblookup_status)};
    platform::set_discovery_programs(&programs);
    const fs::path listing = work / "listres.txt";
    ASSERT_TRUE(platform::start_network_listing(listing));
    EXPECT_EQ(wvtest::read_bytes(listing), platform::network_listing(platform::live_network_mounts()));
    ASSERT_TRUE(scripted_user::wait_until([] { return !platform::discovery_running(); }))
        << "the scan never ended";
    const std::string text = wvtest::read_bytes(listing);
    // Each computer once, the mounted one first, long names whole.
    std::vector<std::string> lines;
    const auto lues = platform::read_lines(listing);
    ASSERT_TRUE(lues);
    for (const auto& l : *lues)
        if (l.compare(0, 2, "\\\\") == 0) lines.push_back(l.substr(0, l.find(' ')));
    EXPECT_EQ(lines,
              (names{"\\\\CAISSE", "\\\\nas-cuisine.local", "\\\\serveur.restaurant.lan", "\\\\bureau.local",
                     "\\\\CAISSE-SALLE-01", "\\\\SERVEUR", "\\\\CAISSESALLE0001"}));
    platform::set_discovery_programs(nullptr);
    platform::set_mounts_file("");
    platform::set_autofs_master("");
    platform::set_gvfs_folder("");
}

}  // namespace
