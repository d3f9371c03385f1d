// The fleet's HTTP client and answer reading.
#include "fleet_client.h"

#include <charconv>
#include <stdexcept>

namespace fleet {
namespace {

// No call may wait without a bound; a call this slow fails the run.
constexpr long kCallTimeoutMs = 120000;

std::size_t append(char* data, std::size_t size, std::size_t count, void* exchange) {
    Exchange& x = *static_cast<Exchange*>(exchange);
    if (x.answer.empty()) {
        // A whole catalogue is 182 MB: room for all of it at once, not by doubling.
        curl_off_t length = -1;
        curl_easy_getinfo(x.easy.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
        if (length > 0) x.answer.reserve(static_cast<std::size_t>(length));
    }
    x.answer.append(data, size * count);
    return size * count;
}

void check(CURLcode code) {
    if (code != CURLE_OK) throw std::runtime_error(std::string("libcurl: ") + curl_easy_strerror(code));
}

void check(CURLMcode code) {
    if (code != CURLM_OK) throw std::runtime_error(std::string("libcurl: ") + curl_multi_strerror(code));
}

// The text between `from` and the next `to` after position `at`, or nothing.
std::string_view between(std::string_view text, std::string_view from, std::string_view to, std::size_t at = 0) {
    const std::size_t begin = text.find(from, at);
    if (begin == std::string_view::npos) return {};
    const std::size_t end = text.find(to, begin + from.size());
    if (end == std::string_view::npos) return {};
    return text.substr(begin + from.size(), end - begin - from.size());
}

}  // namespace

Exchange::Exchange(void* lane) : owner(lane), easy(curl_easy_init()) {
    if (!easy) throw std::runtime_error("libcurl: no easy handle");
}

Client::Client(std::string url) : url_(std::move(url)), multi_(curl_multi_init()) {
    if (!multi_) throw std::runtime_error("libcurl: no multi handle");
    // Every connection of every lane stays in the cache until the lane closes it.
    check(curl_multi_setopt(multi_.get(), CURLMOPT_MAXCONNECTS, 100000L));
}

Client::~Client() = default;

void Client::send(Exchange& x, std::string_view operation, const Params& params, bool fresh, bool last) {
    std::size_t h = 0;
    while (h < headers_.size() && headers_[h].first != operation) ++h;
    if (h == headers_.size()) {
        curl_slist* list = curl_slist_append(nullptr, "Content-Type: text/xml; charset=utf-8");
        list = curl_slist_append(list,
                                 ("SOAPAction: \"urn:VelmoraIntf-IVelmora#" + std::string(operation) + "\"").c_str());
        list = curl_slist_append(list, "Expect:");
        headers_.emplace_back(std::string(operation), std::unique_ptr<curl_slist, ListFree>(list));
    }
    x.request = stress::requestEnvelope(operation, params);
    x.answer.clear();
    x.operation = operation;
    x.status = 0;
    x.error[0] = 0;
    CURL* e = x.easy.get();
    check(curl_easy_setopt(e, CURLOPT_URL, url_.c_str()));
    check(curl_easy_setopt(e, CURLOPT_HTTPHEADER, headers_[h].second.get()));
    check(curl_easy_setopt(e, CURLOPT_POSTFIELDS, x.request.data()));
    check(curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE, static_cast<long>(x.request.size())));
    check(curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, append));
    check(curl_easy_setopt(e, CURLOPT_WRITEDATA, &x));
    check(curl_easy_setopt(e, CURLOPT_PRIVATE, &x));
    check(curl_easy_setopt(e, CURLOPT_ERRORBUFFER, x.error));
    check(curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, kCallTimeoutMs));
    check(curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L));
    check(curl_easy_setopt(e, CURLOPT_FRESH_CONNECT, fresh ? 1L : 0L));
    check(curl_easy_setopt(e, CURLOPT_FORBID_REUSE, last ? 1L : 0L));
    x.sent = Clock::now();
    check(curl_multi_add_handle(multi_.get(), e));
    ++inFlight_;
}

void Client::wait(int timeoutMs, const std::function<void(Exchange&)>& done) {
    int running = 0;
    check(curl_multi_poll(multi_.get(), nullptr, 0, timeoutMs, nullptr));
    check(curl_multi_perform(multi_.get(), &running));
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_.get(), &left)) {
        if (message->msg != CURLMSG_DONE) continue;
        CURL* e = message->easy_handle;
        void* owner = nullptr;
        curl_easy_getinfo(e, CURLINFO_PRIVATE, &owner);
        Exchange& x = *static_cast<Exchange*>(owner);
        x.result = message->data.result;
        x.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - x.sent).count();
        curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &x.status);
        check(curl_multi_remove_handle(multi_.get(), e));
        --inFlight_;
        done(x);
    }
}

void Client::wakeup() { curl_multi_wakeup(multi_.get()); }

Reading readAnswer(const Exchange& x, std::string_view keyField) {
    Reading r;
    if (x.result != CURLE_OK) {
        r.problem = std::string("no answer: ") + (x.error[0] ? x.error : curl_easy_strerror(x.result));
        return r;
    }
    const std::string_view body = x.answer;
    if (x.status != 200) {
        r.problem = "HTTP " + std::to_string(x.status) + ": " + std::string(body.substr(0, 200));
        return r;
    }
    if (body.find("<SOAP-ENV:Fault>") != std::string_view::npos) {
        r.problem = "fault: " + std::string(between(body, "<faultstring>", "</faultstring>"));
        return r;
    }
    const std::string response = "<NS1:" + std::string(x.operation) + "Response ";
    if (body.find(response) == std::string_view::npos || body.find("</SOAP-ENV:Envelope>") == std::string_view::npos) {
        r.problem = "not its SOAP answer: " + std::string(body.substr(0, 200));
        return r;
    }
    if (keyField.empty()) return r;

    // The array says how many records follow; each carries its key once.
    const std::string_view size = between(body, "SOAP-ENC:arrayType=\"", "\"");
    std::size_t records = 0;
    const std::size_t open = size.rfind('[');
    if (open == std::string_view::npos ||
        std::from_chars(size.data() + open + 1, size.data() + size.size(), records).ec != std::errc{}) {
        r.problem = "no record array: " + std::string(body.substr(0, 200));
        return r;
    }
    const std::string start = "<" + std::string(keyField) + " ";
    const std::string end = "</" + std::string(keyField) + ">";
    r.keys.reserve(records);
    for (std::size_t at = body.find(start); at != std::string_view::npos; at = body.find(start, at)) {
        const std::size_t value = body.find('>', at) + 1;
        const std::size_t stop = body.find(end, value);
        if (value == 0 || stop == std::string_view::npos) break;
        r.keys.push_back(body.substr(value, stop - value));
        at = stop;
    }
    if (r.keys.size() != records)
        r.problem = "the array holds " + std::to_string(records) + " records, " + std::to_string(r.keys.size()) +
                    " of them with a " + std::string(keyField);
    return r;
}

}  // namespace fleet
