// bench_fleet: a fleet of tills living a compressed day against one node.
// Each terminal syncs every few minutes (the eleven imports, each followed by
// its DeletaIntegECF) on one lane and asks for stock in bursts, one burst per
// sale, on another; a writer thread changes source rows and queues them for
// every till of the company, and now and then queues the whole catalogue for
// a till installed anew. Time runs `compression` times faster than the day,
// so N terminals make the calls of N x compression tills in real time.
//
//   bench_fleet --url URL --database LOCATION --terminals N --compression C
//               --seconds S --warmup W [--catalogue-every S] [--calibrate]
//               [--node PIDS] [--reaper PID] [--server PIDS] [--label TEXT]
//
// Prints a Markdown report, then one line "fleet-result ..." for bench/run.
// Exits 1 when a call failed or the queue audit found a row that did not
// reach its terminal.
#include "fleet.h"
#include "fleet_audit.h"
#include "fleet_client.h"
#include "fleet_measure.h"
#include "fleet_writer.h"

#include "dataset.h"

#include <pthread.h>
#include <time.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <queue>
#include <random>
#include <thread>

namespace fleet {

// A till's day, in simulated time.
constexpr double kPollSeconds = 300;  // the eleven imports every 5 minutes while the shop is open
constexpr double kSaleSeconds = 120;  // a sale every 2 minutes on average: a busy hour at a till
constexpr int kStockPerSale = 10;     // a sale asks the stock of 1 to 10 items
// The business system's changes per company and hour (prices, customers,
// orders, receivables...), each queued for every till of the company.
constexpr double kChangesPerCompanyHour = 60;
constexpr int kCompanies = 10;
constexpr int kBacklogChanges = 12;  // per company, queued overnight before the day starts
constexpr int kSyncCalls = 2 * static_cast<int>(kTables.size());

std::string_view operationName(int op) {
    if (op < kDeleta) return kTables[static_cast<std::size_t>(op)].operation;
    switch (op) {
    case kDeleta: return "DeletaIntegECF";
    case kStock: return "BuscaEstoque";
    case kCatalogue: return "whole catalogue: ImportaProdutos";
    default: return "whole catalogue: DeletaIntegECF";
    }
}

std::vector<Terminal> makeTerminals(int count, int companies) {
    std::vector<Terminal> terminals;
    for (int i = 0; i < count; ++i) {
        char ecf[16];
        std::snprintf(ecf, sizeof ecf, "%04d", i / companies + 1);
        terminals.push_back({std::to_string(i % companies + 1), ecf});
    }
    return terminals;
}

namespace {

struct Options {
    std::string url, database, label = "FastCGI";
    int terminals = 500;
    double compression = 10, seconds = 150, warmup = 10, catalogueEvery = 60;
    bool calibrate = false;
    Processes processes;
};

// A terminal's lane: its sync cycle, or its sales' stock queries.
struct Lane {
    enum class Kind { Sync, Sale };
    Lane(Kind k, int t) : kind(k), terminal(t), exchange(this) {}
    Kind kind;
    int terminal;
    Exchange exchange;
    bool busy = false;
    int step = 0;        // the sync cycle's call, or the stock queries left
    int waiting = 0;     // activities that fell due while it was busy
    bool fresh = false;  // the activity's first call: on a new connection
    int operation = 0;
    std::size_t table = 0;   // the queue table of the sync's call
    bool measured = false;   // sent inside the measured window
    bool catalogue = false;  // this cycle's ImportaProdutos is a whole catalogue
    std::string product;
    std::vector<std::string> imported;  // the last import's keys, until its acknowledgement lands
};

struct Due {
    Clock::time_point at;
    Lane* lane;
    bool operator>(const Due& o) const { return at > o.at; }
};

double since(Clock::time_point from, Clock::time_point to) { return std::chrono::duration<double>(to - from).count(); }
Clock::duration realSeconds(double s) {
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(s));
}

double threadCpu(std::thread& t) {
    clockid_t id;
    timespec ts{};
    if (::pthread_getcpuclockid(t.native_handle(), &id) != 0 || ::clock_gettime(id, &ts) != 0) return 0;
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

class Day {
public:
    explicit Day(const Options& o)
        : options_(o),
          terminals_(makeTerminals(o.terminals, std::min(kCompanies, o.terminals))),
          client_(o.url),
          writer_({o.database, "SYSDBA", "masterkey"}, terminals_, audit_, 20260101),
          random_(20260102) {
        for (int t = 0; t < o.terminals; ++t) {
            lanes_.push_back(std::make_unique<Lane>(Lane::Kind::Sync, t));
            lanes_.push_back(std::make_unique<Lane>(Lane::Kind::Sale, t));
        }
        catalogueQueued_.assign(terminals_.size(), false);
        hadCatalogue_.assign(terminals_.size(), false);
    }

    int run();

private:
    double realPeriod(double simulated) const { return simulated / options_.compression; }
    void writerLoop(Clock::time_point start, Clock::time_point t0, Clock::time_point end);
    void begin(Lane& lane);
    void send(Lane& lane);
    // A call of operation `op` (of queue table `table` for the sync's) for terminal t.
    void call(Lane& lane, int op, const Terminal& t, std::size_t table, bool fresh, bool last);
    void finished(Exchange& exchange);
    void calibrate();
    void report(double window, const CpuSample& cpu, double writerCpu, const Audit::Result& a);
    std::string randomProduct() {
        return bench::dataset::productCode(
            1 + static_cast<long>(random_() % static_cast<unsigned long>(writer_.products())));
    }
    void fail(const std::string& what) {
        ++errors_;
        if (failures_.size() < 8) failures_.push_back(what);
    }

    const Options& options_;
    std::vector<Terminal> terminals_;
    Audit audit_;
    Client client_;
    Writer writer_;
    std::mt19937_64 random_;
    std::vector<std::unique_ptr<Lane>> lanes_;
    std::priority_queue<Due, std::vector<Due>, std::greater<>> due_;
    std::vector<bool> catalogueQueued_;
    std::vector<bool> hadCatalogue_;  // kept out of the calibration
    Clock::time_point t0_, end_;
    bool stopping_ = false;

    std::mutex notesMutex_;
    std::vector<int> catalogueNotes_;  // terminals whose catalogue the writer queued
    std::atomic<bool> writerStop_{false};
    std::string writerFailure_;

    Latencies latencies_[kOperations];
    long rows_[kOperations] = {};
    double nodeMsPerCall_[kOperations] = {}, serverMsPerCall_[kOperations] = {};
    long errors_ = 0, lateCycles_ = 0, waitingSales_ = 0, catalogues_ = 0;
    std::vector<std::string> failures_;
};

void Day::writerLoop(Clock::time_point start, Clock::time_point t0, Clock::time_point end) {
    try {
        // Changes arrive at random (exponential gaps) at the company-wide rate.
        const double rate =
            std::min(kCompanies, options_.terminals) * kChangesPerCompanyHour / 3600 * options_.compression;
        std::mt19937_64 random(20260103);
        std::exponential_distribution<double> gap(rate);
        Clock::time_point next = start, catalogue = t0 + realSeconds(options_.catalogueEvery / 2);
        while (!writerStop_) {
            const Clock::time_point now = Clock::now();
            if (now >= catalogue && catalogue < end) {
                // The terminal learns of it once it is committed.
                const int t = static_cast<int>(random() % terminals_.size());
                writer_.queueCatalogue(terminals_[static_cast<std::size_t>(t)]);
                {
                    std::lock_guard lock(notesMutex_);
                    catalogueNotes_.push_back(t);
                }
                client_.wakeup();
                catalogue += realSeconds(options_.catalogueEvery);
            } else if (now >= next) {
                writer_.change();
                next += realSeconds(gap(random));
            } else {
                // No catalogue after the day's end: the writer then only changes rows.
                std::this_thread::sleep_until(catalogue < end ? std::min(next, catalogue) : next);
            }
        }
    } catch (const std::exception& e) {
        writerFailure_ = std::string("the writer stopped: ") + e.what();
    }
}

void Day::begin(Lane& lane) {
    if (lane.busy) {
        ++lane.waiting;
        (lane.kind == Lane::Kind::Sync ? lateCycles_ : waitingSales_) += 1;
        return;
    }
    lane.busy = true;
    lane.fresh = true;
    if (lane.kind == Lane::Kind::Sync) {
        lane.step = 0;
        lane.catalogue = catalogueQueued_[static_cast<std::size_t>(lane.terminal)];
        catalogueQueued_[static_cast<std::size_t>(lane.terminal)] = false;
    } else {
        lane.step = 1 + static_cast<int>(random_() % kStockPerSale);
    }
    send(lane);
}

void Day::call(Lane& lane, int op, const Terminal& t, std::size_t table, bool fresh, bool last) {
    lane.operation = op;
    lane.table = table;
    const Table& queue = kTables[table];
    if (op == kStock) {
        lane.product = randomProduct();
        client_.send(lane.exchange, "BuscaEstoque",
                     {{"PCodEmp", t.company}, {"PCodProd", lane.product}, {"PGrade", "0"}}, {}, fresh, last);
    } else if (op == kDeleta || op == kCatalogueDeleta) {
        client_.send(lane.exchange, "DeletaIntegECF",
                     {{"PCodEmpresa", t.company}, {"PEcf", t.ecf}, {"PTabela", std::string(queue.queue)}}, {}, fresh,
                     last);
    } else {
        client_.send(lane.exchange, queue.operation, {{"PCodEmpresa", t.company}, {"PEcf", t.ecf}}, queue.keyField,
                     fresh, last);
    }
}

void Day::send(Lane& lane) {
    const Terminal& t = terminals_[static_cast<std::size_t>(lane.terminal)];
    const Clock::time_point now = Clock::now();
    const bool first = lane.fresh;
    lane.fresh = false;
    lane.measured = now >= t0_ && now < end_;
    if (lane.kind == Lane::Kind::Sale) {
        call(lane, kStock, t, 0, first, lane.step == 1);
        return;
    }
    const auto table = static_cast<std::size_t>(lane.step / 2);
    const bool catalogue = lane.catalogue && table == 0;
    const int op =
        lane.step % 2 == 0 ? (catalogue ? kCatalogue : lane.step / 2) : (catalogue ? kCatalogueDeleta : kDeleta);
    call(lane, op, t, table, first, lane.step == kSyncCalls - 1);
}

void Day::finished(Exchange& x) {
    Lane& lane = *static_cast<Lane*>(x.owner);
    const Terminal& t = terminals_[static_cast<std::size_t>(lane.terminal)];
    const std::string problem = readAnswer(x);
    const bool acknowledgement = lane.operation == kDeleta || lane.operation == kCatalogueDeleta;
    if (!problem.empty()) {
        fail(t.company + "/" + t.ecf + " " + std::string(x.operation) + ": " + problem);
        // The rows stay queued and the next import sends them again.
        if (acknowledgement) audit_.unacknowledged(t.company, t.ecf, kTables[lane.table].queue, lane.imported);
    } else if (!x.keyField.empty()) {
        audit_.delivered(t.company, t.ecf, kTables[lane.table].queue, x.keys);
    }
    if (lane.measured) {
        latencies_[lane.operation].add(x.milliseconds);
        rows_[lane.operation] += static_cast<long>(x.keys.size());
        catalogues_ += lane.operation == kCatalogue;
    }
    // An import's keys wait on the lane for its acknowledgement; a whole
    // catalogue's memory goes back at once after it.
    if (acknowledgement) std::vector<std::string>().swap(lane.imported);
    if (!x.keyField.empty()) lane.imported.swap(x.keys);
    if (x.keys.capacity() > 1000) std::vector<std::string>().swap(x.keys);

    const bool more = lane.kind == Lane::Kind::Sync ? ++lane.step < kSyncCalls : --lane.step > 0;
    if (more && !stopping_) {
        send(lane);
        return;
    }
    lane.busy = false;
    if (lane.waiting > 0 && !stopping_) {
        --lane.waiting;
        begin(lane);
    }
}

int Day::run() {
    // The night's changes wait in the queue when the day starts.
    for (int i = 0; i < kBacklogChanges * std::min(kCompanies, options_.terminals); ++i) writer_.change();

    const Clock::time_point start = Clock::now();
    t0_ = start + realSeconds(options_.warmup);
    end_ = t0_ + realSeconds(options_.seconds);
    const double poll = realPeriod(kPollSeconds);
    std::exponential_distribution<double> saleGap(1 / realPeriod(kSaleSeconds));
    std::uniform_real_distribution<double> phase(0, poll);
    for (auto& lane : lanes_)
        due_.push(
            {start + realSeconds(lane->kind == Lane::Kind::Sync ? phase(random_) : saleGap(random_)), lane.get()});

    std::thread writer([&] { writerLoop(start, t0_, end_); });
    // Stopped and joined on every way out, a failure of the loop included.
    struct Join {
        std::atomic<bool>& stop;
        std::thread& thread;
        ~Join() {
            stop = true;
            if (thread.joinable()) thread.join();
        }
    } join{writerStop_, writer};
    CpuSample before{};
    double writerBefore = 0;
    bool measuring = false;
    for (;;) {
        const Clock::time_point now = Clock::now();
        if (!measuring && now >= t0_) {
            before = sampleCpu(options_.processes);
            writerBefore = threadCpu(writer);
            measuring = true;
        }
        if (now >= end_ && !stopping_) stopping_ = true;
        while (!stopping_ && !due_.empty() && due_.top().at <= now) {
            Due d = due_.top();
            due_.pop();
            begin(*d.lane);
            d.at += realSeconds(d.lane->kind == Lane::Kind::Sync ? poll : saleGap(random_));
            due_.push(d);
        }
        std::vector<int> notes;
        {
            std::lock_guard lock(notesMutex_);
            notes.swap(catalogueNotes_);
        }
        for (int t : notes) {
            // A till installed anew syncs at once; its first import is the catalogue.
            catalogueQueued_[static_cast<std::size_t>(t)] = true;
            hadCatalogue_[static_cast<std::size_t>(t)] = true;
            Lane& sync = *lanes_[static_cast<std::size_t>(2 * t)];
            if (sync.busy)
                ++sync.waiting;
            else if (!stopping_)
                begin(sync);
        }
        if (stopping_ && client_.inFlight() == 0) break;
        int wait = 100;
        if (!stopping_ && !due_.empty())
            wait = static_cast<int>(std::clamp<long>(
                std::chrono::duration_cast<std::chrono::milliseconds>(due_.top().at - now).count(), 0, 100));
        client_.wait(wait, [this](Exchange& x) { finished(x); });
    }
    const CpuSample after = sampleCpu(options_.processes);
    const double writerCpu = threadCpu(writer) - writerBefore;
    const double window = since(t0_, Clock::now());
    writerStop_ = true;
    writer.join();
    if (!writerFailure_.empty()) fail(writerFailure_);
    if (!alive(options_.processes))
        fail("a process of the node or the server ended during the run: its CPU is missing");

    writer_.readPending();
    const Audit::Result audit = audit_.result();  // before the calibration queues a catalogue
    if (options_.calibrate && errors_ == 0) calibrate();
    CpuSample used;
    used.node = after.node - before.node;
    used.server = after.server - before.server;
    used.self = after.self - before.self;
    used.machineBusy = after.machineBusy - before.machineBusy;
    used.machineAll = after.machineAll - before.machineAll;
    report(window, used, writerCpu, audit);
    return errors_ == 0 && audit.ok() ? 0 : 1;
}

// Each operation alone after the day, two calls at a time (one per FastCGI
// process) for a second: the node's and the server's CPU per call, which the
// day's mixture cannot tell apart.
void Day::calibrate() {
    // Terminals with a whole catalogue pending would make a small import a large one.
    std::vector<const Terminal*> quiet;
    for (std::size_t t = 0; t < terminals_.size(); ++t)
        if (!hadCatalogue_[t]) quiet.push_back(&terminals_[t]);
    if (quiet.empty()) return;
    const Terminal& installed = *quiet.front();
    Lane a(Lane::Kind::Sync, 0), b(Lane::Kind::Sync, 1);
    const auto measure = [&](int op, int atLeast, Clock::duration during) {
        const CpuSample before = sampleCpu(options_.processes);
        const Clock::time_point until = Clock::now() + during;
        long calls = 0;
        const auto next = [&](Lane& lane) {
            const Terminal& t = *quiet[random_() % quiet.size()];
            const std::size_t table = op < kDeleta       ? static_cast<std::size_t>(op)
                                      : op >= kCatalogue ? 0
                                                         : random_() % kTables.size();
            const Terminal& u = op >= kCatalogue ? installed : t;
            call(lane, op, u, table, false, false);
        };
        const bool single = op >= kCatalogue;
        next(a);
        if (!single) next(b);
        while (client_.inFlight() > 0)
            client_.wait(100, [&](Exchange& x) {
                const std::string problem = readAnswer(x);
                if (!problem.empty()) fail("calibration, " + std::string(x.operation) + ": " + problem);
                if (++calls < atLeast || Clock::now() < until) next(*static_cast<Lane*>(x.owner));
            });
        const CpuSample after = sampleCpu(options_.processes);
        nodeMsPerCall_[op] = (after.node - before.node).total() * 1000 / static_cast<double>(calls);
        serverMsPerCall_[op] = (after.server - before.server).total() * 1000 / static_cast<double>(calls);
    };
    for (int op = 0; op <= kStock; ++op) measure(op, 20, std::chrono::seconds(1));
    writer_.queueCatalogue(installed);
    measure(kCatalogue, 1, {});
    measure(kCatalogueDeleta, 1, {});
}

std::string number(double v, int decimals = 1) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

void Day::report(double window, const CpuSample& cpu, double writerCpu, const Audit::Result& a) {
    const double tills = options_.terminals * options_.compression;
    const double changes =
        std::min(kCompanies, options_.terminals) * kChangesPerCompanyHour / 3600 * options_.compression;
    std::printf("\n### Fleet: %d terminals at %gx, %s, Firebird server (%s)\n\n", options_.terminals,
                options_.compression, options_.label.c_str(), options_.url.c_str());
    std::printf(
        "The calls of %.0f tills in real time. Each terminal, in simulated time: the eleven imports, each followed by "
        "its DeletaIntegECF, every %.0f min; a sale every %.0f min on average (exponential gaps), each asking the "
        "stock of 1 to %d items. The writer: %.0f changes per company and hour, each queued for every till of the "
        "company (%d companies): %.2f changes and %.1f queue rows a second of the run. A till installed anew (the "
        "whole catalogue of %ld products queued for it, then its sync) every %.0f s of the run. Measured: %.0f s after "
        "%.0f s of warm-up.\n\n",
        tills, kPollSeconds / 60, kSaleSeconds / 60, kStockPerSale, kChangesPerCompanyHour,
        std::min(kCompanies, options_.terminals), changes,
        changes * options_.terminals / std::min(kCompanies, options_.terminals), writer_.products(),
        options_.catalogueEvery, window, options_.warmup);

    const bool calibrated = options_.calibrate && errors_ == 0;
    std::printf(
        "| operation | calls | calls/s | p50 ms | p99 ms | max ms | rows delivered | node CPU ms/call | Firebird "
        "server CPU ms/call |\n|---|---|---|---|---|---|---|---|---|\n");
    Latencies small;
    long smallRows = 0;
    const auto row = [&](const std::string& name, Latencies& l, long rows, int op) {
        std::printf("| %s | %zu | %s | %s | %s | %s | %ld | %s | %s |\n", name.c_str(), l.count(),
                    number(static_cast<double>(l.count()) / window).c_str(), number(l.quantile(0.5)).c_str(),
                    number(l.quantile(0.99)).c_str(), number(l.max()).c_str(), rows,
                    calibrated && op >= 0 ? number(nodeMsPerCall_[op], 2).c_str() : "",
                    calibrated && op >= 0 ? number(serverMsPerCall_[op], 2).c_str() : "");
    };
    for (int op = 0; op < kCatalogue; ++op) {
        row(std::string(operationName(op)), latencies_[op], rows_[op], op);
        small.merge(latencies_[op]);
        smallRows += rows_[op];
    }
    row("**small calls**", small, smallRows, -1);
    for (int op = kCatalogue; op < kOperations; ++op)
        row(std::string(operationName(op)), latencies_[op], rows_[op], op);

    const double smallCalls = static_cast<double>(small.count());
    const Cpu client = cpu.self - Cpu{writerCpu, 0};
    std::printf(
        "\n| CPU in the measured %.0f s | user s | sys s | %% of one core | ms per small call |\n"
        "|---|---|---|---|---|\n",
        window);
    const auto cpuRow = [&](const char* name, const Cpu& c) {
        std::printf("| %s | %s | %s | %s | %s |\n", name, number(c.user).c_str(), number(c.system).c_str(),
                    number(c.total() * 100 / window, 0).c_str(), number(c.total() * 1000 / smallCalls, 2).c_str());
    };
    cpuRow(
        options_.label == "CGI" ? "node: lighttpd and the CGI processes" : "node: lighttpd and the FastCGI processes",
        cpu.node);
    cpuRow("Firebird server", cpu.server);
    cpuRow("load generator (HTTP, answers, audit)", client);
    std::printf("| writer (its thread, user and sys together) | %s | | %s | %s |\n", number(writerCpu).c_str(),
                number(writerCpu * 100 / window, 0).c_str(), number(writerCpu * 1000 / smallCalls, 2).c_str());
    std::printf("| the whole machine, every process | %s | | %s of %.0f | |\n", number(cpu.machineBusy).c_str(),
                number(cpu.machineBusy * 100 / window, 0).c_str(), cpu.machineAll * 100 / window);

    std::printf(
        "\nQueue audit: %ld rows queued (%ld changes, whole catalogues imported in the window: %d), %ld delivered, "
        "%ld still waiting "
        "unmarked at the end; %ld queued rows neither delivered nor waiting, %ld deliveries beyond the queue "
        "(%ld more sent again after an acknowledgement that failed): %s.\n",
        a.queued, writer_.changes(), static_cast<int>(catalogues_), a.delivered, a.pending, a.missing, a.surplus,
        a.redelivered, a.ok() ? "every row reached its terminal once" : "FAILED");
    for (const std::string& e : a.examples) std::printf("- %s\n", e.c_str());
    std::printf(
        "Sync cycles that fell due while the previous one still ran: %ld; sales that waited for the one "
        "before: %ld.\n",
        lateCycles_, waitingSales_);
    if (errors_ > 0) {
        std::printf("\n**%ld calls failed**, the first:\n", errors_);
        for (const std::string& f : failures_) std::printf("- %s\n", f.c_str());
    }
    std::printf(
        "\nfleet-result terminals=%d compression=%g tills=%.0f small-calls=%zu small-p99-ms=%s errors=%ld audit=%s\n",
        options_.terminals, options_.compression, tills, small.count(), number(small.quantile(0.99)).c_str(), errors_,
        a.ok() ? "ok" : "failed");
    std::fflush(stdout);
}

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--calibrate") {
            o.calibrate = true;
            continue;
        }
        if (i + 1 >= argc) throw std::runtime_error("missing value of " + name);
        const std::string value = argv[++i];
        if (name == "--url")
            o.url = value;
        else if (name == "--database")
            o.database = value;
        else if (name == "--label")
            o.label = value;
        else if (name == "--terminals")
            o.terminals = std::stoi(value);
        else if (name == "--compression")
            o.compression = std::stod(value);
        else if (name == "--seconds")
            o.seconds = std::stod(value);
        else if (name == "--warmup")
            o.warmup = std::stod(value);
        else if (name == "--catalogue-every")
            o.catalogueEvery = std::stod(value);
        else if (name == "--node")
            o.processes.node = Processes::parse(value);
        else if (name == "--reaper")
            o.processes.reaper = std::stoi(value);
        else if (name == "--server")
            o.processes.server = Processes::parse(value);
        else
            throw std::runtime_error("unknown option " + name);
    }
    if (o.url.empty() || o.database.empty() || o.terminals < 1 || o.compression <= 0 || o.seconds <= 0)
        throw std::runtime_error("--url, --database and a positive --terminals, --compression, --seconds are needed");
    return o;
}

}  // namespace
}  // namespace fleet

int main(int argc, char** argv) {
    try {
        const fleet::Options options = fleet::parse(argc, argv);
        curl_global_init(CURL_GLOBAL_DEFAULT);
        fleet::Day day(options);
        const int status = day.run();
        curl_global_cleanup();
        return status;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_fleet: %s\n", e.what());
        return 2;
    }
}
