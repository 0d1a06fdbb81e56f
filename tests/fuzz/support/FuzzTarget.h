#pragma once
// A fuzz target: one reader of content fed arbitrary bytes, with seed
// inputs made by the project's own writers. Each file in tests/fuzz/
// registers one target with ZV2_FUZZ_TARGET. The fuzzing build links each
// file into a libFuzzer program of its own; the test suite links them all
// and runs every target over its seeds and its saved findings
// (tests/fuzz/regressions/<name>/).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class cMemoryStream;
struct sResourceSource;

struct sFuzzTarget
{
	const char* name;
	// Reads the bytes; must not crash, hang or leak whatever they hold.
	void (*run)(const uint8_t* data, size_t size);
	std::vector<std::string> (*seeds)();
};

bool RegisterFuzzTarget(const sFuzzTarget& target);
const std::vector<sFuzzTarget>& FuzzTargets();

// A folder of the process's own for readers that take files; removed at exit.
const std::string& FuzzScratchFolder();
// Writes the bytes to a file in the scratch folder and returns its host path.
std::string WriteScratchFile(const std::string& name, const void* data, size_t size);
std::string ReadHostFile(const std::string& path);
// Makes the scratch folder the settings folder ("engine_directory"), where
// the profiles live.
void UseScratchSettingsFolder();

// The bytes as the stream's content, positioned at its start.
void FillStream(cMemoryStream& stream, const uint8_t* data, size_t size);
// A resource source holding a copy of the bytes, as a stored pack entry.
sResourceSource MemorySource(const uint8_t* data, size_t size);
// Everything the stream holds.
std::string StreamBytes(cMemoryStream& stream);

// The bytes the project's XML writer makes of the document the text describes.
std::string WrittenXml(const std::string& text);

#define ZV2_FUZZ_TARGET(Name, Run, Seeds) \
	static const bool Name##Registered = RegisterFuzzTarget({#Name, Run, Seeds});
