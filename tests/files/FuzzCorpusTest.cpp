#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "FileTestSupport.h"
#include "fuzz/ReaderChecks.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

namespace brindlemar {
namespace {

namespace fs = std::filesystem;

// Every input the fuzzers kept goes through its reader again: refused with
// nothing changed, or accepted and written back byte for byte.
TEST(FuzzCorpus, EveryKeptInputIsRefusedCleanlyOrReadWhole) {
    const char* source = std::getenv("BRINDLEMAR_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const fs::path corpus = fs::path(source) / "fuzz" / "corpus";
    test::TempDir dir;
    test::MessageRecorder quiet;
    const auto reset = test::BuiltInModel(dir.Path().string());

    struct Reader {
        const char* folder;
        fuzz::Outcome (*check)(const Model&, const std::string&, const std::string&);
    };
    const Reader readers[] = {
        {"ProjectFile",
         [](const Model& m, const std::string& p, const std::string& s) { return fuzz::CheckProjectFile(m, p, s, true); }},
        {"DefaultsFile",
         [](const Model& m, const std::string& p, const std::string& s) { return fuzz::CheckDefaultsFile(m, p, s, true); }},
        {"FactorFile",
         [](const Model&, const std::string& p, const std::string& s) { return fuzz::CheckFactorFile(p, s, true); }},
    };
    for (const Reader& reader : readers) {
        int accepted = 0, inputs = 0;
        ASSERT_TRUE(fs::is_directory(corpus / reader.folder)) << reader.folder;
        for (const auto& entry : fs::directory_iterator(corpus / reader.folder)) {
            ++inputs;
            const auto outcome = reader.check(*reset, entry.path().string(), dir.Path().string());
            EXPECT_NE(outcome, fuzz::Outcome::Fault) << entry.path();
            accepted += outcome == fuzz::Outcome::Accepted;
        }
        // the seeds at least are valid files
        EXPECT_GT(accepted, 0) << reader.folder << ": " << inputs << " inputs";
    }
    EXPECT_EQ(quiet.BusyDepth, 0);
}

}  // namespace
}  // namespace brindlemar
