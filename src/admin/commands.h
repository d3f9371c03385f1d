// velmora-admin's commands, one file each: what the operator asks the
// program (version, configuration check, queue backlog) and what each
// writes. main.cpp reads the command line.
#pragma once

#include <iosfwd>
#include <string>

namespace admin {

// The package version, commit, build type and library versions. Exit code 0.
int version(std::ostream& out);

struct CheckOptions {
    std::string ini;                  // the service's INI
    std::string logUser{"www-data"};  // who must be able to write the request log
};

// One line per check, "OK   ..." or "FAIL ... What to do."; 0 when all pass.
int check(const CheckOptions& options, std::ostream& out);

struct QueueOptions {
    std::string ini;
    std::string company, terminal;  // empty: all of them
    bool prometheus = false;        // node_exporter's text format instead of a table
    std::string output;             // replaced atomically; empty: standard output
};

// The backlog per company, terminal and queue table, read without marking
// and without waiting on a lock. 1 when the queue could not be read (in
// Prometheus form velmora_queue_up 0 is written all the same).
int queue(const QueueOptions& options, std::ostream& out, std::ostream& err);

}  // namespace admin
