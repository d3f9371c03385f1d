// A first import too large for memory goes to a temporary file; when the
// temporary file system is full, the import fails with the file system's
// error, marks nothing, and the next import with room works. The same with
// the answer compressed: the spool holds compressed bytes.
#include "stress/expectations.h"
#include "stress/stress_database.h"

#include <sys/mount.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace stress {
namespace {

// A tmpfs of 1 MB: room for far less than the answer spills beyond memory.
class TinyTemporaryDisk {
public:
    TinyTemporaryDisk() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "velmora-tiny-tmp-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) return;
        path_ = tmpl;
        mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", 0, "size=1m,mode=1777") == 0;
    }
    ~TinyTemporaryDisk() {
        if (mounted_) ::umount(path_.c_str());
        if (!path_.empty()) ::rmdir(path_.c_str());
    }
    bool mounted() const { return mounted_; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    bool mounted_ = false;
};

// `products` queued products fail to import through a full temporary disk,
// then import whole with room; compressed for a client that takes gzip.
void expectAFullDiskToFailAndRoomToWork(const StressDatabase& database, int products, bool compressed) {
    std::vector<std::string> environment;
    if (compressed) environment.push_back("HTTP_ACCEPT_ENCODING=gzip");
    TinyTemporaryDisk tmp;
    if (!tmp.mounted()) GTEST_SKIP() << "mounting a tmpfs needs root (and a system that allows it)";
    CgiProgram full;
    full.writeIni(database.location());
    full.addEnvironment("TMPDIR=" + tmp.path());
    for (const std::string& entry : environment) full.addEnvironment(entry);
    const CgiCall failed = full.importa("ImportaProdutos", "1", "E001", "Codprod");
    ASSERT_TRUE(faultStartingWith(failed, "Error writing the answer's temporary file in " + tmp.path()));
    EXPECT_NE(failed.answer.faultString.find("No space left on device"), std::string::npos)
        << failed.answer.faultString;
    EXPECT_EQ(database.countQueue("atualizou = 'X'"), 0) << "rows marked by an import that failed";

    CgiProgram roomy;
    roomy.writeIni(database.location());
    for (const std::string& entry : environment) roomy.addEnvironment(entry);
    const CgiCall imported = roomy.importa("ImportaProdutos", "1", "E001", "Codprod");
    ASSERT_TRUE(succeeded(imported));
    EXPECT_EQ(imported.head.find("\r\nContent-Encoding: gzip") != std::string::npos, compressed) << imported.head;
    EXPECT_EQ(imported.answer.values.size(), static_cast<std::size_t>(products));
    EXPECT_EQ(database.countQueue("atualizou = 'X'"), products);
}

TEST(ProcessFaults, AFullTemporaryDiskFailsTheImportAndMarksNothing) {
    StressDatabase database;
    // About 6 KB of answer a product: some 12 MB in all, beyond the spool's
    // memory and the disk's room together.
    constexpr int kProducts = 2000;
    database.fill(queueTable("PRODUTO"), "1", "E001", kProducts, "p");
    expectAFullDiskToFailAndRoomToWork(database, kProducts, false);

    // Compressed as they are spooled, the same records fit the spool's
    // memory and never reach the full disk.
    TinyTemporaryDisk tmp;
    CgiProgram gzip;
    gzip.writeIni(database.location());
    gzip.addEnvironment("TMPDIR=" + tmp.path());
    gzip.addEnvironment("HTTP_ACCEPT_ENCODING=gzip");
    const CgiCall imported = gzip.importa("ImportaProdutos", "1", "E001", "Codprod");
    ASSERT_TRUE(succeeded(imported));
    EXPECT_EQ(imported.answer.values.size(), static_cast<std::size_t>(kProducts));
}

TEST(ProcessFaults, AFullTemporaryDiskFailsACompressedImportAndMarksNothing) {
    StressDatabase database;
    // Compressed, the temporary file fills only beyond the spool's memory of
    // compressed bytes: products whose four messages hold random hex, about
    // 600 bytes each once deflated, 6 MB in all.
    constexpr int kProducts = 10000;
    database.fill(queueTable("PRODUTO"), "1", "E001", kProducts, "p");
    std::string random = "uuid_to_char(gen_uuid())";
    for (int i = 0; i < 5; ++i) random += " || uuid_to_char(gen_uuid())";
    database.run("update produto set mensagem00 = " + random + ", mensagem01 = " + random + ", mensagem02 = " + random +
                 ", mensagem03 = " + random);
    expectAFullDiskToFailAndRoomToWork(database, kProducts, true);
}

}  // namespace
}  // namespace stress
