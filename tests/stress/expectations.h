// What every stress test asks of an answer: a whole CGI response from a
// process that ended normally, and either a SOAP fault or a result.
#pragma once

#include "stress/cgi_program.h"

#include <gtest/gtest.h>

#include <string>

namespace stress {

inline const std::string kConnectFault = "Impossível conectar ao banco de dados pelo seguinte motivo: \r";
inline const std::string kMarkingFault = "Ocorreu um erro ao tentar deletar os dados IntegECG.\rMotivo: ";

inline bool startsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

// The process ended by itself and answered 200 with a SOAP envelope.
inline ::testing::AssertionResult answered(const CgiCall& c) {
    if (!c.run.exited || c.run.exitStatus != 0)
        return ::testing::AssertionFailure() << "the program did not end normally (status " << c.run.exitStatus
                                             << "): " << c.run.output.substr(0, 2000);
    if (!startsWith(c.head, "Status: 200 OK")) return ::testing::AssertionFailure() << "head: " << c.head;
    if (!c.answer.wellFormed)
        return ::testing::AssertionFailure() << "no SOAP envelope: " << c.run.output.substr(0, 2000);
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult faultStartingWith(const CgiCall& c, const std::string& prefix) {
    if (auto a = answered(c); !a) return a;
    if (!c.answer.fault) return ::testing::AssertionFailure() << "no fault: " << c.answer.responseName;
    if (!startsWith(c.answer.faultString, prefix))
        return ::testing::AssertionFailure() << "fault: " << c.answer.faultString;
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult succeeded(const CgiCall& c) {
    if (auto a = answered(c); !a) return a;
    if (c.answer.fault) return ::testing::AssertionFailure() << "fault: " << c.answer.faultString;
    return ::testing::AssertionSuccess();
}

}  // namespace stress
