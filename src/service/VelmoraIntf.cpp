#include "service/VelmoraIntf.h"

#include "records/kinds.h"
#include "soap/invoke_registry.h"

namespace service {
namespace {

using soap::Operation;
using soap::Params;
using soap::ResultKind;
using soap::TInvokableClass;

IVelmora& velmora(TInvokableClass& object) { return dynamic_cast<IVelmora&>(object); }

using Import = records::RecordArray (IVelmora::*)(const std::string&, const std::string&);

Operation importOperation(const char* name, Import method, const records::RecordKind& kind) {
    Operation op;
    op.name = name;
    op.paramNames = {"PCodEmpresa", "PEcf"};
    op.result = ResultKind::RecordArray;
    op.recordKind = &kind;
    op.invoke = [method](TInvokableClass& self, const Params& p) -> soap::CallResult {
        return (velmora(self).*method)(p.at(0), p.at(1));
    };
    return op;
}

}  // namespace

void registerIVelmora() {
    soap::InterfaceEntry entry;
    entry.name = "IVelmora";
    entry.unit = "VelmoraIntf";
    entry.guid = "{4468DFC4-609F-4FB6-AF28-34FA539B5F96}";
    auto& ops = entry.operations;
    ops.push_back(importOperation("ImportaProdutos", &IVelmora::ImportaProdutos, records::TRegistroProduto));
    ops.push_back(importOperation("ImportaClientes", &IVelmora::ImportaClientes, records::TRegistroCliente));
    ops.push_back(importOperation("ImportaOperadores", &IVelmora::ImportaOperadores, records::TRegistroCadoper));
    ops.push_back(importOperation("ImportaUsuarios", &IVelmora::ImportaUsuarios, records::TRegistroCadusua));
    ops.push_back(importOperation("ImportaVendedores", &IVelmora::ImportaVendedores, records::TRegistroVendend));
    ops.push_back(importOperation("ImportaTpOperacao", &IVelmora::ImportaTpOperacao, records::TRegistroCdoperc));
    ops.push_back(importOperation("ImportaFornecedores", &IVelmora::ImportaFornecedores, records::TRegistroFornece));
    ops.push_back(importOperation("ImportaPedidoC", &IVelmora::ImportaPedidoC, records::TRegistroPedidoc));
    ops.push_back(importOperation("ImportaPedidoi", &IVelmora::ImportaPedidoi, records::TRegistroPedidoi));
    ops.push_back(importOperation("ImportaDocurec", &IVelmora::ImportaDocurec, records::TRegistroDocurec));
    ops.push_back(importOperation("ImportaMovirec", &IVelmora::ImportaMovirec, records::TRegistroMovirec));

    Operation estoque;
    estoque.name = "BuscaEstoque";
    estoque.paramNames = {"PCodEmp", "PCodProd", "PGrade"};
    estoque.result = ResultKind::Double;
    estoque.invoke = [](TInvokableClass& self, const Params& p) -> soap::CallResult {
        return velmora(self).BuscaEstoque(p.at(0), p.at(1), p.at(2));
    };
    ops.push_back(std::move(estoque));

    Operation deleta;
    deleta.name = "DeletaIntegECF";
    deleta.paramNames = {"PCodEmpresa", "PEcf", "PTabela"};
    deleta.result = ResultKind::None;
    deleta.invoke = [](TInvokableClass& self, const Params& p) -> soap::CallResult {
        velmora(self).DeletaIntegECF(p.at(0), p.at(1), p.at(2));
        return std::monostate{};
    };
    ops.push_back(std::move(deleta));

    soap::InvRegistry::instance().registerInterface(std::move(entry));
}

}  // namespace service
