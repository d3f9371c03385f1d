// The least a CGI program answering a stock query can be: read the body,
// attach to the database named by the INI beside the program, run the stock
// statement, write a fixed SOAP-sized answer and close standard output. The
// web benchmark serves it next to the service to see what the service adds.
#include "dataset.h"
#include "stock_query.h"

#include "db/FuncoesIntegECF.h"

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <string>

int main() {
    // The body is read as the service reads it, then ignored.
    if (const char* length = std::getenv("CONTENT_LENGTH")) {
        long left = std::atol(length);
        char buffer[8192];
        while (left > 0) {
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0) break;
            left -= n;
        }
    }
    std::string body;
    try {
        const db::ConnectParams params = db::LeParametros(db::DiretorioAplicacao() + std::string(db::nomeArquivoIni));
        bench::Session db(params.database);
        const double stock =
            bench::stockOf(db, bench::dataset::company, bench::dataset::productCode(1), bench::dataset::grade);
        body = "<?xml version=\"1.0\"?><Envelope><stock>" + std::to_string(stock) + "</stock></Envelope>";
        std::printf("Status: 200 OK\r\nContent-Type: text/xml\r\nContent-Length: %zu\r\n\r\n%s", body.size(),
                    body.c_str());
        std::fflush(stdout);
        std::fclose(stdout);
        db.detach();
    } catch (const std::exception& e) {
        std::printf("Status: 500 Internal Server Error\r\nContent-Type: text/plain\r\n\r\n%s\n", e.what());
    }
    return 0;
}
