// The identity of the machine, from which the tablet identification is made:
// its sources in order, each read from a root folder laid out as a real
// system's (machine identifiers, mounts, device links, network interfaces).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/services.h"
#include "platform/text_file.h"
#include "support/fixtures.h"

namespace {

namespace fs = std::filesystem;

class machine_identity : public wvtest::folder_test {
  protected:
    fs::path racine() const { return work / "racine"; }
    void ecrit(const std::string& chemin, const std::string& contenu) {
        const fs::path p = racine() / chemin;
        fs::create_directories(p.parent_path());
        wvtest::write_bytes(p, contenu);
    }
    void lien(const std::string& chemin, const std::string& cible) {
        const fs::path p = racine() / chemin;
        fs::create_directories(p.parent_path());
        fs::create_symlink(cible, p);
    }
    // Two file systems with their UUID links, as udev makes them.
    void disques() {
        lien("dev/disk/by-uuid/1111-aaaa", "../../sda1");
        lien("dev/disk/by-uuid/2222-bbbb", "../../sda2");
        lien("dev/disk/by-uuid/3333-cccc", "../../mmcblk0p2");
        lien("dev/disk/by-uuid/4444-dddd", "../../dm-0");
    }
    std::string identite() const { return platform::machine_identity(racine()); }
};

// A mountinfo line of the root file system.
std::string montage_racine(const std::string& numero, const std::string& source) {
    return "25 1 " + numero + " / / rw,relatime shared:1 - ext4 " + source + " rw,errors=remount-ro\n";
}

TEST_F(machine_identity, machine_identifiers_come_first_in_order) {
    disques();
    ecrit("proc/self/mountinfo", montage_racine("8:2", "/dev/sda2"));
    ecrit("etc/machine-id", "0123456789abcdef0123456789abcdef\n");
    ecrit("var/lib/dbus/machine-id", "fedcba9876543210fedcba9876543210\n");
    EXPECT_EQ(identite(), "0123456789abcdef0123456789abcdef");
    ecrit("etc/machine-id", "\n");  // an image prepared for a first boot leaves it empty
    EXPECT_EQ(identite(), "fedcba9876543210fedcba9876543210");
    fs::remove(racine() / "etc/machine-id");
    EXPECT_EQ(identite(), "fedcba9876543210fedcba9876543210");
}

TEST_F(machine_identity, without_machine_identifier_the_root_file_system_uuid) {
    disques();
    ecrit("sys/class/net/eth0/address", "b8:27:eb:01:02:03\n");
    ecrit("sys/class/net/eth0/device/uevent", "");
    struct cas {
        const char* mountinfo;
        const char* attendu;
    };
    const cas table[] = {
        {"8:2|/dev/sda2", "uuid:2222-bbbb"},
        // The kernel names the root "/dev/root": its device number tells which.
        {"179:2|/dev/root", "uuid:3333-cccc"},
        // A device-mapper root is mounted under its /dev/mapper link.
        {"254:0|/dev/mapper/vg-racine", "uuid:4444-dddd"},
    };
    lien("dev/mapper/vg-racine", "../dm-0");
    ecrit("sys/dev/block/179:2/uevent", "MAJOR=179\nMINOR=2\nDEVNAME=mmcblk0p2\nDEVTYPE=partition\n");
    for (const cas& c : table) {
        const std::string s = c.mountinfo;
        const auto bar = s.find('|');
        ecrit("proc/self/mountinfo", "22 28 0:21 / /proc rw - proc proc rw\n" +
                                         montage_racine(s.substr(0, bar), s.substr(bar + 1)) +
                                         "30 25 8:1 / /boot rw - vfat /dev/sda1 rw\n");
        EXPECT_EQ(identite(), c.attendu) << s;
        EXPECT_EQ(identite(), c.attendu) << "stable: " << s;
    }
    // The last mount on "/" is the one in use.
    ecrit("proc/self/mountinfo", montage_racine("8:1", "/dev/sda1") + montage_racine("8:2", "/dev/sda2"));
    EXPECT_EQ(identite(), "uuid:2222-bbbb");
    // Without mountinfo, the mount table.
    fs::remove(racine() / "proc/self/mountinfo");
    ecrit("proc/mounts", "proc /proc proc rw 0 0\n/dev/sda1 / ext4 rw,relatime 0 0\n");
    EXPECT_EQ(identite(), "uuid:1111-aaaa");
}

TEST_F(machine_identity, without_file_system_uuid_the_address_of_a_real_interface) {
    // A container's overlay root has no UUID.
    ecrit("proc/self/mountinfo", montage_racine("0:52", "overlay"));
    disques();
    ecrit("sys/class/net/lo/address", "00:00:00:00:00:00\n");
    ecrit("sys/class/net/bridge0/address", "02:42:ac:11:00:01\n");  // virtual: drawn at random
    ecrit("sys/class/net/wlan0/address", "dc:a6:32:aa:bb:cc\n");
    ecrit("sys/class/net/wlan0/device/uevent", "");
    ecrit("sys/class/net/eth0/address", "00:00:00:00:00:00\n");  // a device without an address
    ecrit("sys/class/net/eth0/device/uevent", "");
    EXPECT_EQ(identite(), "mac:dc:a6:32:aa:bb:cc");
    fs::remove_all(racine() / "sys/class/net/wlan0");
    EXPECT_EQ(identite(), "mac:02:42:ac:11:00:01");
}

TEST_F(machine_identity, with_no_source_at_all_still_a_stable_text) {
    fs::create_directories(racine());
    const std::string a = identite();
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(identite(), a);
    EXPECT_EQ(a.rfind("uuid:", 0), std::string::npos);
}

}  // namespace

// Tablets cloned from one image share every identifier; the tag of their
// temporary names must still differ, or a clone's start would remove another
// tablet's noted copy as its own leftover. A virtual interface, whose address
// may be drawn anew at each start, never changes a tablet's tag.
TEST_F(machine_identity, clones_of_one_image_tag_their_temporary_files_apart) {
    struct tablette {
        const char* nom;
        const char* adresse;
    };
    std::vector<std::string> tags;
    for (const tablette& t : {tablette{"a", "dc:a6:32:aa:bb:01"}, tablette{"b", "dc:a6:32:aa:bb:02"}}) {
        const fs::path base = racine();
        ecrit("etc/machine-id", "0123456789abcdef0123456789abcdef\n");
        ecrit("sys/class/net/wlan0/address", std::string(t.adresse) + "\n");
        ecrit("sys/class/net/wlan0/device/uevent", "");
        ecrit("sys/class/net/docker0/address", "02:42:ac:11:00:0" + std::string(t.nom) + "\n");
        EXPECT_EQ(identite(), "0123456789abcdef0123456789abcdef") << t.nom;
        const std::string tag = platform::machine_tag(base);
        EXPECT_EQ(tag.size(), 12u);
        EXPECT_EQ(tag.find_first_not_of("0123456789abcdef"), std::string::npos) << tag;
        // The same tablet started again: the same tag, whatever the virtual interface drew.
        ecrit("sys/class/net/docker0/address", "02:42:ac:11:00:ff\n");
        EXPECT_EQ(platform::machine_tag(base), tag) << t.nom;
        tags.push_back(tag);
        fs::remove_all(base);
    }
    EXPECT_NE(tags[0], tags[1]);
}

namespace {

// A machine whose identifier and network device the tablet folders below live on.
class tablet_tag : public machine_identity {
  protected:
    void machine(const std::string& identifiant, const std::string& adresse) {
        ecrit("etc/machine-id", identifiant + "\n");
        ecrit("sys/class/net/wlan0/address", adresse + "\n");
        ecrit("sys/class/net/wlan0/device/uevent", "");
    }
    fs::path dossier(const std::string& nom) {
        const fs::path d = work / nom;
        fs::create_directories(d);
        return d;
    }
    std::string tag(const fs::path& d) const { return platform::tablet_tag(d, racine()); }
    static std::string identite_gardee(const fs::path& d) {
        return wvtest::read_bytes(d / platform::tablet_identity_file);
    }
};

constexpr const char* identifiant = "0123456789abcdef0123456789abcdef";
constexpr const char* adresse = "dc:a6:32:aa:bb:01";

// Two tablet folders of one machine share everything the machine says; each
// start of one folder must still find its own tag, or its leftovers would
// never go.
TEST_F(tablet_tag, two_folders_of_one_machine_are_apart_and_each_keeps_its_tag_from_start_to_start) {
    machine(identifiant, adresse);
    const fs::path a = dossier("tablette-a"), b = dossier("tablette-b");
    const std::string tag_a = tag(a), tag_b = tag(b);
    for (const std::string& t : {tag_a, tag_b}) {
        EXPECT_EQ(t.size(), 12u);
        EXPECT_EQ(t.find_first_not_of("0123456789abcdef"), std::string::npos) << t;
        // The machine's tag alone was every folder's before: none carries it now.
        EXPECT_NE(t, platform::machine_tag(racine()));
    }
    EXPECT_NE(tag_a, tag_b);
    const std::string garde_a = identite_gardee(a);
    EXPECT_FALSE(garde_a.empty()) << "the folder's identity is kept in it";
    EXPECT_NE(garde_a, identite_gardee(b));
    // Started again: a fresh computation finds the same tag, and rewrites nothing.
    for (int demarrage = 0; demarrage < 3; ++demarrage) {
        EXPECT_EQ(tag(a), tag_a);
        EXPECT_EQ(tag(b), tag_b);
    }
    EXPECT_EQ(identite_gardee(a), garde_a);
    // Moved on its disk, it is the same folder.
    fs::rename(b, work / "tablette-b-deplacee");
    EXPECT_EQ(tag(work / "tablette-b-deplacee"), tag_b);
}

// A folder copied whole beside the original, its identity file with it: the
// copy is another tablet folder, and the original keeps its tag.
TEST_F(tablet_tag, a_folder_copied_whole_draws_its_own_identity) {
    machine(identifiant, adresse);
    const fs::path a = dossier("tablette-a");
    const std::string tag_a = tag(a), garde_a = identite_gardee(a);
    fs::copy(a, work / "copie", fs::copy_options::recursive);
    ASSERT_EQ(identite_gardee(work / "copie"), garde_a);
    const std::string tag_copie = tag(work / "copie");
    EXPECT_NE(tag_copie, tag_a);
    EXPECT_NE(identite_gardee(work / "copie"), garde_a) << "drawn again for the copy";
    EXPECT_EQ(tag(work / "copie"), tag_copie) << "and kept";
    EXPECT_EQ(tag(a), tag_a);
    EXPECT_EQ(identite_gardee(a), garde_a);
}

// An image cloned after its first start: the same folder, the same identity
// file, on machines that differ by their identifier or their network device.
TEST_F(tablet_tag, a_folder_cloned_with_its_identity_onto_another_machine_is_apart) {
    struct cas {
        const char* nom;
        const char* identifiant;
        const char* adresse;
    };
    const cas machines[] = {
        {"the original", identifiant, adresse},
        {"a clone given its own machine identifier", "fedcba9876543210fedcba9876543210", adresse},
        {"a clone with its own network device", identifiant, "dc:a6:32:aa:bb:02"},
    };
    const fs::path a = dossier("tablette");
    std::vector<std::string> tags;
    std::string garde;
    for (const cas& m : machines) {
        machine(m.identifiant, m.adresse);
        tags.push_back(tag(a));
        if (garde.empty()) garde = identite_gardee(a);
        EXPECT_EQ(identite_gardee(a), garde) << m.nom << ": the cloned identity file is the same";
        EXPECT_EQ(tag(a), tags.back()) << m.nom << ": stable on that machine";
    }
    for (std::size_t i = 0; i < tags.size(); ++i)
        for (std::size_t j = i + 1; j < tags.size(); ++j)
            EXPECT_NE(tags[i], tags[j]) << machines[i].nom << " / " << machines[j].nom;
    machine(identifiant, adresse);
    EXPECT_EQ(tag(a), tags[0]) << "the original machine keeps its tag";
}

// An identity file that is not this folder's, or not whole (a hand edit, a
// disk that lost it), is drawn again and kept from then on.
TEST_F(tablet_tag, an_identity_file_that_is_not_this_folders_is_drawn_again) {
    machine(identifiant, adresse);
    const fs::path a = dossier("tablette");
    const std::string tag_a = tag(a);
    const std::string garde = identite_gardee(a);
    const std::string id = garde.substr(0, garde.find('\r'));
    ASSERT_EQ(id.size(), 32u) << garde;
    const char* const contenus[] = {
        "", "\r\n", "pas une identite\r\n",
        "0123456789ABCDEF0123456789ABCDEF\r\n",  // not as this program writes it
    };
    std::vector<std::string> tags = {tag_a};
    for (const char* contenu : contenus) {
        wvtest::write_bytes(a / platform::tablet_identity_file, contenu);
        const std::string t = tag(a);
        EXPECT_EQ(t.size(), 12u);
        EXPECT_EQ(tag(a), t) << "kept once drawn: " << contenu;
        EXPECT_NE(identite_gardee(a), contenu);
        tags.push_back(t);
    }
    // Its identity alone, without the folder it was drawn in: a copy, as far as anyone can tell.
    wvtest::write_bytes(a / platform::tablet_identity_file, id + "\r\n");
    tags.push_back(tag(a));
    for (std::size_t i = 0; i < tags.size(); ++i)
        for (std::size_t j = i + 1; j < tags.size(); ++j) EXPECT_NE(tags[i], tags[j]) << i << " / " << j;
}

}  // namespace
