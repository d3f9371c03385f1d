// IVelmora: the service's SOAP interface, thirteen operations in declared
// order, and its entry in the interface registry.
#pragma once

#include "records/record_array.h"

#include <string>

namespace service {

class IVelmora {
public:
    virtual ~IVelmora() = default;

    virtual records::RecordArray ImportaProdutos(const std::string& PCodEmpresa, const std::string& PEcf) = 0;
    virtual records::RecordArray ImportaClientes(const std::string& PCodEmpresa, const std::string& PEcf) = 0;
    virtual records::RecordArray ImportaOperadores(const std::string& PCodEmpresa, const std::string& PEcf) = 0;
    virtual records::RecordArray ImportaUsuarios(const std::string& PCodEmpresa, const std::string& PEcf) = 0;
    virtual records::RecordArray ImportaVendedores(const std::string& PCodEmpresa, const std::string& PEcf) = 0;
    virtual records::RecordArray ImportaTpOperacao(const std::string& PCodEmpresa, const std::string& PEcf) = 0;
    virtual records::RecordArray ImportaFornecedores(const std::string& PCodEmpresa, const std::string& PEcf) = 0;
    virtual records::RecordArray ImportaPedidoC(const std::string& PCodEmpresa, const std::string& PEcf) = 0;
    virtual records::RecordArray ImportaPedidoi(const std::string& PCodEmpresa, const std::string& PEcf) = 0;
    virtual records::RecordArray ImportaDocurec(const std::string& PCodEmpresa, const std::string& PEcf) = 0;
    virtual records::RecordArray ImportaMovirec(const std::string& PCodEmpresa, const std::string& PEcf) = 0;
    virtual double BuscaEstoque(const std::string& PCodEmp, const std::string& PCodProd, const std::string& PGrade) = 0;
    virtual void DeletaIntegECF(const std::string& PCodEmpresa, const std::string& PEcf,
                                const std::string& PTabela) = 0;
};

// Enters IVelmora in the interface registry (namespace urn:VelmoraIntf-IVelmora).
void registerIVelmora();

// Enters IVelmora and its implementation TVelmora; called once at start-up.
void registerVelmora();

}  // namespace service
