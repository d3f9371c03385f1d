// A first import too large for memory goes to a temporary file; when the
// temporary file system is full, the import fails with the file system's
// error, marks nothing, and the next import with room works.
#include "stress/expectations.h"
#include "stress/stress_database.h"

#include <sys/mount.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>

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

TEST(ProcessFaults, AFullTemporaryDiskFailsTheImportAndMarksNothing) {
    TinyTemporaryDisk tmp;
    if (!tmp.mounted()) GTEST_SKIP() << "mounting a tmpfs needs root (and a system that allows it)";
    StressDatabase database;
    // About 6 KB of answer a product: some 12 MB in all, beyond the spool's
    // memory and the disk's room together.
    constexpr int kProducts = 2000;
    database.fill(queueTable("PRODUTO"), "1", "E001", kProducts, "p");

    CgiProgram full;
    full.writeIni(database.location());
    full.addEnvironment("TMPDIR=" + tmp.path());
    const CgiCall failed = full.importa("ImportaProdutos", "1", "E001", "Codprod");
    ASSERT_TRUE(faultStartingWith(failed, "Error writing the answer's temporary file in " + tmp.path()));
    EXPECT_NE(failed.answer.faultString.find("No space left on device"), std::string::npos)
        << failed.answer.faultString;
    EXPECT_EQ(database.countQueue("atualizou = 'X'"), 0) << "rows marked by an import that failed";

    CgiProgram roomy;
    roomy.writeIni(database.location());
    const CgiCall imported = roomy.importa("ImportaProdutos", "1", "E001", "Codprod");
    ASSERT_TRUE(succeeded(imported));
    EXPECT_EQ(imported.answer.values.size(), static_cast<std::size_t>(kProducts));
    EXPECT_EQ(database.countQueue("atualizou = 'X'"), kProducts);
}

}  // namespace
}  // namespace stress
