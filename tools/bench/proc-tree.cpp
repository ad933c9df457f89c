// proc-tree pids PID
// proc-tree pss [--list] PID
// proc-tree stop [--env NAME=VALUE] PID
//
// Looks at the process PID and all its descendants, however deep (the
// web and network processes of WebKit, chromium's zygotes and renderers):
//   pids  prints their ids, one a line, PID first;
//   pss   prints "KIB COUNT USS_KIB": the sum of Pss over
//         /proc/<pid>/smaps_rollup of the tree, in KiB, how many processes
//         it counted, and the sum of their private pages (Private_Clean +
//         Private_Dirty), which unlike Pss does not depend on what other
//         programs on the machine share with them; with --list, one line
//         per process ("pid name PSS_KiB USS_KiB") on standard error;
//   stop  ends the tree and every process of the process group PID (the
//         group exec-stamped makes, whose members outlive their parents
//         as orphans): SIGTERM, up to 3 s to end, then SIGKILL. With
//         --env, also every process whose environment holds exactly
//         NAME=VALUE: daemons such as an autolaunched session bus leave
//         both the tree and the group, but keep the environment they
//         were started with (a HOME of the caller's own, for instance).
// A process that ends while it is read counts as nothing. Exit status 1
// when PID itself is gone (for stop: when nothing of it was left).
#include <dirent.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Proc {
    int ppid = 0;
    int pgid = 0;
    bool zombie = false;
    std::string name;
};

// Every process's parent and name, from /proc/<pid>/stat. The name is in
// parentheses and may itself hold blanks and parentheses: the fields after
// it start after the last ')'.
std::map<int, Proc> ReadProcesses() {
    std::map<int, Proc> all;
    DIR* dir = opendir("/proc");
    if (dir == nullptr) return all;
    while (dirent* e = readdir(dir)) {
        char* end = nullptr;
        const long pid = strtol(e->d_name, &end, 10);
        if (end == e->d_name || *end != '\0') continue;
        std::ifstream in(std::string("/proc/") + e->d_name + "/stat");
        std::string line;
        if (!std::getline(in, line)) continue;
        const size_t open = line.find('(');
        const size_t close = line.rfind(')');
        if (open == std::string::npos || close == std::string::npos || close < open) continue;
        std::istringstream rest(line.substr(close + 1));
        std::string state;
        Proc p;
        if (!(rest >> state >> p.ppid >> p.pgid)) continue;
        p.zombie = state == "Z" || state == "X";
        p.name = line.substr(open + 1, close - open - 1);
        all[static_cast<int>(pid)] = p;
    }
    closedir(dir);
    return all;
}

std::vector<int> Tree(int root, const std::map<int, Proc>& all) {
    std::vector<int> tree;
    if (all.count(root) == 0) return tree;
    tree.push_back(root);
    // Breadth first: parents before their children.
    for (size_t i = 0; i < tree.size(); ++i) {
        for (const auto& [pid, p] : all) {
            if (p.ppid == tree[i] && pid != tree[i]) tree.push_back(pid);
        }
    }
    return tree;
}

struct Memory {
    long pss = 0;      // KiB
    long uss = 0;  // KiB, private pages
};

Memory MemoryOf(int pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string line;
    Memory m;
    while (std::getline(in, line)) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string key = line.substr(0, colon);
        const long kib = atol(line.c_str() + colon + 1);
        if (key == "Pss") m.pss = kib;
        if (key == "Private_Clean" || key == "Private_Dirty") m.uss += kib;
    }
    return m;
}

bool EnvironmentHolds(int pid, const std::string& entry) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/environ", std::ios::binary);
    std::string item;
    while (std::getline(in, item, '\0')) {
        if (item == entry) return true;
    }
    return false;
}

// The tree of PID with the members of its process group and, when ENTRY
// is not empty, the processes whose environment holds it; living ones
// only: a zombie has ended already and waits for its parent to collect it.
std::vector<int> LivingTreeAndGroup(int root, const std::string& entry) {
    const std::map<int, Proc> all = ReadProcesses();
    std::vector<int> pids = Tree(root, all);
    const int self = static_cast<int>(getpid());
    for (const auto& [pid, p] : all) {
        if (pid == self || std::find(pids.begin(), pids.end(), pid) != pids.end()) continue;
        if (p.pgid == root || (!entry.empty() && EnvironmentHolds(pid, entry))) {
            pids.push_back(pid);
        }
    }
    std::vector<int> living;
    for (int pid : pids) {
        if (!all.at(pid).zombie) living.push_back(pid);
    }
    return living;
}

int Stop(int root, const std::string& entry) {
    std::vector<int> pids = LivingTreeAndGroup(root, entry);
    if (pids.empty()) return 1;
    kill(-root, SIGTERM);
    for (int pid : pids) kill(pid, SIGTERM);
    for (int i = 0; i < 300; ++i) {
        // Children started while the first ones were ending are caught too.
        pids = LivingTreeAndGroup(root, entry);
        if (pids.empty()) return 0;
        for (int pid : pids) kill(pid, SIGTERM);
        const timespec pause{0, 10 * 1000 * 1000};
        nanosleep(&pause, nullptr);
    }
    kill(-root, SIGKILL);
    for (int pid : LivingTreeAndGroup(root, entry)) kill(pid, SIGKILL);
    return 0;
}

int Usage() {
    fprintf(stderr,
            "usage: proc-tree pids PID | proc-tree pss [--list] PID | "
            "proc-tree stop [--env NAME=VALUE] PID\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string what = argv[1];
    bool list = false;
    std::string entry;
    int arg = 2;
    if (what == "pss" && strcmp(argv[arg], "--list") == 0) {
        list = true;
        ++arg;
    } else if (what == "stop" && strcmp(argv[arg], "--env") == 0 && arg + 1 < argc) {
        entry = argv[arg + 1];
        if (entry.find('=') == std::string::npos) return Usage();
        arg += 2;
    }
    if (arg + 1 != argc || (what != "pids" && what != "pss" && what != "stop")) return Usage();
    const int root = atoi(argv[arg]);
    if (root <= 1) return Usage();
    if (what == "stop") return Stop(root, entry);
    const std::map<int, Proc> all = ReadProcesses();
    const std::vector<int> tree = Tree(root, all);
    if (tree.empty()) return 1;
    if (what == "pids") {
        for (int pid : tree) printf("%d\n", pid);
        return 0;
    }
    Memory total;
    for (int pid : tree) {
        const Memory m = MemoryOf(pid);
        total.pss += m.pss;
        total.uss += m.uss;
        if (list) {
            fprintf(stderr, "%d %s %ld %ld\n", pid, all.at(pid).name.c_str(), m.pss, m.uss);
        }
    }
    printf("%ld %zu %ld\n", total.pss, tree.size(), total.uss);
    return 0;
}
