// The set-up program's screen on a real window: the scan of the network, the
// choice of the exchange folder, "Valider" and "Annuler".
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFontInfo>
#include <QTest>
#include <cstdio>
#include <filesystem>

#include "platform/colors.h"
#include "platform/folder_list.h"
#include "platform/network.h"
#include "platform/network_discovery.h"
#include "platform/services.h"
#include "setup_program/form1.h"
#include "support/fixtures.h"

namespace {

namespace fs = std::filesystem;
using Ostrevane::Form1;

constexpr std::int32_t vert = platform::rgb(0x00, 0xFF, 0x00);
constexpr std::int32_t rouge_fonce = platform::rgb(0xC0, 0x00, 0x00);

class setup_screen : public wvtest::folder_test {
  protected:
    setup_screen() { death_test_child_shares_the_folder = true; }
    void SetUp() override {
        folder_test::SetUp();
        // SERVEUR holds the exchange folder with its catalogue, BUREAU the
        // folder without it, CAISSE shares quarnel without the folder.
        for (const char* d : {"prog", "mnt/serveur/velmorin/archives", "mnt/bureau/velmorin", "mnt/caisse"})
            fs::create_directories(work / d);
        wvtest::write_bytes(work / "mnt/serveur/velmorin/velmorin.wdo", "catalogue");
        monte({"serveur", "bureau", "caisse"});
        Form1::dossier_programme = work / "prog";
        // Only the shares of the mounts table: no discovery program runs and
        // no share is mounted, so what the machine's network holds is out.
        platform::set_discovery_programs(&aucun);
        platform::set_autofs_master(work / "absent");
        platform::set_gvfs_folder(work / "absent");
        platform::set_share_mounting({false, false, work / "absent"});
    }
    void TearDown() override {
        Form1::instance().unload();
        platform::cancel_discovery();
        platform::set_discovery_programs(nullptr);
        platform::set_autofs_master("");
        platform::set_gvfs_folder("");
        platform::set_share_mounting({});
        platform::set_mounts_file("");
        Form1::dossier_programme.clear();
        platform::set_mouse_pointer(platform::pointer::normal);
        folder_test::TearDown();
    }
    void monte(const std::vector<std::string>& serveurs) {
        std::string table = "/dev/sda1 / ext4 rw 0 0\n";
        for (const auto& s : serveurs) {
            std::string nom = s;
            for (auto& c : nom) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            table += "//" + nom + "/quarnel " + (work / "mnt" / s).string() + " cifs rw 0 0\n";
        }
        wvtest::write_bytes(work / "mounts", table);
        platform::set_mounts_file(work / "mounts");
    }
    const std::vector<platform::discovery_program> aucun;
    Form1& ecran() { return Form1::instance(); }
    template <class T>
    T* ctl(const std::string& nom) {
        return ecran().get<T>(nom);
    }
    std::string texte(const std::string& nom) { return ctl<platform::label>(nom)->caption(); }
    // The scan as its two timers run it, without their delays.
    void balaye() {
        ctl<platform::timer>("Timer2")->on_timer();
        ctl<platform::timer>("Timer1")->on_timer();
    }
    void double_tape_ordinateur(int i) {
        auto* liste = ctl<platform::list_box>("List1");
        ASSERT_LT(i, liste->list_count());
        QTest::mouseDClick(liste->viewport(), Qt::LeftButton, Qt::NoModifier,
                           liste->visualItemRect(liste->item(i)).center());
    }
    void double_tape_dossier(const std::string& entree) {
        auto* dir = ctl<platform::folder_list>("Dir1");
        for (int i = 0; i < dir->list_count(); ++i)
            if (dir->list(i) == entree) {
                QTest::mouseDClick(dir->viewport(), Qt::LeftButton, Qt::NoModifier,
                                   dir->visualItemRect(dir->item(i)).center());
                return;
            }
        ADD_FAILURE() << "no entry " << entree;
    }
    std::string dossier(const char* d) { return (work / "mnt" / d).string(); }
    // The start of the main program, as the child of a death test reports it
    // with the folder file it found.
    void rapporte_le_lancement(const std::string& attendu) {
        platform::set_start_hook([attendu](const std::string& what) {
            const bool ok = wvtest::read_bytes("wfichdir.wdo") == attendu;
            std::fprintf(stderr, "started %s, folder file %s\n", what.c_str(), ok ? "as expected" : "WRONG");
            return true;
        });
    }
};

TEST_F(setup_screen, the_scan_lists_the_computers_after_its_two_delays_and_runs_once) {
    // Each delay is waited for by its timer's state, and checked against a
    // clock started before the screen: a busy machine only makes the delays
    // longer.
    QElapsedTimer since;
    since.start();
    ecran().show();
    EXPECT_EQ(ecran().window()->windowTitle(), "Lien W_Velmorin et Velmorin");
    EXPECT_EQ(ctl<platform::timer>("Timer2")->interval(), 500);
    EXPECT_EQ(ctl<platform::list_box>("List1")->list_count(), 0);
    EXPECT_TRUE(scripted_user::wait_until([this] { return ctl<platform::timer>("Timer2")->interval() == 0; }))
        << "the scan never started";
    EXPECT_GE(since.elapsed(), 500);
    EXPECT_EQ(ctl<platform::timer>("Timer1")->interval(), 2000);
    EXPECT_EQ(platform::mouse_pointer(), platform::pointer::hourglass);
    EXPECT_TRUE(fs::exists(work / "prog" / "listres.txt"));
    EXPECT_EQ(ctl<platform::list_box>("List1")->list_count(), 0);
    EXPECT_TRUE(
        scripted_user::wait_until([this] { return ctl<platform::timer>("Timer1")->interval() == 0; }, 4000))
        << "the listing was never read";
    EXPECT_GE(since.elapsed(), 500 + 2000);
    EXPECT_EQ(platform::mouse_pointer(), platform::pointer::arrow);
    auto* liste = ctl<platform::list_box>("List1");
    ASSERT_EQ(liste->list_count(), 3);
    EXPECT_EQ(liste->list(0), "\\\\SERVEUR");
    EXPECT_EQ(liste->list(1), "\\\\BUREAU");
    EXPECT_EQ(liste->list(2), "\\\\CAISSE");
    EXPECT_FALSE(ctl<platform::control>("Command2")->visible());
    EXPECT_TRUE(ctl<platform::control>("Command1")->visible());
    EXPECT_TRUE(ctl<platform::control>("Command6")->visible());
}

TEST_F(setup_screen, a_listing_that_cannot_be_written_leaves_the_list_empty) {
    Form1::dossier_programme = work / "absent";
    ecran().show();
    balaye();
    EXPECT_EQ(ctl<platform::list_box>("List1")->list_count(), 0);
    EXPECT_EQ(platform::mouse_pointer(), platform::pointer::arrow);
}

TEST_F(setup_screen, the_exchange_folder_is_taken_only_where_the_catalogue_is) {
    wvtest::write_bytes(work / "wfichdir.wdo", "/ancien/\r\n/maj/\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n");
    ecran().show();
    EXPECT_EQ(texte("Label2"), "/ancien/");
    EXPECT_EQ(texte("Label3"), "/maj/");
    EXPECT_EQ(texte("Label8"), "7");
    balaye();

    double_tape_ordinateur(1);  // BUREAU: the folder without the catalogue
    EXPECT_EQ(texte("Label1"), dossier("bureau/velmorin"));
    EXPECT_EQ(texte("Label13"), Form1::texte_incorrect);
    EXPECT_EQ(ctl<platform::label>("Label13")->fore_color(), rouge_fonce);
    EXPECT_EQ(texte("Label2"), "/ancien/");

    double_tape_ordinateur(0);  // SERVEUR
    EXPECT_EQ(texte("Label1"), dossier("serveur/velmorin"));
    EXPECT_EQ(texte("Label13"), "R\xE9pertoire\r\nCorrect");
    EXPECT_EQ(ctl<platform::label>("Label13")->fore_color(), vert);
    EXPECT_EQ(texte("Label2"), dossier("serveur/velmorin") + "/");

    // Going into a subfolder: incorrect, and the last correct folder stays.
    double_tape_dossier("archives");
    EXPECT_EQ(texte("Label1"), dossier("serveur/velmorin/archives"));
    EXPECT_EQ(texte("Label13"), "R\xE9pertoire\r\nIncorrect");
    EXPECT_EQ(texte("Label2"), dossier("serveur/velmorin") + "/");
    double_tape_dossier("..");
    EXPECT_EQ(texte("Label13"), Form1::texte_correct);
}

TEST_F(setup_screen, a_computer_without_the_exchange_folder_is_a_disk_not_initialised) {
    ecran().show();
    balaye();
    double_tape_ordinateur(0);
    ASSERT_EQ(texte("Label13"), Form1::texte_correct);

    double_tape_ordinateur(2);  // CAISSE shares quarnel without velmorin in it
    EXPECT_EQ(texte("Label13"), "Disque non\r\ninitialis\xE9");
    EXPECT_EQ(ctl<platform::label>("Label13")->fore_color(), rouge_fonce);
    EXPECT_EQ(ctl<platform::folder_list>("Dir1")->path(), dossier("serveur/velmorin"));
    EXPECT_EQ(texte("Label2"), dossier("serveur/velmorin") + "/");

    // The same computer again tells again that its folder is correct.
    double_tape_ordinateur(0);
    EXPECT_EQ(texte("Label13"), Form1::texte_correct);

    // A share that is no longer mounted.
    monte({"bureau", "caisse"});
    double_tape_ordinateur(0);
    EXPECT_EQ(texte("Label13"), Form1::texte_disque);
}

TEST_F(setup_screen, valider_rewrites_the_main_programs_file_as_seven_lines_and_starts_it) {
    wvtest::write_bytes(work / "wfichdir.wdo",
                        "\\\\x\\y\r\n \r\n \r\n \r\n \r\n \r\n \r\n \r\n \r\n \r\n \r\n \r\n");
    const std::string attendu = dossier("serveur/velmorin") + "/\r\n \r\n \r\n \r\n \r\n \r\n \r\n";
    EXPECT_EXIT(
        {
            ecran().show();
            balaye();
            double_tape_ordinateur(0);
            rapporte_le_lancement(attendu);
            scripted_user::tap(ctl<platform::control>("Command1"));
            std::fprintf(stderr, "the program went on\n");
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "started wvelmorin, folder file as expected");
    EXPECT_EQ(wvtest::read_bytes(work / "wfichdir.wdo"), attendu);
}

TEST_F(setup_screen, valider_without_a_folder_file_or_a_correct_folder_writes_nothing_and_says_so) {
    // A start is recorded and refused, so that the program is not ended.
    bool lance = false;
    platform::set_start_hook([&lance](const std::string&) {
        lance = true;
        return false;
    });
    ecran().show();
    balaye();
    double_tape_ordinateur(1);  // BUREAU: no catalogue there
    ASSERT_EQ(texte("Label13"), Form1::texte_incorrect);
    scripted_user::tap(ctl<platform::control>("Command1"));
    EXPECT_EQ(texte("Label13"), "Aucun r\xE9pertoire\r\nchoisi");
    EXPECT_EQ(ctl<platform::label>("Label13")->fore_color(), rouge_fonce);
    EXPECT_FALSE(fs::exists(work / "wfichdir.wdo"));
    EXPECT_FALSE(lance);
    EXPECT_TRUE(ecran().loaded());

    // A folder file whose line 1 is blank names no folder either.
    wvtest::write_bytes(work / "wfichdir.wdo", " \r\n \r\n");
    ecran().unload();
    ecran().show();
    scripted_user::tap(ctl<platform::control>("Command1"));
    EXPECT_EQ(texte("Label13"), Form1::texte_manquant);
    EXPECT_EQ(wvtest::read_bytes(work / "wfichdir.wdo"), " \r\n \r\n");
    EXPECT_FALSE(lance);
    EXPECT_TRUE(ecran().loaded());
}

TEST_F(setup_screen, a_computer_named_by_a_long_name_is_listed_whole_and_opened) {
    fs::create_directories(work / "mnt/long/velmorin");
    wvtest::write_bytes(work / "mnt/long/velmorin/velmorin.wdo", "catalogue");
    wvtest::write_bytes(work / "mounts",
                        "//serveur.restaurant.lan/quarnel " + dossier("long") + " cifs rw 0 0\n");
    ecran().show();
    balaye();
    auto* liste = ctl<platform::list_box>("List1");
    ASSERT_EQ(liste->list_count(), 1);
    EXPECT_EQ(liste->list(0), "\\\\serveur.restaurant.lan");
    double_tape_ordinateur(0);
    EXPECT_EQ(texte("Label13"), Form1::texte_correct);
    EXPECT_EQ(texte("Label2"), dossier("long/velmorin") + "/");
}

TEST_F(setup_screen, the_folder_list_starts_where_a_share_mounted_by_hand_is_reached_by_touch) {
    // No folder file: the folder list opens on the current folder, judged
    // only once the user moves.
    ecran().show();
    EXPECT_EQ(ctl<platform::folder_list>("Dir1")->path(), work.string());
    EXPECT_EQ(texte("Label1"), work.string());
    EXPECT_EQ(texte("Label13"), "");
    double_tape_dossier("mnt");
    double_tape_dossier("serveur");
    EXPECT_EQ(texte("Label13"), Form1::texte_incorrect);
    double_tape_dossier("velmorin");
    EXPECT_EQ(texte("Label13"), Form1::texte_correct);
    EXPECT_EQ(texte("Label2"), dossier("serveur/velmorin") + "/");

    // A folder file that names a folder: the list still opens on the
    // current folder, and line 1 stays until a correct folder is chosen.
    ecran().unload();
    wvtest::write_bytes(work / "wfichdir.wdo", dossier("bureau/velmorin") + "/\r\n \r\n");
    ecran().show();
    EXPECT_EQ(ctl<platform::folder_list>("Dir1")->path(), work.string());
    EXPECT_EQ(texte("Label2"), dossier("bureau/velmorin") + "/");
    double_tape_dossier("mnt");
    EXPECT_EQ(texte("Label1"), (work / "mnt").string());
    EXPECT_EQ(texte("Label2"), dossier("bureau/velmorin") + "/");
}

TEST_F(setup_screen, every_text_is_legible_and_on_an_800_by_600_display) {
    ecran().show();
    QWidget* fenetre = ecran().window();
    // Whole on an 800 x 600 display, and on the one the test has.
    EXPECT_LE(fenetre->width(), 800);
    EXPECT_LE(fenetre->height(), 600);
    EXPECT_TRUE(QRect(0, 0, platform::screen_width_twips() / 15, platform::screen_height_twips() / 15)
                    .contains(fenetre->geometry()));
    for (auto* c : ecran().controls()) {
        QWidget* w = c->widget();
        if (!c->visible() || !w || c->name().rfind("Shape", 0) == 0 || c->name().rfind("Timer", 0) == 0)
            continue;
        EXPECT_GE(QFontInfo(w->font()).pixelSize(), 14) << c->name();
        EXPECT_TRUE(fenetre->rect().contains(w->geometry())) << c->name();
    }
    // A share's folder as GVfs names it is shown whole on its line.
    const std::string chemin =
        "/run/user/1000/gvfs/smb-share:server=serveur.restaurant.lan,share=quarnel/velmorin";
    auto* label1 = ctl<platform::label>("Label1");
    label1->set_caption(chemin);
    EXPECT_LE(label1->widget()->fontMetrics().horizontalAdvance(QString::fromStdString(chemin)),
              label1->widget()->width());
}

TEST_F(setup_screen, annuler_leaves_the_folder_file_untouched_and_starts_nothing) {
    const std::string avant = "/ancien/\r\n \r\n";
    wvtest::write_bytes(work / "wfichdir.wdo", avant);
    EXPECT_EXIT(
        {
            platform::set_start_hook([](const std::string&) -> bool { std::_Exit(4); });
            ecran().show();
            balaye();
            double_tape_ordinateur(0);
            scripted_user::tap(ctl<platform::control>("Command6"));
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(wvtest::read_bytes(work / "wfichdir.wdo"), avant);
    EXPECT_EQ(std::distance(fs::directory_iterator(work), fs::directory_iterator()), 5);
}

TEST_F(setup_screen, an_unreadable_folder_file_is_told_and_one_that_cannot_be_written_starts_nothing) {
    fs::create_directories(work / "wfichdir.wdo" / "dedans");
    bool lance = false;
    platform::set_start_hook([&lance](const std::string&) { return lance = true; });
    ecran().show();
    EXPECT_EQ(texte("Label13"), Form1::texte_illisible);
    EXPECT_EQ(texte("Label2"), "");
    balaye();
    double_tape_ordinateur(0);
    scripted_user::tap(ctl<platform::control>("Command1"));
    EXPECT_EQ(texte("Label13"), "Enregistrement\r\nimpossible");
    EXPECT_EQ(ctl<platform::label>("Label13")->fore_color(), rouge_fonce);
    EXPECT_FALSE(lance);
    EXPECT_TRUE(ecran().loaded());
    EXPECT_TRUE(fs::is_directory(work / "wfichdir.wdo" / "dedans"));
}

TEST_F(setup_screen, a_main_program_that_cannot_start_is_told_and_the_screen_stays) {
    platform::set_start_hook([](const std::string&) { return false; });
    ecran().show();
    balaye();
    double_tape_ordinateur(0);
    scripted_user::tap(ctl<platform::control>("Command1"));
    EXPECT_EQ(texte("Label13"), Form1::texte_lancement);
    EXPECT_TRUE(ecran().loaded());
    EXPECT_EQ(wvtest::read_bytes(work / "wfichdir.wdo").substr(0, dossier("serveur").size()),
              dossier("serveur"));
}

}  // namespace
