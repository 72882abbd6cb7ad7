// Runs the fuzzer's differential check over every file of the kept corpus: the inputs it found
// interesting stay regression cases of the ordinary tests.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "differential.h"

namespace {

TEST(FuzzCorpus, ScannersAgreeWithTheReferenceOnEveryKeptInput) {
    std::filesystem::path folder = TRAVENNIK_FUZZ_CORPUS;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().string());
        check_scanners_agree(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++files;
    }
    EXPECT_GT(files, 0) << "the corpus folder is empty";
}

}  // namespace
