// IVelmora's entry in the interface registry: the imports from the table, in
// its order, then BuscaEstoque and DeletaIntegECF.
#include "service/VelmoraIntf.h"

#include "soap/registries.h"

namespace service {
namespace {

using soap::Operation;
using soap::Params;
using soap::ResultKind;
using soap::TInvokableClass;

IVelmora& velmora(TInvokableClass& object) { return dynamic_cast<IVelmora&>(object); }

}  // namespace

void registerIVelmora(soap::InvRegistry& registry, soap::RemTypeRegistry& types) {
    soap::InterfaceEntry entry;
    entry.name = "IVelmora";
    entry.unit = "VelmoraIntf";
    auto& ops = entry.operations;
    for (const ImportOperation& import : kImportOperations) {
        ops.push_back({.name = std::string(import.name),
                       .paramNames = {"PCodEmpresa", "PEcf"},
                       .result = ResultKind::RecordArray,
                       .recordKind = import.kind,
                       .invoke = [&import](TInvokableClass& self, const Params& p,
                                           records::RecordSink* records) -> soap::CallResult {
                           velmora(self).importRecords(import, p.at(0), p.at(1), *records);
                           return std::monostate{};
                       },
                       // The request log's view: company, till and the kind's queue table.
                       .describe =
                           [&import](const Params& p, velmora::CallSummary& call) {
                               call.company = p.at(0);
                               call.terminal = p.at(1);
                               call.table = import.kind->queueTable;
                           }});
    }
    ops.push_back({.name = "BuscaEstoque",
                   .paramNames = {"PCodEmp", "PCodProd", "PGrade"},
                   .result = ResultKind::Double,
                   .invoke = [](TInvokableClass& self, const Params& p, records::RecordSink*) -> soap::CallResult {
                       return velmora(self).BuscaEstoque(p.at(0), p.at(1), p.at(2));
                   },
                   .describe = [](const Params& p, velmora::CallSummary& call) { call.company = p.at(0); }});
    ops.push_back({.name = "DeletaIntegECF",
                   .paramNames = {"PCodEmpresa", "PEcf", "PTabela"},
                   .result = ResultKind::None,
                   .invoke = [](TInvokableClass& self, const Params& p, records::RecordSink*) -> soap::CallResult {
                       velmora(self).DeletaIntegECF(p.at(0), p.at(1), p.at(2));
                       return std::monostate{};
                   },
                   .describe =
                       [](const Params& p, velmora::CallSummary& call) {
                           call.company = p.at(0);
                           call.terminal = p.at(1);
                           call.table = p.at(2);
                       }});
    types.addRecordTypes(entry);
    registry.registerInterface(std::move(entry));
}

}  // namespace service
