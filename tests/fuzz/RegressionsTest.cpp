#include "FuzzChecks.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

struct Target {
    const char* name;
    String (*check)(const String&);
};

const Target kTargets[] = {
    {"dictionary_file", FuzzChecks::CheckDictionaryFile},
    {"window_prefs", FuzzChecks::CheckWindowPrefs},
    {"form_data", FuzzChecks::CheckFormData},
};

String Contents(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return String(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The inputs that once broke a target and the seeds that the fuzz runs start from.
std::vector<std::filesystem::path> CommittedInputs(const String& target) {
    std::vector<std::filesystem::path> inputs;
    for (const char* folder : {"regressions", "corpus"}) {
        std::filesystem::path dir = std::filesystem::path(WORDLOOM_FUZZ_DIR) / folder / target;
        if (!std::filesystem::is_directory(dir))
            continue;
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            inputs.push_back(entry.path());
    }
    return inputs;
}

class FuzzRegressionsTest : public testing::TestWithParam<Target> {};

} // namespace

TEST_P(FuzzRegressionsTest, EveryCommittedInputKeepsTheProperties) {
    std::vector<std::filesystem::path> inputs = CommittedInputs(GetParam().name);
    ASSERT_FALSE(inputs.empty()) << "no inputs for " << GetParam().name << " under " << WORDLOOM_FUZZ_DIR;
    for (const auto& input : inputs)
        EXPECT_EQ(GetParam().check(Contents(input)), "") << input;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzRegressionsTest, testing::ValuesIn(kTargets),
                         [](const testing::TestParamInfo<Target>& info) { return String(info.param.name); });
