// Starts the real binaries headless in a temporary folder and checks what
// their start leaves behind.
#include <gtest/gtest.h>

#include <QDate>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

#include "platform/services.h"
#include "support/fixtures.h"

namespace {

class smoke : public wvtest::folder_test {
  protected:
    void TearDown() override {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(3000);
        }
        folder_test::TearDown();
    }
    void start(const std::string& program, const std::filesystem::path& folder) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(QString::fromStdString(folder.string()));
        process.start(QString::fromStdString(program), {});
        ASSERT_TRUE(process.waitForStarted(5000));
    }
    // Polls until `done` holds, for at most 20 seconds (sanitizer builds start
    // slowly), stretched on a loaded machine.
    static bool eventually(const std::function<bool()>& done) {
        const auto until = std::chrono::steady_clock::now() +
                           std::chrono::milliseconds(static_cast<long>(20000 * wvtest::time_scale()));
        while (std::chrono::steady_clock::now() < until) {
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return done();
    }
    static std::uintmax_t size_of(const std::filesystem::path& p) {
        std::error_code ec;
        const auto s = std::filesystem::file_size(p, ec);
        return ec ? 0 : s;
    }
    QProcess process;
};

TEST_F(smoke, wvelmorin_on_a_known_folder_loads_the_catalogue_and_waits_on_the_server_keys) {
    copy_demo_to_network();
    wvtest::write_bytes("wfichdir.wdo", network_folder() + "\r\n");
    wvtest::write_bytes("wfenzo42.wdo",
                        std::string(20, ' ') + "#I#0:00800:00600    " + std::string(39960, ' '));
    start(WV_WVELMORIN_BIN, work);
    const std::string catalogue = wvtest::read_bytes(net / "wvelmorin.wdo");
    ASSERT_TRUE(eventually([&] {
        return size_of(work / "progppb.wdo") == 1280000u && wvtest::read_bytes("wvelmorin.wdo") == catalogue;
    })) << "the start did not finish";
    EXPECT_EQ(process.state(), QProcess::Running) << "the program must wait for touches";
    EXPECT_EQ(wvtest::read_bytes("velmorin.wdo"), wvtest::read_bytes(net / "velmorin.wdo"));
    const std::string today = QDate::currentDate().toString("dd-MM-yyyy").toStdString();
    EXPECT_EQ(wvtest::read_bytes(net / "Test.res"), today + std::string(54, ' '));
    EXPECT_FALSE(std::filesystem::exists("w_styl72.wdo")) << "the network folder has no detail list to copy";
    for (const auto& e : std::filesystem::directory_iterator(work))
        EXPECT_NE(e.path().filename().string().front(), '.') << "a temporary file was left: " << e.path();
}

TEST_F(smoke, a_second_wvelmorin_on_the_same_folder_touches_nothing_and_a_dead_ones_folder_is_free) {
    copy_demo_to_network();
    wvtest::write_bytes("wfichdir.wdo", network_folder() + "\r\n");
    wvtest::write_bytes("wfenzo42.wdo",
                        std::string(20, ' ') + "#I#0:00800:00600    " + std::string(39960, ' '));
    const auto debut = std::chrono::steady_clock::now();
    start(WV_WVELMORIN_BIN, work);
    auto demarre = [&] { return size_of(work / "progppb.wdo") == 1280000u; };
    ASSERT_TRUE(eventually(demarre)) << "the first start did not finish";
    const auto duree = std::chrono::steady_clock::now() - debut;
    // What tags this folder's temporary names apart from any other tablet folder's.
    const std::string identite = wvtest::read_bytes(work / platform::tablet_identity_file);
    EXPECT_FALSE(identite.empty()) << "the start keeps the tablet folder's identity";
    // Gone from the folder: a second program that started would make it again.
    std::filesystem::remove(work / "progppb.wdo");

    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(env);
    second.setWorkingDirectory(QString::fromStdString(work.string()));
    second.start(WV_WVELMORIN_BIN, {});
    ASSERT_TRUE(second.waitForStarted(5000));
    // Twice as long as the first start took, and at least two seconds.
    QTest::qWait(static_cast<int>(
        std::max<long>(2000, 2 * std::chrono::duration_cast<std::chrono::milliseconds>(duree).count())));
    EXPECT_EQ(second.state(), QProcess::Running) << "the second program waits on its message";
    EXPECT_FALSE(std::filesystem::exists(work / "progppb.wdo")) << "the second program started on the folder";
    second.kill();
    second.waitForFinished(3000);

    // The first one killed outright: its lock goes with it, the next start runs.
    process.kill();
    process.waitForFinished(3000);
    start(WV_WVELMORIN_BIN, work);
    EXPECT_TRUE(eventually(demarre)) << "the folder stayed locked after its program died";
    EXPECT_EQ(process.state(), QProcess::Running);
    EXPECT_EQ(wvtest::read_bytes(work / platform::tablet_identity_file), identite)
        << "the tablet folder keeps its tag from start to start";
}

TEST_F(smoke, wvelmorin_first_start_creates_the_settings_and_asks_for_the_screen_format) {
    start(WV_WVELMORIN_BIN, work);
    ASSERT_TRUE(eventually([&] { return size_of("wfenzo42.wdo") == 40000u; }));
    QTest::qWait(500);
    EXPECT_EQ(process.state(), QProcess::Running) << "the chooser waits for the user";
    EXPECT_FALSE(std::filesystem::exists("wfichdir.wdo"))
        << "nothing is asked of the folder before the format";
}

TEST_F(smoke, ostrevane_lists_the_network_beside_itself_and_leaves_the_folder_file_alone) {
    const auto bin = work / "programme";
    std::filesystem::create_directories(bin);
    std::filesystem::copy_file(WV_OSTREVANE_BIN, bin / "ostrevane");
    const std::string folder_file =
        "/srv/echange/\r\n \r\n \r\n \r\n \r\n \r\n \r\n \r\n \r\n \r\n \r\n \r\n";
    wvtest::write_bytes("wfichdir.wdo", folder_file);
    start((bin / "ostrevane").string(), work);
    ASSERT_TRUE(eventually([&] { return size_of(bin / "listres.txt") > 0; })) << "no network listing";
    EXPECT_EQ(process.state(), QProcess::Running);
    EXPECT_EQ(wvtest::read_bytes("wfichdir.wdo"), folder_file);
}

}  // namespace
