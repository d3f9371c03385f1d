#include "support/echo_service.h"

#include "common/exception.h"
#include "common/win1252.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace fuzzsupport {

namespace {

using records::ReadRule;

constexpr records::FieldDef kFields[] = {
    {"Codoper", ReadRule::Text}, {"Nome", ReadRule::Text}, {"Historicocliente", ReadRule::Integer},
    {"Limite", ReadRule::Real},  {"Acao", ReadRule::Text},
};

class EchoServant : public soap::TInvokableClass {};

soap::Operation operation(std::string name, std::vector<std::string> params, soap::ResultKind result) {
    soap::Operation op;
    op.name = std::move(name);
    op.paramNames = std::move(params);
    op.result = result;
    if (result == soap::ResultKind::RecordArray) op.recordKind = &kEchoRecordKind;
    return op;
}

// Two records, the second with the parameters swapped; texts go to the
// sink in WIN1252, as a database hands them on.
void importEcho(const soap::Params& p, records::RecordSink& records) {
    records.clear();
    for (int swap = 0; swap < 2; ++swap) {
        const std::string& a = p[swap];
        const std::string& b = p[1 - swap];
        records.beginRecord();
        records.text(0, velmora::utf8ToWin1252(a));
        records.text(1, velmora::utf8ToWin1252(b));
        records.integer(2, integerFrom(b));
        records.real(3, realFrom(a));
        records.text(4, "I");
        records.endRecord();
    }
}

}  // namespace

const records::RecordKind kEchoRecordKind{"UClassCadoper", "TRegistroCadoper", "TColCadoper", kFields};

double realFrom(std::string_view text) noexcept {
    unsigned char bytes[sizeof(double)] = {};
    std::memcpy(bytes, text.data(), std::min(text.size(), sizeof bytes));
    double value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

std::int32_t integerFrom(std::string_view text) noexcept {
    unsigned char bytes[sizeof(std::int32_t)] = {};
    std::memcpy(bytes, text.data(), std::min(text.size(), sizeof bytes));
    std::int32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

EchoService::EchoService() {
    soap::InterfaceEntry entry;
    entry.name = "IVelmora";
    entry.unit = "VelmoraIntf";

    soap::Operation importing = operation("ImportaOperadores", {"PCodEmpresa", "PEcf"}, soap::ResultKind::RecordArray);
    importing.invoke = [](soap::TInvokableClass&, const soap::Params& p,
                          records::RecordSink* records) -> soap::CallResult {
        importEcho(p, *records);
        return std::monostate{};
    };
    entry.operations.push_back(std::move(importing));

    soap::Operation stock = operation("BuscaEstoque", {"PCodEmp", "PCodProd", "PGrade"}, soap::ResultKind::Double);
    stock.invoke = [](soap::TInvokableClass&, const soap::Params& p, records::RecordSink*) -> soap::CallResult {
        return realFrom(p[1]);
    };
    entry.operations.push_back(std::move(stock));

    soap::Operation ack = operation("DeletaIntegECF", {"PCodEmpresa", "PEcf", "PTabela"}, soap::ResultKind::None);
    ack.invoke = [](soap::TInvokableClass&, const soap::Params& p, records::RecordSink*) -> soap::CallResult {
        if (!p[2].empty()) throw velmora::Exception(p[2]);
        return std::monostate{};
    };
    entry.operations.push_back(std::move(ack));

    types.addRecordTypes(entry);
    registry.registerInterface(std::move(entry));
    registry.registerInvokableClass({"TVelmora", "IVelmora", [] { return std::make_unique<EchoServant>(); }});
}

}  // namespace fuzzsupport
