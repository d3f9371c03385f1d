// TVelmora: the implementation of IVelmora. Every import follows one frame:
// connect, read the pending records and mark their queue rows, all in one
// snapshot transaction so that nothing is marked that was not delivered.
#pragma once

#include "records/record_array.h"
#include "service/VelmoraIntf.h"
#include "soap/invokable.h"

#include <string_view>

namespace service {

class TVelmora : public soap::TInvokableClass, public IVelmora {
public:
    records::RecordArray ImportaProdutos(const std::string& PCodEmpresa, const std::string& PEcf) override;
    records::RecordArray ImportaClientes(const std::string& PCodEmpresa, const std::string& PEcf) override;
    records::RecordArray ImportaOperadores(const std::string& PCodEmpresa, const std::string& PEcf) override;
    records::RecordArray ImportaUsuarios(const std::string& PCodEmpresa, const std::string& PEcf) override;
    records::RecordArray ImportaVendedores(const std::string& PCodEmpresa, const std::string& PEcf) override;
    records::RecordArray ImportaTpOperacao(const std::string& PCodEmpresa, const std::string& PEcf) override;
    records::RecordArray ImportaFornecedores(const std::string& PCodEmpresa, const std::string& PEcf) override;
    records::RecordArray ImportaPedidoC(const std::string& PCodEmpresa, const std::string& PEcf) override;
    records::RecordArray ImportaPedidoi(const std::string& PCodEmpresa, const std::string& PEcf) override;
    records::RecordArray ImportaDocurec(const std::string& PCodEmpresa, const std::string& PEcf) override;
    records::RecordArray ImportaMovirec(const std::string& PCodEmpresa, const std::string& PEcf) override;
    double BuscaEstoque(const std::string& PCodEmp, const std::string& PCodProd, const std::string& PGrade) override;
    void DeletaIntegECF(const std::string& PCodEmpresa, const std::string& PEcf, const std::string& PTabela) override;

    // Marks every queue row of the company, terminal and table as delivered,
    // in the transaction active on Conexao. Not part of IVelmora.
    void MarcaIntegECF(std::string_view PCodEmpresa, std::string_view PEcf, std::string_view table);

private:
    records::RecordArray importa(const records::RecordKind& kind, std::string_view PCodEmpresa, std::string_view PEcf);
};

}  // namespace service
