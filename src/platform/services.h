// System services of the programs: the event loop, the end of the program,
// the screen, the mouse pointer, starting the other program and the browser,
// the number format of the runtime and the identity of this machine.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// Lets the event loop process what is pending (repaints, touches, timers).
void yield();

// Closes every file of the program and ends the process at once.
[[noreturn]] void end_program();

// Size of the display in twips.
double screen_width_twips();
double screen_height_twips();

// The screen-wide mouse pointer, kept as the number the screens use.
namespace pointer {
constexpr int normal = 0, arrow = 1, up_arrow = 10, hourglass = 11, arrow_question = 14;
}
int mouse_pointer();
void set_mouse_pointer(int p);

// Starts the executable of that name in this program's own folder, without a
// shell and without arguments, in the current folder.
bool start_program(const std::string& name);
// Opens an address in the desktop's default browser.
bool open_url(const std::string& address);
// Tests record what would be started instead of starting it.
void set_start_hook(std::function<bool(const std::string& what)> hook);

// A program run to its end or to a time bound, without a shell: its
// arguments go to it as they are. The screen keeps painting meanwhile, but
// no touch is taken until it returns.
struct process_result {
    bool started = false;
    // False when the bound was reached and the program was killed.
    bool finished = false;
    int exit_code = -1;
    // What it wrote on its standard output before it ended or was killed.
    std::string output;
};
process_result run_program(const std::string& program, const std::vector<std::string>& arguments,
                           int timeout_ms);

// The decimal separator with which the runtime formats numbers now.
char runtime_decimal_separator();
// Makes the runtime format numbers with "."; the machine's own settings are
// never edited.
void force_runtime_decimal_point();
// Tests inject the separator the runtime would report (0 = the real one).
void set_decimal_separator_override(char c);

// The local date and time; tests inject a fixed clock.
struct date_time {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};
date_time now();
void set_clock(std::function<date_time()> clock);

// A stable text that differs between machines, from the first source found
// under `root` (the system's root folder but in tests): the machine
// identifier (/etc/machine-id, then D-Bus's copy), the UUID of the root file
// system, the hardware address of the first network interface, and last the
// device and inode of the root folder.
std::string machine_identity(const std::filesystem::path& root = "/");
// The hardware address of this machine's first network interface of a real
// device ("" when it has none): what tells apart machines cloned from one
// image, which share every identifier above.
std::string device_address(const std::filesystem::path& root = "/");

// What tells apart the tablet folders of one machine, and a tablet folder
// from its copies: an identity drawn at random once for the folder and kept
// in this file of it, with the device and inode of the folder it was drawn
// in. A copy of the file found in another folder (a folder copied whole, an
// image unpacked elsewhere) is no longer that folder's: another identity is
// drawn and kept. When the file cannot be kept, the identity drawn holds for
// this run only.
constexpr const char* tablet_identity_file = "wvelmorin.tag";
std::string tablet_folder_identity(const std::filesystem::path& folder);

}  // namespace platform
