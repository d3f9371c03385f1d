// CPU from /proc and latency quantiles for the fleet report.
#include "fleet_measure.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

namespace fleet {
namespace {

const double kTick = 1.0 / static_cast<double>(::sysconf(_SC_CLK_TCK));

// Fields 14-17 of /proc/PID/stat: utime, stime, cutime, cstime (in ticks);
// the name in parentheses may hold blanks, so the count starts after it.
bool readStat(int pid, long fields[4]) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(in, line)) return false;
    std::istringstream rest(line.substr(line.rfind(')') + 2));
    std::string skip;
    for (int field = 3; field < 14; ++field) rest >> skip;
    return static_cast<bool>(rest >> fields[0] >> fields[1] >> fields[2] >> fields[3]);
}

Cpu ownTime(const std::vector<int>& pids) {
    Cpu c;
    long f[4];
    for (int pid : pids)
        if (readStat(pid, f)) c = c + Cpu{static_cast<double>(f[0]) * kTick, static_cast<double>(f[1]) * kTick};
    return c;
}

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

}  // namespace

std::vector<int> Processes::parse(const std::string& list) {
    std::vector<int> pids;
    std::istringstream in(list);
    for (std::string pid; std::getline(in, pid, ',');)
        if (!pid.empty()) pids.push_back(std::stoi(pid));
    return pids;
}

CpuSample sampleCpu(const Processes& p) {
    CpuSample s;
    s.node = ownTime(p.node);
    long f[4];
    if (p.reaper && readStat(p.reaper, f))
        s.node = s.node + Cpu{static_cast<double>(f[2]) * kTick, static_cast<double>(f[3]) * kTick};
    s.server = ownTime(p.server);
    rusage self{};
    ::getrusage(RUSAGE_SELF, &self);
    s.self = {seconds(self.ru_utime), seconds(self.ru_stime)};
    // The first line of /proc/stat: user nice system idle iowait irq softirq steal.
    std::ifstream stat("/proc/stat");
    std::string cpu;
    double v[8] = {};
    stat >> cpu;
    for (double& x : v) stat >> x;
    s.machineAll = (v[0] + v[1] + v[2] + v[3] + v[4] + v[5] + v[6] + v[7]) * kTick;
    s.machineBusy = s.machineAll - (v[3] + v[4]) * kTick;
    return s;
}

bool alive(const Processes& p) {
    long f[4];
    for (int pid : p.node)
        if (!readStat(pid, f)) return false;
    for (int pid : p.server)
        if (!readStat(pid, f)) return false;
    return true;
}

double Latencies::quantile(double fraction) {
    if (values_.empty()) return 0;
    if (!sorted_) std::sort(values_.begin(), values_.end());
    sorted_ = true;
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(values_.size())));
    return values_[std::max<std::size_t>(rank, 1) - 1];
}

double Latencies::max() { return quantile(1.0); }

}  // namespace fleet
