// Reading every resource of a 100 MB pack of mixed entries through the
// resource manager, against plain zlib uncompress of the same records from
// memory. Checks that both sides unpack the same bytes, then closes with the
// median times, their ratio and the target (at most 1.05). The pack is
// generated in a temporary folder at start.

#include "engine/foundation/cFileStream.h"
#include "engine/resources/cDataResource.h"
#include "engine/resources/cResourceMount.h"

#include "benchmarks/cSummaryReporter.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>
#include <zlib.h>

namespace fs = std::filesystem;

namespace
{
// A small, fast generator: the content only needs to look varied.
class cNoise
{
public:
	uint32_t Next()
	{
		m_state ^= m_state << 13;
		m_state ^= m_state >> 7;
		m_state ^= m_state << 17;
		return static_cast<uint32_t>(m_state);
	}
	uint32_t Range(uint32_t low, uint32_t high) { return low + Next() % (high - low + 1); }

private:
	uint64_t m_state = 0x9E3779B97F4A7C15ull;
};

// Words from a small vocabulary: compresses about as well as XML and text.
std::string Text(cNoise& noise, size_t size)
{
	static const char* words[] = {"<object ", "name=\"", "door", "chest", "\" visible=\"1\"", "/>\n", "position ",
		"0.25 ", "-12.5 ", "texture=\"wall_", "phrase ", "scenario", "state", "click", "result=\"win\"", "\t"};
	std::string text;
	text.reserve(size + 32);
	while (text.size() < size)
		text += words[noise.Next() % std::size(words)];
	text.resize(size);
	return text;
}

// 16-bit stereo tones with a little noise: compresses somewhat.
std::string Sound(cNoise& noise, size_t size)
{
	std::string pcm(size, '\0');
	const double step = 0.01 + (noise.Next() % 100) * 0.001;
	for (size_t i = 0; i + 1 < size; i += 2)
	{
		int sample = static_cast<int>(8000 * std::sin(step * double(i / 4))) + static_cast<int>(noise.Next() % 64);
		pcm[i] = static_cast<char>(sample);
		pcm[i + 1] = static_cast<char>(sample >> 8);
	}
	return pcm;
}

// Packed image data: does not compress.
std::string Image(cNoise& noise, size_t size)
{
	std::string bytes(size, '\0');
	for (char& c : bytes)
		c = static_cast<char>(noise.Next() >> 11);
	return bytes;
}

struct sKind
{
	const char* extension;
	int count;
	uint32_t smallest;
	uint32_t largest;
	std::string (*make)(cNoise&, size_t);
};

// A pack of about 100 MB: many small entries, some large ones.
const sKind Kinds[] = {{"txt", 300, 1 << 10, 160 << 10, Text}, {"wav", 20, 512 << 10, 1536 << 10, Sound},
	{"png", 135, 128 << 10, 896 << 10, Image}, {"bin", 1000, 1 << 10, 9 << 10, Text},
	{"xyz", 4, 2 << 20, 3 << 20, Text}};

// The generated pack and a copy of its bytes in memory.
class cBenchPack
{
public:
	cBenchPack()
	{
		char pattern[] = "/tmp/zv2_pack_bench_XXXXXX";
		m_root = mkdtemp(pattern);
		const auto start = std::chrono::steady_clock::now();
		cNoise noise;
		uint64_t total = 0;
		for (const sKind& kind : Kinds)
		{
			const std::string folder = m_root + "/data/" + kind.extension;
			fs::create_directories(folder);
			for (int i = 0; i < kind.count; ++i)
			{
				std::string bytes = kind.make(noise, noise.Range(kind.smallest, kind.largest));
				std::ofstream(folder + "/" + std::to_string(i) + "." + kind.extension, std::ios::binary) << bytes;
				total += bytes.size();
			}
		}
		cResourceManager* manager = cResourceManager::GetInstance();
		manager->AddSource(m_root + "/data");
		manager->PackSourceToFile(m_root + "/data", m_root + "/pack", 0);
		manager->AddSource(m_root + "/pack");
		m_mount = manager->GetMount(m_root + "/pack");
		std::ifstream in(m_root + "/pack", std::ios::binary);
		m_bytes.assign(std::istreambuf_iterator<char>(in), {});
		m_unpacked = total;
		const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
		printf("Generated %zu entries, %.1f MB unpacked, %.1f MB packed, in %.1f s\n", m_mount->GetResources().size(),
			total / 1e6, m_bytes.size() / 1e6, seconds);
		ReadTable();
	}

	~cBenchPack() { fs::remove_all(m_root); }

	const std::vector<cResource*>& Resources() const { return m_mount->GetResources(); }
	uint64_t Unpacked() const { return m_unpacked; }

	// Plain zlib over the records in memory, each into its own buffer; the
	// checksum, when asked for, sums the records' CRC-32s.
	uint64_t UncompressAll(uint64_t* checksum = nullptr) const
	{
		uint64_t total = 0;
		for (const auto& [offset, size] : m_records)
		{
			const uint8_t* record = Bytes() + offset;
			uLongf length = U32(record);
			std::unique_ptr<uint8_t[]> out(new uint8_t[length ? length : 1]);
			if (uncompress(out.get(), &length, record + 4, size - 4) == Z_OK)
			{
				total += length;
				if (checksum)
					*checksum += crc32(0, out.get(), uInt(length));
			}
		}
		return total;
	}

private:
	const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(m_bytes.data()); }
	static uint32_t U32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

	// Offset and size of every record, from the entry table.
	void ReadTable()
	{
		size_t position = 4;
		position += 4 + U32(Bytes() + position); // header method name
		position += 4 + U32(Bytes() + position); // header record
		const uint32_t count = U32(Bytes() + position);
		position += 4;
		for (uint32_t i = 0; i < count; ++i, position += 20)
			m_records.emplace_back(U32(Bytes() + position), U32(Bytes() + position + 4));
	}

	std::string m_root;
	cResourceMount* m_mount = nullptr;
	std::string m_bytes;
	std::vector<std::pair<uint32_t, uint32_t>> m_records;
	uint64_t m_unpacked = 0;
};

cBenchPack& Pack()
{
	static cBenchPack pack;
	return pack;
}

void ResourceManagerRead(benchmark::State& state)
{
	const std::vector<cResource*>& resources = Pack().Resources();
	uint64_t read = 0;
	for (auto _ : state)
	{
		read = 0;
		for (cResource* resource : resources)
		{
			resource->AddRef();
			read += static_cast<cDataResource*>(resource)->GetData().GetSize();
			resource->Release();
		}
	}
	if (read != Pack().Unpacked())
		state.SkipWithError("the resources did not read back whole");
	state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * read));
}

void PlainUncompress(benchmark::State& state)
{
	uint64_t read = 0;
	for (auto _ : state)
		read = Pack().UncompressAll();
	if (read != Pack().Unpacked())
		state.SkipWithError("the records did not unpack whole");
	state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * read));
}

BENCHMARK(ResourceManagerRead)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(PlainUncompress)->Unit(benchmark::kMillisecond)->MinTime(2);

// Both sides unpack the same bytes: the sums of the entries' CRC-32s agree.
bool SameBytes()
{
	uint64_t manager = 0;
	for (cResource* resource : Pack().Resources())
	{
		resource->AddRef();
		cMemoryStream& data = static_cast<cDataResource*>(resource)->GetData();
		manager += crc32(0, data.GetData(), data.GetSize());
		resource->Release();
	}
	uint64_t plain = 0;
	Pack().UncompressAll(&plain);
	return manager == plain;
}

}

int main(int argc, char** argv)
{
	Pack();
	if (!SameOutput(SameBytes(), "pack reads"))
		return 1;
	cSummaryReporter reporter;
	if (!RunWithSummary(argc, argv, reporter))
		return 1;
	const double megabytes = double(Pack().Unpacked()) / 1e6;
	printf("\n");
	reporter.PrintTimeRatio("Reading a pack's resources", "ResourceManagerRead", "PlainUncompress", 1.05);
	const double manager = reporter.Median("ResourceManagerRead");
	const double plain = reporter.Median("PlainUncompress");
	if (manager > 0 && plain > 0)
		printf("  %.1f MB unpacked: resource manager %.1f MB/s, plain uncompress %.1f MB/s\n", megabytes,
			megabytes / manager, megabytes / plain);
	benchmark::Shutdown();
	return 0;
}
