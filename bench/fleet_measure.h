// What the fleet report measures besides the answers: the CPU of the node's
// processes (lighttpd, the service's FastCGI processes or its reaped CGI
// processes), of the Firebird server and of the whole machine, read from
// /proc; and the latencies of each operation.
#pragma once

#include <string>
#include <vector>

namespace fleet {

// CPU seconds, user and system apart.
struct Cpu {
    double user = 0, system = 0;
    double total() const { return user + system; }
    Cpu operator-(const Cpu& o) const { return {user - o.user, system - o.system}; }
    Cpu operator+(const Cpu& o) const { return {user + o.user, system + o.system}; }
};

// The processes whose CPU a report counts.
struct Processes {
    std::vector<int> node;    // lighttpd and the FastCGI processes: their own time
    int reaper = 0;           // lighttpd under CGI: the time of the children it reaped
    std::vector<int> server;  // the Firebird server
    // "1,2,3" into pids; empty gives none.
    static std::vector<int> parse(const std::string& list);
};

struct CpuSample {
    Cpu node, server, self;
    double machineBusy = 0, machineAll = 0;  // every CPU of the machine, seconds
    double writer = 0;                       // the writer thread, seconds
};

CpuSample sampleCpu(const Processes& processes);
// False when one of the processes has ended (its time is lost).
bool alive(const Processes& processes);

// Milliseconds of one operation's calls.
class Latencies {
public:
    void add(double ms) {
        values_.push_back(static_cast<float>(ms));
        sorted_ = false;
    }
    void merge(const Latencies& other) {
        values_.insert(values_.end(), other.values_.begin(), other.values_.end());
        sorted_ = false;
    }
    std::size_t count() const { return values_.size(); }
    // The smallest value that `fraction` of the calls do not exceed; 0 without calls.
    double quantile(double fraction);
    double max();

private:
    std::vector<float> values_;
    bool sorted_ = false;
};

}  // namespace fleet
