// Fonts: the XML description, the binary form of pack files (with damaged
// and hostile forms), the texture reference, and fonts found by name
// through resource lists and pack files. Every test that touches the
// resource indexes runs in a child process.

#include "../foundation/ChildProcess.h"
#include "../foundation/TempFolder.h"
#include "../resources/ResourceTestSupport.h"

#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cXmlDocument.h"
#include "engine/graphics/cFontResource.h"
#include "engine/graphics/cTextureResource.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
// A texture resource that holds no device texture.
class cStubTexture : public cTextureResource
{
public:
	using cTextureResource::cTextureResource;
	static cResource* Create(const std::string& name, const sResourceSource& source)
	{
		return new cStubTexture(name, source);
	}
	bool Load() override { return true; }
	bool Unload() override { return true; }
	cTexture* GetTexture() override { return nullptr; }
	const char* GetTypeName() override { return "texture"; }
};

const char* const kFontXml = R"(<resource name="arial" type="font" space="5" scale="1.5" upper="true">
	<texture name="atlas"/>
	<symbol char="65" rect="9 9 9 9"/>
	<symbol char="65" rect="1 2 11 18" left="0.5" right="-1"/>
	<other char="66" rect="0 0 50 50"/>
	<symbol char="300" rect="0 0 4 30"/>
	<symbol char="66" rect="3 4"/>
</resource>)";

void ParseInto(cFontResource& font, const std::string& xml)
{
	cMemoryStream text;
	text.Write(xml.data(), static_cast<uint32_t>(xml.size()));
	text.Seek(0, cStream::FromStart);
	cXmlDocument document;
	ASSERT_TRUE(document.Load(text));
	font.ReadDescription(document.GetRoot());
}

std::string BinaryForm(const sFontData& data)
{
	cMemoryStream out;
	data.Write(out);
	return std::string(reinterpret_cast<const char*>(out.GetData()), out.GetSize());
}

// A font whose source holds the bytes, as a font read from a pack file.
cFontResource* FontFromBytes(const std::string& bytes)
{
	cMemoryStream* stream = new cMemoryStream;
	stream->Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
	return new cFontResource("packed", sResourceSource(stream, ""));
}

void ExpectSameGlyph(const sGlyph& expected, const sGlyph& actual)
{
	EXPECT_EQ(0, memcmp(&expected, &actual, sizeof(sGlyph)));
}

TEST(FontDescription, DefaultsWithoutAttributesOrSymbols)
{
	cFontResource font("plain", sResourceSource());
	ParseInto(font, R"(<resource name="plain" type="font"><texture name="atlas"/></resource>)");
	const sFontData& data = font.GetData();
	EXPECT_EQ(3, data.spaceWidth);
	EXPECT_FLOAT_EQ(1.0f, data.scale);
	EXPECT_FALSE(data.upper);
	EXPECT_EQ(256u, data.glyphs.size());
	EXPECT_EQ(0, data.lineHeight);
	EXPECT_EQ("atlas", data.textureName);
}

TEST(FontDescription, ReadsAttributesAndSymbols)
{
	cFontResource font("arial", sResourceSource());
	ParseInto(font, kFontXml);
	const sFontData& data = font.GetData();
	EXPECT_EQ(5, data.spaceWidth);
	EXPECT_FLOAT_EQ(1.5f, data.scale);
	EXPECT_TRUE(data.upper);
	EXPECT_EQ("atlas", data.textureName);
	ASSERT_EQ(301u, data.glyphs.size());
	ExpectSameGlyph(sGlyph{1, 2, 11, 18, 0.5f, -1.0f}, data.glyphs[65]);
	ExpectSameGlyph(sGlyph{3, 4, 0, 0, 0.0f, 0.0f}, data.glyphs[66]);
	ExpectSameGlyph(sGlyph{0, 0, 4, 30, 0.0f, 0.0f}, data.glyphs[300]);
	for (int code = 256; code < 300; ++code)
		ExpectSameGlyph(sGlyph(), data.glyphs[code]);
	EXPECT_EQ(30, data.lineHeight);
}

TEST(FontDescription, SkipsSymbolsOutsideUtf16OrIncomplete)
{
	cFontResource font("odd", sResourceSource());
	testing::internal::CaptureStderr();
	ParseInto(font, R"(<resource name="odd" type="font">
		<texture/>
		<symbol char="100000000" rect="0 0 1 1"/>
		<symbol char="-1" rect="0 0 1 1"/>
		<symbol char="65536" rect="0 0 1 1"/>
		<symbol char="x" rect="0 0 1 1"/>
		<symbol rect="0 0 1 1"/>
		<symbol char="70"/>
		<symbol char="65535" rect="0 0 1 7"/>
	</resource>)");
	std::string log = testing::internal::GetCapturedStderr();
	const sFontData& data = font.GetData();
	ASSERT_EQ(65536u, data.glyphs.size()) << "the largest UTF-16 code is kept";
	EXPECT_EQ(7, data.lineHeight);
	EXPECT_EQ("", data.textureName);
	ExpectSameGlyph(sGlyph(), data.glyphs[70]);
	size_t warnings = 0;
	for (size_t at = log.find("Warning: "); at != std::string::npos; at = log.find("Warning: ", at + 1))
		++warnings;
	EXPECT_EQ(7u, warnings) << log;
}

TEST(FontBinary, LayoutOfTheFields)
{
	sFontData data;
	data.textureName = "ab";
	data.glyphs = {sGlyph{1, 2, 3, 4, 0.5f, -2.0f}};
	data.lineHeight = 17;
	data.spaceWidth = -3;
	data.scale = 2.0f;
	data.upper = true;
	const unsigned char expected[] = {2, 0, 0, 0, 'a', 'b', 17, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0,
		4, 0, 0, 0, 0, 0, 0, 0x3F, 0, 0, 0, 0xC0, 0xFD, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0x40, 1};
	EXPECT_EQ(std::string(reinterpret_cast<const char*>(expected), sizeof(expected)), BinaryForm(data));
}

TEST(FontBinary, SaveThenLoadRestoresGlyphsMetricsAndTheTexture)
{
	RunInChild([] {
		cStubTexture atlas("atlas", sResourceSource());
		atlas.AddToIndex();
		cFontResource described("arial", sResourceSource());
		ParseInto(described, kFontXml);
		cMemoryStream saved;
		described.Save(saved);

		cFontResource* packed = FontFromBytes(std::string(reinterpret_cast<const char*>(saved.GetData()), saved.GetSize()));
		EXPECT_EQ(1, packed->AddRef());
		EXPECT_EQ(BinaryForm(described.GetData()), BinaryForm(packed->GetData()));
		EXPECT_EQ(&atlas, packed->GetTextureResource());
		EXPECT_EQ(1, atlas.GetLoadCount());
		EXPECT_EQ(0, packed->Release());
		EXPECT_EQ(nullptr, packed->GetTextureResource());
		EXPECT_EQ(0, atlas.GetLoadCount());
		EXPECT_EQ(301u, packed->GetData().glyphs.size()) << "the glyphs stay while unloaded";
		delete packed;
	});
}

TEST(FontBinary, DamagedFormsFailAndKeepTheValues)
{
	RunInChild([] {
		LimitMemory(64 << 20);
		sFontData original;
		original.textureName = "atlas";
		original.glyphs.assign(3, sGlyph{1, 2, 3, 4, 5.0f, 6.0f});
		const std::string valid = BinaryForm(original);

		std::vector<std::string> damaged;
		for (size_t size = 1; size < valid.size(); ++size)
			damaged.push_back(valid.substr(0, size));
		auto withU32 = [&](size_t offset, uint32_t value) {
			std::string bytes = valid;
			memcpy(&bytes[offset], &value, 4);
			return bytes;
		};
		const size_t countOffset = 4 + original.textureName.size() + 4;
		damaged.push_back(withU32(0, 0xFFFFFFFFu));
		damaged.push_back(withU32(0, 0x7FFFFFFFu));
		damaged.push_back(withU32(countOffset, 0xFFFFFFFFu));
		// 24 times this count wraps to 8 in 32 bits.
		damaged.push_back(withU32(countOffset, 0x0AAAAAABu));
		damaged.push_back(withU32(countOffset, 4));

		for (const std::string& bytes : damaged)
		{
			cFontResource* font = FontFromBytes(bytes);
			ParseInto(*font, R"(<resource name="kept" type="font" space="9"><texture name="kept"/>
				<symbol char="65" rect="1 1 2 2"/></resource>)");
			const std::string before = BinaryForm(font->GetData());
			testing::internal::CaptureStderr();
			EXPECT_FALSE(font->Load()) << bytes.size();
			std::string log = testing::internal::GetCapturedStderr();
			EXPECT_NE(std::string::npos, log.find("Error: Font packed: damaged binary form")) << log;
			EXPECT_EQ(before, BinaryForm(font->GetData()));
			EXPECT_EQ(nullptr, font->GetTextureResource());
			delete font;
		}
	});
}

TEST(FontLoad, NeedsATextureNameAndLogsAMissingTexture)
{
	RunInChild([] {
		cFontResource bare("bare", sResourceSource());
		EXPECT_FALSE(bare.Load()) << "no description, no bytes: no texture name";

		cFontResource font("lost", sResourceSource());
		ParseInto(font, R"(<resource name="lost" type="font"><texture name="nowhere"/></resource>)");
		testing::internal::CaptureStderr();
		EXPECT_TRUE(font.Load());
		EXPECT_EQ("itexture[nowhere] not found\n", testing::internal::GetCapturedStderr());
		EXPECT_EQ(nullptr, font.GetTextureResource());
		sFontFace face = font.GetFace();
		EXPECT_FLOAT_EQ(0.0f, face.textureWidth);
		EXPECT_EQ(&font.GetData().glyphs, face.glyphs);
	});
}

TEST(FontLookup, FromAResourceListAndFromItsPackFile)
{
	cTempFolder folder;
	cTempFolder::WriteFile(folder.Work() + "/data/fonts/fonts.resource", std::string("<resources>") + kFontXml + "</resources>");
	cTempFolder::WriteFile(folder.Work() + "/data/atlas.png", "not read by the stub");
	RunInChild([] {
		cResourceManager* manager = cResourceManager::GetInstance();
		manager->RegisterType("font", cFontResource::Create);
		manager->RegisterType("texture", cStubTexture::Create);
		manager->RegisterExtension("png", "texture");
		manager->AddSource("data");

		testing::internal::CaptureStderr();
		EXPECT_EQ(nullptr, cResourceManager::GetResourceByName<cFontResource>("Arial"));
		EXPECT_EQ("font[Arial] not found\n", testing::internal::GetCapturedStderr());

		cFontResource* listed = cResourceManager::GetResourceByName<cFontResource>("arial");
		ASSERT_NE(nullptr, listed);
		ASSERT_NE(nullptr, listed->GetTextureResource());
		EXPECT_EQ("atlas", listed->GetTextureResource()->GetName());
		const std::string described = BinaryForm(listed->GetData());

		ASSERT_TRUE(manager->PackSourceToFile("data", "packed", 0));
		manager->AddSource("packed");
		cFontResource* packed = cResourceManager::GetResourceByName<cFontResource>("arial");
		ASSERT_NE(nullptr, packed);
		EXPECT_NE(listed, packed) << "the pack's font replaces the listed one";
		EXPECT_EQ(described, BinaryForm(packed->GetData()));
		ASSERT_NE(nullptr, packed->GetTextureResource());
		EXPECT_EQ("atlas", packed->GetTextureResource()->GetName());
		packed->Release();
		listed->Release();
	});
}
}
