// The least a FastCGI program answering a stock query can be: one attachment
// opened at start and held, then for every request the body read, the stock
// statement run, a fixed SOAP-sized answer written. The FastCGI benchmark
// serves it next to the service to see what the service adds per request.
#include "dataset.h"
#include "stock_query.h"

#include "db/FuncoesIntegECF.h"

#include <fcgiapp.h>
#include <sys/socket.h>

#include <csignal>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

int main() {
    try {
        const db::ConnectParams params = db::LeParametros(db::DiretorioAplicacao() + std::string(db::nomeArquivoIni));
        bench::Session db(params.database);
        if (FCGX_Init() != 0) throw std::runtime_error("FCGX_Init failed");
        // The database client's SIGTERM handler keeps the process alive; when
        // the web server stops, closing the listening socket ends the loop
        // at the next accept, and the attachment is detached as usual.
        struct sigaction stop {};
        stop.sa_handler = [](int) { ::shutdown(0, SHUT_RDWR); };
        ::sigaction(SIGTERM, &stop, nullptr);
        FCGX_Request request{};
        if (FCGX_InitRequest(&request, 0, 0) != 0) throw std::runtime_error("FCGX_InitRequest failed");
        char buffer[8192];
        while (FCGX_Accept_r(&request) >= 0) {
            // The body is read as the service reads it, then ignored.
            while (FCGX_GetStr(buffer, sizeof buffer, request.in) > 0) {}
            const double stock =
                bench::stockOf(db, bench::dataset::company, bench::dataset::productCode(1), bench::dataset::grade);
            const std::string body =
                "<?xml version=\"1.0\"?><Envelope><stock>" + std::to_string(stock) + "</stock></Envelope>";
            // libfcgi's own printf knows no %zu: the head is put together here.
            const std::string answer =
                "Status: 200 OK\r\nContent-Type: text/xml\r\nContent-Length: " + std::to_string(body.size()) +
                "\r\n\r\n" + body;
            FCGX_PutStr(answer.data(), static_cast<int>(answer.size()), request.out);
            FCGX_Finish_r(&request);
        }
        db.detach();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "trivial_fastcgi: %s\n", e.what());
        return 1;
    }
    return 0;
}
