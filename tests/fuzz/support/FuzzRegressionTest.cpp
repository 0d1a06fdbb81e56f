// Every fuzz target over its seeds and over the inputs fuzzing once found
// faults with (tests/fuzz/regressions/<target>/, one file per finding).

#include "FuzzTarget.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

class FuzzRegression : public testing::TestWithParam<sFuzzTarget>
{
};

TEST_P(FuzzRegression, SeedsAndFindingsReadSafely)
{
	const sFuzzTarget& target = GetParam();
	const std::vector<std::string> seeds = target.seeds();
	EXPECT_FALSE(seeds.empty());
	for (const std::string& seed : seeds)
		target.run(reinterpret_cast<const uint8_t*>(seed.data()), seed.size());
	const fs::path findings = fs::path(ZV2_FUZZ_REGRESSIONS) / target.name;
	if (!fs::is_directory(findings))
		return;
	for (const fs::directory_entry& entry : fs::directory_iterator(findings))
	{
		SCOPED_TRACE(entry.path().string());
		const std::string bytes = ReadHostFile(entry.path().string());
		target.run(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
	}
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzRegression, testing::ValuesIn(FuzzTargets()),
	[](const testing::TestParamInfo<sFuzzTarget>& info) { return std::string(info.param.name); });
