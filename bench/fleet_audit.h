// Whether every queue row reached its terminal: the soak's audit made exact
// for a fleet whose terminals each have one till. Every row the writer queues
// counts once for its terminal, table and key; every record an import
// delivers counts it off again, and so does every row still waiting
// unmarked in the queue at the end. Anything left over is a row marked
// without being delivered (or lost otherwise); anything below zero a row
// delivered twice or to the wrong terminal, unless an acknowledgement of an
// import that held it failed: then the row stayed queued and is rightly sent
// again (or the acknowledgement landed after all, and it was not). No drain
// is needed: the rows still pending are read instead.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace fleet {

class Audit {
public:
    // Called by the writer once its transaction committed.
    void queued(std::string_view company, std::string_view ecf, std::string_view table, std::string_view key,
                long count = 1);
    // Called for each record an import's answer holds.
    void delivered(std::string_view company, std::string_view ecf, std::string_view table,
                   const std::vector<std::string>& keys);
    // Called with an import's records when the DeletaIntegECF after it failed.
    void unacknowledged(std::string_view company, std::string_view ecf, std::string_view table,
                        const std::vector<std::string>& keys);
    // Called for each row still unmarked in the queue at the end.
    void pending(std::string_view company, std::string_view ecf, std::string_view table, std::string_view key);

    struct Result {
        long queued = 0, delivered = 0, pending = 0;
        long missing = 0;      // queued rows neither delivered nor pending
        long surplus = 0;      // deliveries beyond what was queued
        long redelivered = 0;  // of those, sent again after a failed acknowledgement: no fault
        std::vector<std::string> examples;
        bool ok() const { return missing == 0 && surplus == 0; }
    };
    Result result() const;

private:
    void add(std::string_view company, std::string_view ecf, std::string_view table, std::string_view key, long n);
    static std::string idOf(std::string_view company, std::string_view ecf, std::string_view table,
                            std::string_view key);

    mutable std::mutex mutex_;
    std::map<std::string, long, std::less<>> balance_;  // "company/ecf/TABLE/key"
    std::map<std::string, long, std::less<>> excused_;  // redeliveries a failed acknowledgement explains
    long queued_ = 0, delivered_ = 0, pending_ = 0;
};

}  // namespace fleet
