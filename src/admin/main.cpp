// velmora-admin: the operator's program beside the service. It reads the
// service's INI and database but never serves a request, and it is a program
// of its own because a CGI program must not act on its arguments.
#include "admin/commands.h"
#include "db/FuncoesIntegECF.h"

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kUsage =
    "usage: velmora-admin version\n"
    "       velmora-admin check [--as USER] [INI]\n"
    "       velmora-admin queue [--company C] [--terminal T] [--format table|prometheus] [--output FILE] [INI]\n"
    "\n"
    "INI defaults to caminhoBDIntegECF.ini beside the program, where the service reads it.\n"
    "check --as: the user the web server runs the service as (default www-data), who must\n"
    "be able to write the request log. queue --output: the file to replace atomically\n"
    "(for node_exporter's textfile collector), instead of standard output.\n";

int usage(std::string_view problem) {
    if (!problem.empty()) std::cerr << "velmora-admin: " << problem << "\n";
    std::cerr << kUsage;
    return 2;
}

// The arguments after the command: options with a value, then at most one INI.
class Arguments {
public:
    Arguments(int argc, char** argv) : words_(argv + 2, argv + argc) {}

    // The value of `--name VALUE`, or empty; false on a malformed line.
    bool take(std::string_view name, std::string& value) {
        for (std::size_t i = 0; i < words_.size(); ++i) {
            if (words_[i] != name) continue;
            if (i + 1 == words_.size()) return false;
            value = words_[i + 1];
            words_.erase(words_.begin() + static_cast<std::ptrdiff_t>(i),
                         words_.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            return true;
        }
        return true;
    }
    // What is left: the INI, or the service's own when nothing is.
    bool ini(std::string& value) const {
        if (words_.size() > 1 || (words_.size() == 1 && words_[0].starts_with("-"))) return false;
        value = words_.empty() ? db::DiretorioAplicacao() + std::string(db::nomeArquivoIni) : words_[0];
        return true;
    }

private:
    std::vector<std::string> words_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage({});
    const std::string_view command = argv[1];
    Arguments arguments(argc, argv);
    if (command == "version" && argc == 2) return admin::version(std::cout);
    if (command == "check") {
        admin::CheckOptions options;
        if (!arguments.take("--as", options.logUser) || !arguments.ini(options.ini))
            return usage("check: bad arguments");
        return admin::check(options, std::cout);
    }
    if (command == "queue") {
        admin::QueueOptions options;
        std::string format = "table";
        if (!arguments.take("--company", options.company) || !arguments.take("--terminal", options.terminal) ||
            !arguments.take("--format", format) || !arguments.take("--output", options.output) ||
            !arguments.ini(options.ini) || (format != "table" && format != "prometheus"))
            return usage("queue: bad arguments");
        options.prometheus = format == "prometheus";
        return admin::queue(options, std::cout, std::cerr);
    }
    if (command == "--help" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    return usage("unknown command " + std::string(command));
}
