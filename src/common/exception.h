// The error hierarchy of the service. Messages are the service's own texts
// (UTF-8); some pages print the type's name, so every type can say its name.
#pragma once

#include <exception>
#include <optional>
#include <stdexcept>
#include <string>

namespace velmora {

// An ordinary error carrying a message (the root of everything the service
// raises on purpose).
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    virtual const char* typeName() const noexcept { return "Exception"; }
};

// A failure reported by the database client; carries the client's message.
class EDatabaseError : public Exception {
public:
    using Exception::Exception;
    const char* typeName() const noexcept override { return "EDatabaseError"; }
};

// A failure of the SOAP layer that carries a fault code and actor of its own.
class ERemotableException : public Exception {
public:
    ERemotableException(const std::string& message, std::string faultCode = {}, std::string faultActor = {})
        : Exception(message), faultCode_(std::move(faultCode)), faultActor_(std::move(faultActor)) {}
    const char* typeName() const noexcept override { return "ERemotableException"; }
    const std::string& faultCode() const noexcept { return faultCode_; }
    const std::string& faultActor() const noexcept { return faultActor_; }

private:
    std::string faultCode_;
    std::string faultActor_;
};

// What the error pages and fallback answers print of a failure.
struct ExceptionText {
    std::string typeName;  // the service's own types by name, memory exhaustion
                           // as "EOutOfMemory", any other as "Exception"
    std::string message;
};

// Nothing for a failure that is no std::exception.
std::optional<ExceptionText> describe(std::exception_ptr failure);

}  // namespace velmora
