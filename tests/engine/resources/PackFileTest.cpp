// Pack files: the bytes the writer produces, reading them back, hostile
// packs and failed writes.

#include "../foundation/ChildProcess.h"
#include "../foundation/TempFolder.h"
#include "PackParser.h"
#include "ResourceTestSupport.h"

#include "engine/foundation/StreamSerialization.h"
#include "engine/resources/cResourceMount.h"
#include "engine/resources/cTextResource.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <zlib.h>

using namespace PackFormat;

namespace
{
cResourceManager* Manager()
{
	return cResourceManager::GetInstance();
}

// A sound class whose resources the writer must store.
class cStoredSound : public cFakeSound
{
public:
	using cFakeSound::cFakeSound;
	bool IsCompressible() override { return false; }
	static cResource* Create(const std::string& name, const sResourceSource& source)
	{
		return new cStoredSound(name, source);
	}
};

void RegisterTypes()
{
	Manager()->RegisterType("sound", cStoredSound::Create);
	Manager()->RegisterExtension("wav", "sound");
	Manager()->RegisterType("texture", cFakeTexture::Create);
	Manager()->RegisterExtension("png", "texture");
	Manager()->RegisterType("font", cFakeFont::Create);
	Manager()->RegisterType("text_resource", cTextResource::Create);
}

std::string Noise(size_t size, unsigned seed)
{
	std::mt19937 random(seed);
	std::string bytes(size, '\0');
	for (char& c : bytes)
		c = static_cast<char>(random());
	return bytes;
}

std::string ZlibRecord(const std::string& bytes)
{
	uLongf size = compressBound(bytes.size());
	std::string packed(size, '\0');
	compress(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size());
	return U32(static_cast<uint32_t>(bytes.size())) + packed.substr(0, size);
}

// A pack assembled field by field, for damaged variants.
struct sPackParts
{
	std::string headerMethod;
	std::string header = List({"", "Zlib"}) + List({"data"}) + List({"a", "b"});
	std::vector<std::array<uint32_t, 5>> entries;
	std::string records;

	std::string Directory() const
	{
		std::string bytes = "RDFZ" + Str(headerMethod) + U32(static_cast<uint32_t>(header.size())) + header +
			U32(static_cast<uint32_t>(entries.size()));
		for (const auto& entry : entries)
			for (uint32_t field : entry)
				bytes += U32(field);
		return bytes;
	}
	// Records start right after the table: offsets may use RecordsAt().
	uint32_t RecordsAt() const { return static_cast<uint32_t>(Directory().size()); }
	std::string Build() const { return Directory() + records; }
};

// Two good entries: "a" stored, "b" packed with Zlib.
sPackParts GoodParts()
{
	sPackParts parts;
	parts.entries = {{0, 5, 0, 0, 0}, {0, 0, 0, 1, 1}};
	std::string packed = ZlibRecord(std::string(1000, 'b'));
	parts.entries[0][0] = parts.RecordsAt();
	parts.entries[1][0] = parts.RecordsAt() + 5;
	parts.entries[1][1] = static_cast<uint32_t>(packed.size());
	parts.records = "aaaaa" + packed;
	return parts;
}

std::string TextResourceBytes()
{
	std::string text;
	for (char c : std::string("Start\ngame"))
		text += std::string{c, '\0'};
	return U32(1) + Str("menu") + U32(1) + Str("main") + U32(1) + Str("start") + U32(10) + text;
}

// The folder of the packing story, with the bytes each resource stores.
std::map<std::string, std::string> MakeDataFolder(const std::string& data)
{
	std::map<std::string, std::string> stored = {{"a", "<a x=\"1\"/>"}, {"b", "RIFF" + Noise(2000, 1)},
		{"c", "\x89PNG" + Noise(3000, 2)}, {"d", "unknown extension"}, {"e", std::string(5000, 'e')},
		{"same texture", "png of the same name"}, {"same sound", "wav of the same name"},
		{"Menu", TextResourceBytes()}, {"Arial", ""}};
	cTempFolder::WriteFile(data + "/a.xml", stored["a"]);
	cTempFolder::WriteFile(data + "/b.wav", stored["b"]);
	cTempFolder::WriteFile(data + "/c.png", stored["c"]);
	cTempFolder::WriteFile(data + "/d.xyz", stored["d"]);
	cTempFolder::WriteFile(data + "/sub/e.bin", stored["e"]);
	cTempFolder::WriteFile(data + "/same.png", stored["same texture"]);
	cTempFolder::WriteFile(data + "/same.wav", stored["same sound"]);
	cTempFolder::WriteFile(data + "/texts.resource",
		"<resources>"
		"<resource name=\"Menu\" type=\"text_resource\"><chapter name=\"menu\"><section name=\"main\">"
		"<phrase name=\"start\" text=\"Start\\ngame\"/></section></chapter></resource>"
		"<resource name=\"Arial\" type=\"font\"/>"
		"</resources>");
	return stored;
}

const std::vector<std::string> StoryListing = {"data e", "xml a", "sound b", "texture c", "data d", "texture same",
	"sound same", "text_resource Menu", "font Arial"};

std::string StoredKey(cResource* resource)
{
	if (resource->GetName() == "same")
		return std::string("same ") + resource->GetTypeName();
	return resource->GetName();
}

std::vector<std::string> Listing(const std::string& path)
{
	std::vector<std::string> listing;
	for (cResource* resource : Manager()->GetMount(path)->GetResources())
		listing.push_back(std::string(resource->GetTypeName()) + " " + resource->GetName());
	return listing;
}

// A stream that takes only its first limit bytes, and can refuse to seek.
class cFullDisk : public cMemoryStream
{
public:
	explicit cFullDisk(uint64_t limit, bool seekFails = false) : m_limit(limit), m_seekFails(seekFails) {}
	uint32_t Write(const void* source, uint32_t count) override
	{
		if (GetPosition() + uint64_t(count) > m_limit)
			return 0;
		return cMemoryStream::Write(source, count);
	}
	uint32_t Seek(int32_t offset, int origin) override
	{
		if (m_seekFails && origin == FromStart)
			return 0xFFFFFFFFu;
		return cMemoryStream::Seek(offset, origin);
	}

private:
	uint64_t m_limit;
	bool m_seekFails;
};

std::string Captured()
{
	return testing::internal::GetCapturedStderr();
}
}

TEST(PackFile, AnEmptyMountWritesTheListsAndNoEntries)
{
	cTempFolder folder;
	std::filesystem::create_directories(folder.Work() + "/data");
	RunInChild([] {
		Manager()->AddSource("data");
		cMemoryStream out;
		ASSERT_TRUE(Manager()->PackSource("data", out, 0));
		std::string bytes(reinterpret_cast<const char*>(out.GetData()), out.GetSize());
		cPackParser pack(bytes);
		EXPECT_EQ(pack.Take(4), "RDFZ");
		EXPECT_EQ(pack.String(), "Zlib");
		std::string header = cPackParser::Unpack(pack.String());
		EXPECT_EQ(header, List({"", "Zlib"}) + List({}) + List({}));
		EXPECT_EQ(pack.U32(), 0u);
		EXPECT_EQ(pack.Position(), bytes.size());
		EXPECT_TRUE(ParsePack(bytes).entries.empty());
	});
}

TEST(PackFile, WritesEveryFieldOfTheFormatAndReadsItBack)
{
	cTempFolder folder;
	const std::map<std::string, std::string> stored = MakeDataFolder(folder.Work() + "/data");
	RunInChild([&] {
		RegisterTypes();
		Manager()->AddSource("data");
		ASSERT_EQ(Listing("data"), StoryListing);
		ASSERT_TRUE(Manager()->PackSourceToFile("data", "packed", 0));
	});

	const std::string bytes = cTempFolder::ReadFile(folder.Work() + "/packed");
	const sParsedPack pack = ParsePack(bytes);
	EXPECT_EQ(pack.headerMethod, "Zlib");
	EXPECT_EQ(pack.methods, (std::vector<std::string>{"", "Zlib"}));
	EXPECT_EQ(pack.types, (std::vector<std::string>{"data", "xml", "sound", "texture", "text_resource", "font"}));
	// "same" is one string shared by a texture and a sound.
	EXPECT_EQ(pack.names, (std::vector<std::string>{"e", "a", "b", "c", "d", "same", "Menu", "Arial"}));
	ASSERT_EQ(pack.entries.size(), StoryListing.size());
	for (size_t i = 0; i < pack.entries.size(); ++i)
	{
		const sParsedEntry& entry = pack.entries[i];
		EXPECT_EQ(entry.type + " " + entry.name, StoryListing[i]);
		// Sounds are not compressible here: stored as they are.
		EXPECT_EQ(entry.method, entry.type == "sound" ? "" : "Zlib");
		const std::string key = entry.name == "same" ? entry.name + " " + entry.type : entry.name;
		EXPECT_EQ(entry.bytes, stored.at(key)) << key;
	}

	// A new run mounts the pack in place of the folder. The child renames:
	// a child that is the test program started again runs the steps above
	// once more, which write the folder.
	RunInChild([&] {
		std::filesystem::rename(folder.Work() + "/data", folder.Work() + "/folder");
		std::filesystem::rename(folder.Work() + "/packed", folder.Work() + "/data");
		RegisterTypes();
		testing::internal::CaptureStderr();
		Manager()->AddSource("data");
		EXPECT_EQ(Captured(), "");
		ASSERT_EQ(Listing("data"), StoryListing);
		for (cResource* resource : Manager()->GetMount("data")->GetResources())
		{
			cMemoryStream read;
			const std::string& expected = stored.at(StoredKey(resource));
			EXPECT_EQ(resource->GetSource().Read(read), !expected.empty());
			EXPECT_EQ(std::string(reinterpret_cast<const char*>(read.GetData()), read.GetSize()), expected);
		}
		auto* texts = static_cast<cTextResource*>(Manager()->GetMount("data")->GetResources()[7]);
		texts->AddRef();
		EXPECT_EQ(texts->GetTable().at("menu").at("main").at("start"), L"Start\ngame");
		texts->Release();

		// Packing the pack again gives the same bytes.
		cMemoryStream again;
		ASSERT_TRUE(Manager()->PackSource("data", again, 0));
		EXPECT_EQ(std::string(reinterpret_cast<const char*>(again.GetData()), again.GetSize()), bytes);
	});
}

TEST(PackFile, DamagedDirectoriesMountNothingWithAnErrorLine)
{
	struct sCase
	{
		const char* what;
		std::string bytes;
	};
	std::vector<sCase> cases;
	auto add = [&](const char* what, const sPackParts& parts) { cases.push_back({what, parts.Build()}); };
	sPackParts parts = GoodParts();
	parts.headerMethod = "Lzma";
	add("header method not registered", parts);
	parts = GoodParts();
	parts.headerMethod = "Zlib";
	parts.header = ZlibRecord(parts.header);
	parts.header[9] ^= 0x55;
	add("header record corrupt", parts);
	parts = GoodParts();
	parts.headerMethod = "Zlib";
	parts.header = U32(0xFFFFFFFFu) + ZlibRecord(parts.header).substr(4);
	add("header record claims 4 GiB", parts);
	parts = GoodParts();
	parts.header = U32(0x40000000u) + parts.header;
	add("header list count past the end", parts);
	cases.push_back({"method name length past the end", "RDFZ" + U32(0x7FFFFFFFu) + "Zlib"});
	cases.push_back({"header size past the end", "RDFZ" + Str("") + U32(0xFFFFFF00u) + "abc"});
	std::string huge = GoodParts().Directory();
	const size_t countAt = huge.size() - 2 * 20 - 4;
	huge.replace(countAt, 4, U32(0xFFFFFFFFu));
	cases.push_back({"entry count past the end", huge});
	huge.replace(countAt, 4, U32(0x0CCCCCCDu)); // times 20 wraps around in 32 bits
	cases.push_back({"entry count that wraps", huge});

	cTempFolder folder;
	for (size_t i = 0; i < cases.size(); ++i)
		cTempFolder::WriteFile(folder.Work() + "/pack" + std::to_string(i), cases[i].bytes);
	RunInChild([&] {
		LimitMemory(256 << 20);
		for (size_t i = 0; i < cases.size(); ++i)
		{
			const std::string path = "pack" + std::to_string(i);
			testing::internal::CaptureStderr();
			Manager()->AddSource(path);
			const std::string log = Captured();
			EXPECT_NE(log.find("Error: pack file " + path), std::string::npos) << cases[i].what << ": " << log;
			EXPECT_TRUE(Listing(path).empty()) << cases[i].what;
		}
	});
}

TEST(PackFile, DamagedEntriesAreSkippedWithAnErrorLine)
{
	struct sCase
	{
		const char* what;
		int field;
		uint32_t value;
	};
	const sCase cases[] = {{"offset past the end", 0, 0xFFFFFF00u}, {"offset plus size wraps", 0, 0xFFFFFFF0u},
		{"size past the end", 1, 0x7FFFFFFFu}, {"type index", 2, 1}, {"name index", 3, 0xFFFFFFFFu},
		{"method index", 4, 2}};
	cTempFolder folder;
	for (size_t i = 0; i < std::size(cases); ++i)
	{
		sPackParts parts = GoodParts();
		parts.entries[0][cases[i].field] = cases[i].value;
		cTempFolder::WriteFile(folder.Work() + "/pack" + std::to_string(i), parts.Build());
	}
	RunInChild([&] {
		LimitMemory(256 << 20);
		for (size_t i = 0; i < std::size(cases); ++i)
		{
			const std::string path = "pack" + std::to_string(i);
			testing::internal::CaptureStderr();
			Manager()->AddSource(path);
			EXPECT_NE(Captured().find("pack file " + path + ": 1 damaged entries skipped, the first is entry 0"),
				std::string::npos)
				<< cases[i].what;
			ASSERT_EQ(Listing(path), std::vector<std::string>{"data b"}) << cases[i].what;
			cResource* good = Manager()->GetMount(path)->GetResources()[0];
			cMemoryStream bytes;
			EXPECT_TRUE(good->GetSource().Read(bytes));
			EXPECT_EQ(bytes.GetSize(), 1000u);
		}
	});
}

TEST(PackFile, TruncatedPacksAndHugeRecordsNeitherCrashNorHang)
{
	const std::string whole = GoodParts().Build();
	sPackParts claims = GoodParts();
	claims.records.replace(5, 4, U32(0xFFFFFFFFu)); // the Zlib record of "b" claims 4 GiB
	cTempFolder folder;
	for (size_t cut = 0; cut < whole.size(); ++cut)
		cTempFolder::WriteFile(folder.Work() + "/cut" + std::to_string(cut), whole.substr(0, cut));
	cTempFolder::WriteFile(folder.Work() + "/claims", claims.Build());
	RunInChild([&] {
		LimitMemory(256 << 20);
		for (size_t cut = 0; cut < whole.size(); ++cut)
		{
			const std::string path = "cut" + std::to_string(cut);
			testing::internal::CaptureStderr();
			Manager()->AddSource(path);
			for (cResource* resource : Manager()->GetMount(path)->GetResources())
			{
				cMemoryStream bytes;
				resource->GetSource().Read(bytes);
			}
			const std::string log = Captured();
			// Shorter than the magic: not a pack, so no line.
			EXPECT_EQ(log.find("Error: pack file " + path) != std::string::npos, cut >= 4) << cut << ": " << log;
			EXPECT_LT(Listing(path).size(), 2u);
		}
		testing::internal::CaptureStderr();
		Manager()->AddSource("claims");
		ASSERT_EQ(Listing("claims").size(), 2u);
		cMemoryStream bytes;
		EXPECT_FALSE(Manager()->GetMount("claims")->GetResources()[1]->GetSource().Read(bytes));
		EXPECT_NE(Captured().find("zlib uncompression failed"), std::string::npos);
	});
}

TEST(PackFile, AFailedWriteIsReportedAndLeavesNoFile)
{
	cTempFolder folder;
	MakeDataFolder(folder.Work() + "/data");
	RunInChild([&] {
		RegisterTypes();
		Manager()->AddSource("data");
		cMemoryStream whole;
		ASSERT_TRUE(Manager()->PackSource("data", whole, 0));
		// Whatever byte the disk fills up at, the writer notices.
		const uint32_t step = whole.GetSize() / 40 + 1;
		for (uint32_t limit = 0; limit < whole.GetSize(); limit += limit < 40 ? 1 : step)
		{
			cFullDisk disk(limit);
			EXPECT_FALSE(Manager()->PackSource("data", disk, 0)) << limit;
		}
		cFullDisk noSeek(whole.GetSize(), true);
		EXPECT_FALSE(Manager()->PackSource("data", noSeek, 0));

		// A file larger than the process may write: an error line, no file.
		signal(SIGXFSZ, SIG_IGN);
		rlimit limit{};
		limit.rlim_cur = limit.rlim_max = whole.GetSize() / 2;
		setrlimit(RLIMIT_FSIZE, &limit);
		testing::internal::CaptureStderr();
		EXPECT_FALSE(Manager()->PackSourceToFile("data", "my_data", 0));
		EXPECT_NE(Captured().find("Error: could not write the pack file my_data of data; it is removed"),
			std::string::npos);
		EXPECT_FALSE(std::filesystem::exists(folder.Work() + "/my_data"));
		// Nothing mounted there: no file either.
		testing::internal::CaptureStderr();
		EXPECT_FALSE(Manager()->PackSourceToFile("localization", "my_localization", 0));
		Captured();
		EXPECT_FALSE(std::filesystem::exists(folder.Work() + "/my_localization"));
	});
}
