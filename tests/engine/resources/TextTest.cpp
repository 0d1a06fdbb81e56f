// The text manager's lookups and XML texts, and text resources.

#include "../foundation/ChildProcess.h"
#include "ResourceTestSupport.h"

#include "engine/foundation/cXmlDocument.h"
#include "engine/resources/cResourceHandle.h"
#include "engine/resources/cTextManager.h"
#include "engine/resources/cTextResource.h"
#include "engine/resources/cXmlResource.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
cTextManager* Texts()
{
	return cTextManager::GetInstance();
}

cMemoryStream* NewStream(const std::string& bytes)
{
	auto* stream = new cMemoryStream;
	stream->Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
	stream->Seek(0, cStream::FromStart);
	return stream;
}

// Indexed XML resources over texts, owned for the test's lifetime.
class cXmlTexts
{
public:
	// A handle on a new XML resource holding the text, found by a lookup.
	cResourceHandle Add(const std::string& name, const std::string& text)
	{
		m_resources.emplace_back(new cXmlResource(name, sResourceSource(NewStream(text), "")));
		m_resources.back()->AddToIndex();
		return cResourceHandle::InitByName<cXmlResource>(name);
	}

private:
	std::vector<std::unique_ptr<cResource>> m_resources;
};

std::string Bytes(cMemoryStream& stream)
{
	return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

const char* StringsXml = R"(<strings>
	<other name="texts"><group name="ignored"><group name="ignored"><phrase name="x" text="no"/></group></group></other>
	<group name="dialogs">
		<group name="other"><group name="menu"><group name="main"><phrase name="start" text="not texts"/></group></group></group>
		<group name="texts">
			<group name="menu">
				<group name="main">
					<phrase name="start" text="Start\ngame"/>
					<phrase name="quit" text="first"/>
					<phrase name="quit" text="Quit"/>
					<group name="nested"><group><phrase name="deep" text="flattened"/></group></group>
					<note name="skipped" text="not a phrase"/>
				</group>
			</group>
			<group name="default">
				<group name="default"><phrase name="" text="empty id"/><phrase name="start" text="bare"/></group>
				<group name="main"><phrase name="start" text="two parts"/></group>
			</group>
			<group name="a\b"><group name="c"><phrase name="d" text="deep id"/></group></group>
			<group name="x"><group name="y"><phrase name="" text="ends in a slash"/></group></group>
			<group><group><phrase/><phrase name="utf8" text="Gr&#xD;&#xA;üß"/></group></group>
		</group>
	</group>
	<group name="second"><group name="texts"><group name="menu"><group name="main"><phrase name="x" text="no"/></group></group></group></group>
</strings>)";
}

TEST(TextManager, SplitsIdsAndReadsTheTextGroups)
{
	RunInChild([] {
		cXmlTexts xml;
		Texts()->LoadFromXml(xml.Add("strings", StringsXml));
		const struct
		{
			const char* id;
			const wchar_t* text;
		} cases[] = {
			{"menu\\main\\start", L"Start\ngame"},
			{"menu\\main\\quit", L"Quit"}, // the later phrase of a name wins
			{"menu\\main\\deep", L"flattened"},
			{"menu\\main\\skipped", L""},
			{"main\\start", L"two parts"},
			{"start", L"bare"},
			{"", L"empty id"},
			{"a\\b\\c\\d", L"deep id"},
			{"x\\y\\", L"ends in a slash"},
			{"default\\default\\def", L"def"},
			{"default\\default\\utf8", L"Gr\n\u00FC\u00DF"},
			{"menu\\main\\x", L""},
			{"ignored\\ignored\\x", L""},
			{"menu\\Main\\start", L""},
		};
		for (const auto& c : cases)
			EXPECT_EQ(Texts()->GetText(c.id), c.text) << c.id;
		EXPECT_EQ(&Texts()->FindText("no", "such", "text"), &Texts()->GetText("missing"));
		EXPECT_TRUE(Texts()->FindText("no", "such", "text").empty());
	});
}

TEST(TextManager, LaterResourcesReplaceTextsOfTheSameId)
{
	RunInChild([] {
		cXmlTexts xml;
		const char* later = R"(<s><group><group name="texts"><group name="menu"><group name="main">
			<phrase name="start" text="Begin"/></group></group></group></group></s>)";
		Texts()->LoadFromXml(xml.Add("strings", StringsXml));
		Texts()->LoadFromXml(xml.Add("later", later));
		Texts()->LoadFromXml(cResourceHandle());
		testing::internal::CaptureStderr();
		cResourceHandle missing = cResourceHandle::InitByName<cXmlResource>("none");
		testing::internal::GetCapturedStderr();
		Texts()->LoadFromXml(missing);
		Texts()->LoadFromXml(xml.Add("not xml", "plain text"));
		EXPECT_EQ(Texts()->GetText("menu\\main\\start"), L"Begin");
		EXPECT_EQ(Texts()->GetText("menu\\main\\quit"), L"Quit");

		// The manager registers the text resource type.
		std::unique_ptr<cResource> text(
			cResourceManager::GetInstance()->CreateByType("text_resource", "t", sResourceSource()));
		EXPECT_STREQ(text->GetTypeName(), "text_resource");
	});
}

TEST(TextResource, DescriptionAndBinaryFormRoundTrip)
{
	RunInChild([] {
		cXmlDocument list;
		cMemoryStream xml;
		const std::string description = R"(<resources><resource name="Menu" type="text_resource">
			<chapter name="menu"><section name="main"><phrase name="start" text="Start\ngame&#xD;&#xA;"/>
			<phrase name="start" text="Start\ngame"/><phrase/><group><phrase name="hidden"/></group></section>
			<phrase name="outside"/></chapter><chapter><section/></chapter><section name="top"/>
			</resource></resources>)";
		xml.Write(description.data(), static_cast<uint32_t>(description.size()));
		xml.Seek(0, cStream::FromStart);
		ASSERT_TRUE(list.Load(xml));
		ASSERT_NE(list.GetRoot().GetFirstChild(), nullptr);
		cTextResource described("Menu", sResourceSource("\\no\\such\\file"));
		described.ReadDescription(*list.GetRoot().GetFirstChild());
		const TextTable expected = {{"menu", {{"main", {{"start", L"Start\ngame"}, {"def", L"def"}}}}},
			{"default", {{"default", {}}}}};
		EXPECT_EQ(described.GetTable(), expected);

		// A filled table is not read again from the source.
		testing::internal::CaptureStderr();
		EXPECT_TRUE(described.Load());
		EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

		cMemoryStream stored;
		described.Save(stored);
		cTextResource packed("Menu", sResourceSource(new cMemoryStream(stored), ""));
		EXPECT_TRUE(packed.Load());
		EXPECT_EQ(packed.GetTable(), expected);
		EXPECT_TRUE(packed.Unload());
		EXPECT_EQ(packed.GetTable(), expected);
	});
}

TEST(TextResource, DamagedBinaryFormsGiveAnEmptyTable)
{
	RunInChild([] {
		LimitMemory(256 << 20);
		const TextTable table = {{"menu", {{"main", {{"start", L"Start"}, {"quit", L"Quit"}}}, {"b", {}}}},
			{"z", {{"", {{"", L""}}}}}};
		cMemoryStream whole;
		cTextResource::WriteTable(whole, table);
		const std::string bytes = Bytes(whole);
		std::vector<std::string> damaged;
		for (size_t cut = 0; cut < bytes.size(); ++cut)
			damaged.push_back(bytes.substr(0, cut));
		std::string counts = bytes;
		counts.replace(0, 4, "\xFF\xFF\xFF\xFF");
		damaged.push_back(counts);
		counts = bytes;
		counts.replace(12, 4, "\xFF\xFF\xFF\x7F"); // the first chapter's section count
		damaged.push_back(counts);

		for (size_t i = 0; i < damaged.size(); ++i)
		{
			cTextResource text("texts", sResourceSource(NewStream(damaged[i]), ""));
			testing::internal::CaptureStderr();
			EXPECT_TRUE(text.Load());
			const std::string log = testing::internal::GetCapturedStderr();
			EXPECT_TRUE(text.GetTable().empty()) << i;
			EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << i << ": " << log;
			EXPECT_NE(log.find("Error: text resource texts is damaged"), std::string::npos) << i;
		}
		cTextResource good("texts", sResourceSource(NewStream(bytes), ""));
		good.Load();
		EXPECT_EQ(good.GetTable(), table);
	});
}
