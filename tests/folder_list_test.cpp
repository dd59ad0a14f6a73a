// The folder list: its entries, its refusal of folders it cannot open, and
// entering an entry by a double tap.
#include "platform/folder_list.h"

#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>

#include "platform/form.h"
#include "support/fixtures.h"

namespace {

class folder_screen : public platform::form {
  public:
    folder_screen() : form("folder_list_test_screen") {}
    platform::folder_list* dir = nullptr;

  private:
    void design() override {
        move(0, 0, 6000, 6000);
        dir = add<platform::folder_list>("Dir1");
        dir->move(0, 0, 6000, 6000);
    }
};

class folder_list_test : public wvtest::folder_test {
  protected:
    void SetUp() override {
        folder_test::SetUp();
        std::filesystem::create_directories(work / "base" / "Zeta");
        std::filesystem::create_directories(work / "base" / "alpha" / "inner");
        std::filesystem::create_directories(work / "base" / "Beta");
        wvtest::write_bytes(work / "base" / "fichier.txt", "x");
        screen.show();
        screen.dir->on_change = [this] { changes.push_back(screen.dir->path()); };
    }
    void TearDown() override {
        screen.unload();
        folder_test::TearDown();
    }
    folder_screen screen;
    std::vector<std::string> changes;
};

TEST_F(folder_list_test, shows_the_way_up_then_the_subfolders_by_name) {
    const std::string base = (work / "base").string();
    ASSERT_TRUE(screen.dir->set_path(base + "/"));
    EXPECT_EQ(screen.dir->path(), base);
    ASSERT_EQ(screen.dir->list_count(), 4);
    EXPECT_EQ(screen.dir->list(0), "..");
    EXPECT_EQ(screen.dir->list(1), "alpha");
    EXPECT_EQ(screen.dir->list(2), "Beta");
    EXPECT_EQ(screen.dir->list(3), "Zeta");
    EXPECT_EQ(changes, std::vector<std::string>{base});

    // The same folder again is no change.
    ASSERT_TRUE(screen.dir->set_path(base));
    EXPECT_EQ(changes.size(), 1u);

    ASSERT_TRUE(screen.dir->set_path("/"));
    ASSERT_GT(screen.dir->list_count(), 0);
    EXPECT_NE(screen.dir->list(0), "..");
}

TEST_F(folder_list_test, a_folder_that_cannot_be_opened_keeps_the_previous_path) {
    const std::string base = (work / "base").string();
    ASSERT_TRUE(screen.dir->set_path(base));
    for (const std::string& bad : {base + "/absent", base + "/fichier.txt", std::string()}) {
        EXPECT_FALSE(screen.dir->set_path(bad)) << bad;
        EXPECT_EQ(screen.dir->path(), base);
        EXPECT_EQ(screen.dir->list_count(), 4);
    }
    EXPECT_EQ(changes.size(), 1u);
}

TEST_F(folder_list_test, a_double_tap_enters_a_folder_and_the_way_up_leaves_it) {
    const std::string base = (work / "base").string();
    ASSERT_TRUE(screen.dir->set_path(base));
    QWidget* view = screen.dir->viewport();
    QTest::mouseDClick(view, Qt::LeftButton, Qt::NoModifier,
                       screen.dir->visualItemRect(screen.dir->item(1)).center());
    EXPECT_EQ(screen.dir->path(), base + "/alpha");
    ASSERT_EQ(screen.dir->list_count(), 2);
    EXPECT_EQ(screen.dir->list(1), "inner");

    QTest::mouseDClick(view, Qt::LeftButton, Qt::NoModifier,
                       screen.dir->visualItemRect(screen.dir->item(0)).center());
    EXPECT_EQ(screen.dir->path(), base);
    EXPECT_EQ(changes, (std::vector<std::string>{base, base + "/alpha", base}));

    // A single tap only selects.
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier,
                      screen.dir->visualItemRect(screen.dir->item(3)).center());
    EXPECT_EQ(screen.dir->path(), base);
}

}  // namespace
