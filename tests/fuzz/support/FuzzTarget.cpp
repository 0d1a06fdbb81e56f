#include "FuzzTarget.h"

#include "engine/foundation/cConfig.h"
#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cXmlDocument.h"
#include "engine/resources/sResourceSource.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace
{
std::vector<sFuzzTarget>& Targets()
{
	static std::vector<sFuzzTarget> targets;
	return targets;
}
}

bool RegisterFuzzTarget(const sFuzzTarget& target)
{
	Targets().push_back(target);
	return true;
}

const std::vector<sFuzzTarget>& FuzzTargets()
{
	return Targets();
}

const std::string& FuzzScratchFolder()
{
	static const std::string folder = [] {
		char pattern[] = "/tmp/zv2_fuzz_XXXXXX";
		std::string made = mkdtemp(pattern);
		static const std::string removed = made;
		atexit([] { std::filesystem::remove_all(removed); });
		return made;
	}();
	return folder;
}

std::string WriteScratchFile(const std::string& name, const void* data, size_t size)
{
	const std::string path = FuzzScratchFolder() + "/" + name;
	std::ofstream(path, std::ios::binary | std::ios::trunc).write(static_cast<const char*>(data), size);
	return path;
}

std::string ReadHostFile(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(in), {});
}

void UseScratchSettingsFolder()
{
	std::string folder = FuzzScratchFolder();
	std::replace(folder.begin(), folder.end(), '/', '\\');
	cConfig::GetInstance()->SetValue("engine_directory", folder);
}

void FillStream(cMemoryStream& stream, const uint8_t* data, size_t size)
{
	stream.Write(data, static_cast<uint32_t>(size));
	stream.Seek(0, cStream::FromStart);
}

sResourceSource MemorySource(const uint8_t* data, size_t size)
{
	auto* stream = new cMemoryStream;
	FillStream(*stream, data, size);
	return sResourceSource(stream, "");
}

std::string StreamBytes(cMemoryStream& stream)
{
	return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

std::string WrittenXml(const std::string& text)
{
	cMemoryStream in;
	in.Write(text.data(), static_cast<uint32_t>(text.size()));
	cXmlDocument document(in);
	cMemoryStream out;
	document.Save(out);
	return StreamBytes(out);
}
