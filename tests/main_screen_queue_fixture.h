// What the tests of the hand-over need around them: a network folder that
// is the exchange folder, order bytes as the order summary writes them, the
// kill test's child run on a tablet folder, and a router that counts what it
// gets.
#pragma once

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "support/fixtures.h"

namespace wvtest {

namespace fs = std::filesystem;

class queue_test : public folder_test {
  protected:
    // The exchange folder holds the catalogue, and nothing else to begin with.
    void SetUp() override {
        folder_test::SetUp();
        echange(net);
    }
    static void echange(const fs::path& d) {
        fs::create_directories(d);
        wvtest::write_bytes(d / "velmorin.wdo", "#SERV#01 Marie\r\n");
    }
    void TearDown() override {
        platform::set_file_fault_hook(nullptr);
        folder_test::TearDown();
    }
    static ino_t inode(const fs::path& p) {
        struct stat st {};
        return ::stat(p.c_str(), &st) == 0 ? st.st_ino : 0;
    }
    // An order file as the order summary writes it, with code page 1252 bytes.
    std::string commande(const std::string& table) {
        return "#ID#0123456789\r\n#VERSION#2.1\r\n#SERVEUR#01\r\n#TABLE#" + table +
               "\r\n#NBCOUVERT#4 \r\n#REF#000142000200000013  {1.00}\r\n#COMP#Saignant|Frites \xE0 part|\r\n"
               "#NOTE#\r\n";
    }
    // A folder's files but the catalogue.
    std::vector<std::string> fichiers(const fs::path& dossier) {
        std::vector<std::string> noms;
        for (const auto& e : fs::directory_iterator(dossier))
            if (e.path().filename() != "velmorin.wdo") noms.push_back(e.path().filename().string());
        std::sort(noms.begin(), noms.end());
        return noms;
    }
    bool vide(const fs::path& dossier) { return fichiers(dossier).empty(); }

    // The program's start and hand-over in a process of its own (the kill
    // test's child), from the folder `ici`, as the unprivileged user
    // `personne` when asked: its exit status.
    static int enfant(const fs::path& tablette, const std::string& reseau, const std::string& coupure = "",
                      const fs::path& ici = {}, bool personne = false) {
        std::string cmd;
        if (!ici.empty()) cmd = "cd '" + ici.string() + "' && ";
        if (personne) cmd += "setpriv --reuid=65534 --regid=65534 --clear-groups ";
        cmd += std::string("'") + WV_HANDOVER_CHILD + "' '" + tablette.string() + "' '" + reseau + "' '" +
               (tablette / "rapport").string() + "' 0 0 " + coupure;
        return std::system(cmd.c_str());
    }
    static bool tue(int st) { return WIFSIGNALED(st) || (WIFEXITED(st) && WEXITSTATUS(st) == 128 + SIGKILL); }

    // A tablet folder of its own for each case of a table, the router's
    // counts started anew.
    fs::path tablette_du_cas() {
        const fs::path t = work / ("tablette" + std::to_string(cas_vus_++));
        fs::create_directories(t);
        recues.clear();
        return t;
    }
    int cas_vus_ = 0;

    // A router that removes what it reads: how many times it got each order's bytes.
    std::map<std::string, int> recues;
    void routeur(const fs::path& d) {
        for (const auto& e : fs::directory_iterator(d)) {
            if (e.path().extension() != ".txt") continue;
            ++recues[wvtest::read_bytes(e.path())];
            fs::remove(e.path());
        }
    }
};

}  // namespace wvtest
