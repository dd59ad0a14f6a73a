#include "platform/network_discovery.h"

#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <optional>
#include <sstream>

#include "platform/text.h"

namespace platform {

namespace {

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string l;
    while (std::getline(in, l)) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        out.push_back(l);
    }
    return out;
}

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> out(1);
    for (char c : s) {
        if (c == sep)
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

// avahi writes a label's dots and backslashes after a backslash, and any
// other byte outside letters, digits, "-" and "_" as a backslash and three
// decimal digits ("\032" for a blank).
std::string avahi_unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        if (i + 3 < s.size() && std::isdigit(static_cast<unsigned char>(s[i + 1])) &&
            std::isdigit(static_cast<unsigned char>(s[i + 2])) &&
            std::isdigit(static_cast<unsigned char>(s[i + 3]))) {
            const int v = (s[i + 1] - '0') * 100 + (s[i + 2] - '0') * 10 + (s[i + 3] - '0');
            if (v < 256) {
                out += static_cast<char>(v);
                i += 3;
                continue;
            }
        }
        out += s[++i];
    }
    return out;
}

bool usable_name(const std::string& n) {
    return !n.empty() && n.find_first_of(" \t\\/;") == std::string::npos;
}

void add_once(std::vector<std::string>& names, const std::string& n) {
    if (!usable_name(n)) return;
    for (const auto& m : names)
        if (same_computer(m, n)) return;
    names.push_back(n);
}

std::string without_local(const std::string& n) {
    const std::string suffix = ".local";
    std::string s = n;
    if (!s.empty() && s.back() == '.') s.pop_back();
    if (s.size() > suffix.size() && txt::same_nocase(s.substr(s.size() - suffix.size()), suffix))
        s.resize(s.size() - suffix.size());
    return s;
}

std::vector<std::pair<std::string, std::string>>& addresses() {
    static std::vector<std::pair<std::string, std::string>> a;
    return a;
}

std::optional<std::vector<discovery_program>>& programs_override() {
    static std::optional<std::vector<discovery_program>> p;
    return p;
}

// One scan in flight: its processes, what they wrote, and the bound.
struct scan {
    std::vector<std::unique_ptr<QProcess>> processes;
    std::vector<discovery_format> formats;
    std::vector<std::string> outputs;
    std::unique_ptr<QTimer> bound;
    std::function<void(std::vector<std::string>)> done;
    std::size_t running = 0;
};

std::unique_ptr<scan>& current() {
    static std::unique_ptr<scan> s;
    return s;
}

void finish_scan() {
    std::unique_ptr<scan> s = std::move(current());
    if (!s) return;
    std::vector<std::vector<std::string>> lists;
    for (std::size_t i = 0; i < s->processes.size(); ++i) {
        QProcess& p = *s->processes[i];
        s->outputs[i] += p.readAllStandardOutput().toStdString();
        p.disconnect();
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished(500);
        }
        lists.push_back(parse_discovery(s->formats[i], s->outputs[i]));
        for (auto& a : discovery_addresses(s->formats[i], s->outputs[i])) addresses().push_back(std::move(a));
    }
    auto done = std::move(s->done);
    // The processes are deleted later: this may run inside one of their
    // own signals.
    for (auto& p : s->processes) p.release()->deleteLater();
    if (s->bound) {
        s->bound->stop();
        s->bound.release()->deleteLater();
    }
    if (done) done(merge_computer_names(lists));
}

}  // namespace

std::vector<discovery_program> default_discovery_programs() {
    return {
        // -t: ends once the services known now are listed; -r: resolved to
        // their host; -p: one line a service, fields separated by ";";
        // -k: the service type as it is, not translated.
        {"avahi-browse", {"-t", "-r", "-p", "-k", "_smb._tcp"}, discovery_format::avahi_browse},
        // Every NetBIOS node that answers the broadcast, then its names. Its
        // output goes line by line, so what it found survives the bound.
        {"stdbuf", {"-oL", "nmblookup", "-S", "*"}, discovery_format::nmblookup_status},
        // The browse lists of the workgroups, servers only, no password.
        {"smbtree", {"-N", "-S"}, discovery_format::smbtree},
    };
}

std::vector<std::string> parse_avahi_browse(const std::string& output) {
    std::vector<std::string> names;
    std::vector<std::string> unresolved;
    std::vector<std::string> resolved_services;
    for (const auto& l : lines_of(output)) {
        const auto f = split(l, ';');
        if (f.size() >= 9 && f[0] == "=") {
            resolved_services.push_back(avahi_unescape(f[3]));
            add_once(names, avahi_unescape(f[6]));
        } else if (f.size() >= 6 && f[0] == "+") {
            unresolved.push_back(avahi_unescape(f[3]));
        }
    }
    // A service that could not be resolved in time is named by its service
    // name, which is the host's name by default.
    for (const auto& u : unresolved) {
        bool resolved = false;
        for (const auto& r : resolved_services) resolved = resolved || r == u;
        if (!resolved) add_once(names, u);
    }
    return names;
}

std::vector<std::string> parse_nmblookup_status(const std::string& output) {
    std::vector<std::string> names;
    for (const auto& l : lines_of(output)) {
        // "\tSERVEUR         <20> -         B <ACTIVE> "
        if (l.empty() || l[0] != '\t') continue;
        const std::size_t at = l.find(" <20> -");
        if (at == std::string::npos || l.find("<GROUP>", at) != std::string::npos) continue;
        add_once(names, txt::trim(l.substr(1, at - 1)));
    }
    return names;
}

std::vector<std::string> parse_smbtree(const std::string& output) {
    std::vector<std::string> names;
    for (const auto& l : lines_of(output)) {
        const std::size_t first = l.find_first_not_of(" \t");
        const std::string t = first == std::string::npos ? std::string() : l.substr(first);
        if (t.size() < 3 || t.compare(0, 2, "\\\\") != 0) continue;
        const std::string rest = t.substr(2);
        add_once(names, rest.substr(0, rest.find_first_of("\\ \t")));
    }
    return names;
}

std::vector<std::string> parse_discovery(discovery_format format, const std::string& output) {
    switch (format) {
        case discovery_format::avahi_browse:
            return parse_avahi_browse(output);
        case discovery_format::nmblookup_status:
            return parse_nmblookup_status(output);
        case discovery_format::smbtree:
            return parse_smbtree(output);
    }
    return {};
}

std::vector<std::pair<std::string, std::string>> discovery_addresses(discovery_format format,
                                                                     const std::string& output) {
    std::vector<std::pair<std::string, std::string>> out;
    if (format == discovery_format::avahi_browse) {
        for (const auto& l : lines_of(output)) {
            const auto f = split(l, ';');
            if (f.size() < 9 || f[0] != "=" || f[7].empty()) continue;
            const std::string host = avahi_unescape(f[6]);
            const bool v4 = f[2] == "IPv4";
            const std::string& address = f[7];
            // A link-local address is of no use without its interface, and
            // an address goes to the mount programs as an argument.
            if (txt::same_nocase(address.substr(0, 4), "fe80") || address.front() == '-' ||
                address.find_first_not_of("0123456789abcdefABCDEF.:") != std::string::npos)
                continue;
            auto known = std::find_if(out.begin(), out.end(),
                                      [&](const auto& p) { return same_computer(p.first, host); });
            if (known == out.end())
                out.emplace_back(host, address);
            else if (v4 && known->second.find(':') != std::string::npos)
                known->second = address;
        }
    } else if (format == discovery_format::nmblookup_status) {
        const std::string asked = "Looking up status of ";
        std::string node;
        for (const auto& l : lines_of(output)) {
            if (l.compare(0, asked.size(), asked) == 0) {
                node = txt::trim(l.substr(asked.size()));
                if (node.find_first_not_of("0123456789.") != std::string::npos) node.clear();
            }
            if (node.empty() || l.empty() || l[0] != '\t') continue;
            for (const auto& n : parse_nmblookup_status(l)) out.emplace_back(n, node);
        }
    }
    return out;
}

std::string known_address(const std::string& name) {
    for (const auto& [n, a] : addresses())
        if (same_computer(n, name)) return a;
    return {};
}

bool same_computer(const std::string& a, const std::string& b) {
    return txt::same_nocase(without_local(a), without_local(b));
}

std::vector<std::string> merge_computer_names(const std::vector<std::vector<std::string>>& lists) {
    std::vector<std::string> names;
    for (const auto& l : lists)
        for (const auto& n : l) add_once(names, n);
    return names;
}

void start_discovery(const std::vector<discovery_program>& programs, int bound_ms,
                     std::function<void(std::vector<std::string>)> done) {
    cancel_discovery();
    addresses().clear();
    auto s = std::make_unique<scan>();
    s->done = std::move(done);
    scan* raw = s.get();
    current() = std::move(s);
    // Held while the processes start: one that fails to start reports it at
    // once, and the scan must not end before the others are started.
    raw->running = 1;
    auto ended = [raw] {
        if (current().get() != raw) return;
        if (--raw->running == 0) finish_scan();
    };
    for (const auto& prog : programs) {
        auto p = std::make_unique<QProcess>();
        QStringList args;
        for (const auto& a : prog.arguments) args << QString::fromStdString(a);
        QProcess* qp = p.get();
        const std::size_t index = raw->processes.size();
        raw->processes.push_back(std::move(p));
        raw->formats.push_back(prog.format);
        raw->outputs.emplace_back();
        // Their messages are of no use to the user: only the listing is read.
        qp->setStandardErrorFile(QProcess::nullDevice());
        QObject::connect(qp, &QProcess::readyReadStandardOutput, [raw, qp, index] {
            raw->outputs[index] += qp->readAllStandardOutput().toStdString();
        });
        QObject::connect(qp, &QProcess::finished, ended);
        // A program that is not installed ends here.
        QObject::connect(qp, &QProcess::errorOccurred, [qp, ended](QProcess::ProcessError e) {
            if (e == QProcess::FailedToStart && qp->state() == QProcess::NotRunning) ended();
        });
        ++raw->running;
        qp->start(QString::fromStdString(prog.program), args, QIODevice::ReadOnly);
    }
    raw->bound = std::make_unique<QTimer>();
    raw->bound->setSingleShot(true);
    raw->bound->setTimerType(Qt::PreciseTimer);
    QObject::connect(raw->bound.get(), &QTimer::timeout, [raw] {
        if (current().get() == raw) finish_scan();
    });
    raw->bound->start(bound_ms);
    ended();
}

void cancel_discovery() {
    if (!current()) return;
    current()->done = nullptr;
    finish_scan();
}

bool discovery_running() {
    return current() != nullptr;
}

void set_discovery_programs(const std::vector<discovery_program>* programs) {
    if (programs)
        programs_override() = *programs;
    else
        programs_override().reset();
}

const std::vector<discovery_program>& discovery_programs() {
    static const std::vector<discovery_program> defaults = default_discovery_programs();
    return programs_override() ? *programs_override() : defaults;
}

}  // namespace platform
