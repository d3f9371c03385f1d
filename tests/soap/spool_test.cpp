// The spool without a database or a web server: where its bytes are at each
// size (memory, then the file), that they come back in order, and the texts
// of its failures, all without root.
#include "soap/spool.h"

#include "common/exception.h"
#include "common/limits.h"
#include "support/body_text.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <string>

using soap::Spool;
using testsupport::bodyText;
using velmora::limits::kSpoolMemoryBytes;
using velmora::limits::kSpoolWriteBytes;

namespace {

// Bytes that differ from their neighbours, so that a piece read from the
// wrong offset cannot pass for the right one.
std::string pattern(std::size_t size, std::size_t from = 0) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('!' + (from + i) % 89);
    return bytes;
}

std::string spooledText(Spool spool) {
    velmora::Body body;
    body.parts.push_back(spool.release());
    return bodyText(body);
}

// An environment variable set for one scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (old_.empty())
            ::unsetenv(name_);
        else
            ::setenv(name_, old_.c_str(), 1);
    }

private:
    const char* name_;
    std::string old_;
};

std::string failureOf(Spool& spool) {
    try {
        spool.spillIfFull();
    } catch (const velmora::Exception& e) {
        return e.what();
    }
    return "no failure";
}

}  // namespace

TEST(Spool, StaysInMemoryUpToItsLimitThenGoesToTheFileInPiecesInOrder) {
    Spool spool;
    std::string expected = pattern(kSpoolMemoryBytes);
    spool.buffer() = expected;
    spool.spillIfFull();
    EXPECT_EQ(spool.fileDescriptor(), -1) << "spilled at the limit, not beyond it";
    EXPECT_EQ(spool.memory().size(), kSpoolMemoryBytes);

    spool.buffer() += pattern(1, expected.size());
    expected += pattern(1, expected.size());
    spool.spillIfFull();
    ASSERT_GE(spool.fileDescriptor(), 0);
    EXPECT_EQ(spool.fileSize(), kSpoolMemoryBytes + 1);
    EXPECT_TRUE(spool.memory().empty());

    // With the file there, memory holds a piece of kSpoolWriteBytes at most.
    spool.buffer() += pattern(kSpoolWriteBytes, expected.size());
    expected += pattern(kSpoolWriteBytes, expected.size());
    spool.spillIfFull();
    EXPECT_EQ(spool.fileSize(), kSpoolMemoryBytes + 1);
    spool.buffer() += pattern(7, expected.size());
    expected += pattern(7, expected.size());
    spool.spillIfFull();
    EXPECT_EQ(spool.fileSize(), expected.size());
    spool.buffer() += pattern(5, expected.size());
    expected += pattern(5, expected.size());
    EXPECT_EQ(spool.size(), expected.size());

    // A move hands the file on; the spool moved from is empty.
    Spool moved(std::move(spool));
    EXPECT_EQ(spool.size(), 0u);
    EXPECT_EQ(spool.fileDescriptor(), -1);
    EXPECT_EQ(spooledText(std::move(moved)), expected);
}

TEST(Spool, FailuresNameTheFileSystemsError) {
    {
        const ScopedEnvironment tmp("TMPDIR", "/nonexistent/velmora-spool");
        Spool spool(std::string(kSpoolMemoryBytes + 1, 'x'));
        EXPECT_EQ(
            failureOf(spool),
            "Error creating the answer's temporary file in /nonexistent/velmora-spool: No such file or directory");
    }
    {
        // A file size limit fails the write as a full disk would, for any user.
        rlimit old{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = kSpoolMemoryBytes / 2;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        Spool spool(std::string(kSpoolMemoryBytes + 1, 'x'));
        const std::string failure = failureOf(spool);
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_EQ(failure.rfind("Error writing the answer's temporary file in ", 0), 0u) << failure;
        EXPECT_NE(failure.find(": File too large"), std::string::npos) << failure;
    }
}
