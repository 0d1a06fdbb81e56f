// The libFuzzer side of a fuzzing program: exactly one target is linked in.
// Before fuzzing starts, the target's seeds are written into the corpus
// folder (the first argument that is not an option), created when missing.

#include "FuzzTarget.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
	for (int i = 1; i < *argc; ++i)
	{
		const char* argument = (*argv)[i];
		if (argument[0] == '-')
			continue;
		std::filesystem::create_directories(argument);
		const std::vector<std::string> seeds = FuzzTargets().front().seeds();
		for (size_t n = 0; n < seeds.size(); ++n)
		{
			const std::string path = std::string(argument) + "/seed-" + std::to_string(n);
			std::ofstream(path, std::ios::binary | std::ios::trunc) << seeds[n];
		}
		break;
	}
	return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	FuzzTargets().front().run(data, size);
	return 0;
}
