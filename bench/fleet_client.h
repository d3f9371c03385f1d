// The fleet's HTTP side: SOAP calls through libcurl's multi interface, many
// at once from one thread, each call on an exchange of its own (a terminal's
// lane), and what a terminal makes of the answer. A lane opens a connection
// at the start of an activity, keeps it alive through its calls and closes it
// after the last one, as a till that wakes up, syncs and goes quiet again.
#pragma once

#include "stress/soap_messages.h"

#include <curl/curl.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fleet {

using Clock = std::chrono::steady_clock;
using stress::Params;  // a call's parameters, as the stress tests' terminals send them

// CURL and CURLM are both void: a deleter each.
struct EasyFree {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct MultiFree {
    void operator()(CURLM* m) const { curl_multi_cleanup(m); }
};
struct ListFree {
    void operator()(curl_slist* s) const { curl_slist_free_all(s); }
};

// One call in flight, or the last one's answer. An import's keys are
// collected as its answer arrives, so that a whole catalogue (182 MB) never
// sits in memory: what has been read is dropped, its first bytes kept.
struct Exchange {
    explicit Exchange(void* owner);
    void* owner;  // the lane it belongs to
    std::unique_ptr<CURL, EasyFree> easy;
    std::string request;
    std::string_view operation;  // the SOAP operation
    std::string_view keyField;   // an import's: whose values are collected
    std::string head;            // the answer's first bytes, once the rest is being dropped
    std::string answer;          // what has not been read yet
    std::vector<std::string> keys;
    Clock::time_point sent;
    double milliseconds = 0;
    long status = 0;  // HTTP status, 0 without an answer
    CURLcode result = CURLE_OK;
    char error[CURL_ERROR_SIZE] = {};
};

class Client {
public:
    // url: http://HOST:PORT/<program>/soap/IVelmora
    explicit Client(std::string url);
    ~Client();
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    // Sends one SOAP call on the exchange: on a new connection when `fresh`,
    // closing it after the answer when `last`; for an import, `keyField`
    // names the record field whose values its answer delivers.
    void send(Exchange& exchange, std::string_view operation, const Params& params, std::string_view keyField,
              bool fresh, bool last);
    // Waits at most timeoutMs for answers, then hands every finished
    // exchange to `done`.
    void wait(int timeoutMs, const std::function<void(Exchange&)>& done);
    // Ends a wait early; safe from another thread.
    void wakeup();
    int inFlight() const { return inFlight_; }

private:
    std::string url_;
    std::unique_ptr<CURLM, MultiFree> multi_;
    std::vector<std::pair<std::string, std::unique_ptr<curl_slist, ListFree>>> headers_;  // per operation
    int inFlight_ = 0;
};

// What a terminal makes of the answer: empty when it is the operation's
// SOAP answer (and, for an import, every record of its array carries its
// key, now in exchange.keys), else what is wrong with it.
std::string readAnswer(Exchange& exchange);

}  // namespace fleet
