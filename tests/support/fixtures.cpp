#include "support/fixtures.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/folder_worker.h"
#include "platform/form.h"
#include "platform/record_file.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "shared/globals.h"

namespace wvtest {

namespace {
std::filesystem::path original_folder;
// Set by a test whose death-test child shares its folder, for that child.
constexpr const char* parent_folder_variable = "WV_TEST_PARENT_FOLDER";
}  // namespace

void folder_test::SetUp() {
    if (original_folder.empty()) original_folder = std::filesystem::current_path();
    const char* parent = std::getenv(parent_folder_variable);
    folder_of_the_parent_ = death_test_child_shares_the_folder && parent;
    if (folder_of_the_parent_) {
        work = parent;
    } else {
        char tmpl[] = "/tmp/wvtest-XXXXXX";
        work = ::mkdtemp(tmpl);
        if (death_test_child_shares_the_folder) ::setenv(parent_folder_variable, work.c_str(), 1);
    }
    net = work / "reseau";
    std::filesystem::create_directories(net);
    std::filesystem::current_path(work);
    platform::record_file::close_all();
    reset_globals();
    scripted_user::clear();
    platform::set_decimal_separator_override(0);
    platform::set_start_hook(nullptr);
    platform::set_file_fault_hook(nullptr);
    platform::set_clock([] { return platform::date_time{2026, 12, 9, 12, 34, 56, 0}; });
}

void folder_test::TearDown() {
    // A job of the network folder's worker still running belongs to this
    // test: it ends, and what it hands back runs, before the folders go.
    EXPECT_TRUE(platform::folder_worker::wait_idle(std::chrono::seconds(20)))
        << "a network folder job never ended";
    QCoreApplication::sendPostedEvents(QCoreApplication::instance(), QEvent::MetaCall);
    EXPECT_EQ(scripted_user::pending(), 0)
        << "screens expected but never opened: " << scripted_user::pending_names();
    EXPECT_TRUE(platform::open_modal_forms().empty()) << "a modal screen is still open";
    platform::unload_all_modal();
    scripted_user::clear();
    platform::record_file::close_all();
    platform::set_clock(nullptr);
    platform::set_start_hook(nullptr);
    platform::set_file_fault_hook(nullptr);
    std::filesystem::current_path(original_folder);
    // A child that got here (its test ended before the death test's
    // statement) leaves the folder to its parent.
    if (folder_of_the_parent_) return;
    if (death_test_child_shares_the_folder) ::unsetenv(parent_folder_variable);
    std::error_code ec;
    std::filesystem::remove_all(work, ec);
}

void folder_test::copy_demo_to_network() {
    for (const char* name : {"velmorin.wdo", "wvelmorin.wdo"})
        std::filesystem::copy_file(std::filesystem::path(WV_DEMO_DIR) / name, net / name,
                                   std::filesystem::copy_options::overwrite_existing);
}

namespace {
class bare_screen : public platform::form {
  public:
    using form::form;

  private:
    void design() override {}
};
}  // namespace

screen_double::screen_double(std::string name) : name_(std::move(name)) {
    if (platform::form* f = platform::find_form(name_)) original_ = [f]() -> platform::form& { return *f; };
    double_ = std::make_unique<bare_screen>(name_);
    platform::form* d = double_.get();
    platform::register_form(name_, [d]() -> platform::form& { return *d; });
}

screen_double::~screen_double() {
    if (original_) platform::register_form(name_, original_);
}

double time_scale() {
    double scale = 1;
    if (const char* asked = std::getenv("WV_TEST_TIME_SCALE")) scale = std::max(scale, std::atof(asked));
    double load = 0;
    const unsigned cpus = std::max(1u, std::thread::hardware_concurrency());
    if (::getloadavg(&load, 1) == 1) scale = std::max(scale, load / cpus);
    return scale;
}

std::string read_bytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void write_bytes(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::filesystem::path data_file(const std::string& name) {
    return std::filesystem::path(WV_TEST_DATA) / name;
}

}  // namespace wvtest
