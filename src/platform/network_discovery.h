// The computers that announce file shares on the local network, as the
// discovery programs of the system find them: SMB services announced over
// mDNS (avahi-browse) and NetBIOS servers (nmblookup, smbtree). Each program
// runs as a process of its own, without a shell and for a bounded time; one
// that is missing or fails adds nothing.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform {

enum class discovery_format { avahi_browse, nmblookup_status, smbtree };

struct discovery_program {
    std::string program;
    std::vector<std::string> arguments;
    discovery_format format = discovery_format::avahi_browse;
};

// The programs run by a scan, in the order their names are listed.
std::vector<discovery_program> default_discovery_programs();

// Computer names in the output of each program, in their order, each once.
// avahi-browse -p -r: the host name of a resolved service ("serveur.local"),
// else the service's name; nmblookup -S: the unique names that offer the
// file service (<20>); smbtree: the names after "\\".
std::vector<std::string> parse_avahi_browse(const std::string& output);
std::vector<std::string> parse_nmblookup_status(const std::string& output);
std::vector<std::string> parse_smbtree(const std::string& output);
std::vector<std::string> parse_discovery(discovery_format format, const std::string& output);

// The address each output gives for the computers it names, as pairs of
// name and address: avahi-browse's resolved address (IPv4 before IPv6, a
// link-local IPv6 one with its interface), the node nmblookup asked.
std::vector<std::pair<std::string, std::string>> discovery_addresses(discovery_format format,
                                                                     const std::string& output);
// The address the last scan found for a computer: a name announced over
// mDNS may not resolve on a tablet without mDNS name resolution.
std::string known_address(const std::string& name);

// Whether two names stand for the same computer: without regard to case,
// and a name announced over mDNS ("serveur.local") is the NetBIOS name
// "SERVEUR".
bool same_computer(const std::string& a, const std::string& b);

// The names of the lists, in order, each computer once (the first spelling).
std::vector<std::string> merge_computer_names(const std::vector<std::vector<std::string>>& lists);

// Runs every program at once, asynchronously: the event loop keeps running.
// When the last one ended, or at the bound (programs still running are then
// killed and what they wrote is used), `done` receives the names found,
// merged. Returns at once; a scan already running is replaced.
void start_discovery(const std::vector<discovery_program>& programs, int bound_ms,
                     std::function<void(std::vector<std::string>)> done);
bool discovery_running();
// Ends a running scan without telling its result.
void cancel_discovery();

// Tests give the programs a scan runs (an empty list runs none); nullptr
// again gives the default ones.
void set_discovery_programs(const std::vector<discovery_program>* programs);
const std::vector<discovery_program>& discovery_programs();

}  // namespace platform
