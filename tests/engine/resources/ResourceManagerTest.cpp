// Type registry, folder mounts and resource lists.

#include "../foundation/ChildProcess.h"
#include "../foundation/TempFolder.h"
#include "ResourceTestSupport.h"

#include "engine/foundation/Folders.h"
#include "engine/resources/ResourceUtils.h"
#include "engine/resources/cDataResource.h"
#include "engine/resources/cResourceMount.h"
#include "engine/resources/cXmlResource.h"

#include <gtest/gtest.h>

namespace
{
cResourceManager* Manager()
{
	return cResourceManager::GetInstance();
}

// What the sound manager and the graphics device register.
void RegisterOwnerTypes()
{
	Manager()->RegisterType("sound", cFakeSound::Create);
	Manager()->RegisterExtension("wav", "sound");
	Manager()->RegisterExtension("ogg", "sound");
	Manager()->RegisterType("texture", cFakeTexture::Create);
	Manager()->RegisterExtension("png", "texture");
	Manager()->RegisterType("font", cFakeFont::Create);
}

// "type name" of each resource of the mount, in order.
std::vector<std::string> Listing(const std::string& path)
{
	std::vector<std::string> listing;
	for (cResource* resource : Manager()->GetMount(path)->GetResources())
		listing.push_back(std::string(resource->GetTypeName()) + " " + resource->GetName());
	return listing;
}
}

TEST(ResourceUtils, LowerCasesAsciiOnly)
{
	EXPECT_EQ(ToLowerCase("Track00Menu.OGG"), "track00menu.ogg");
	EXPECT_EQ(ToLowerCase("\xC3\x89t\xC3\xA9"), "\xC3\x89t\xC3\xA9");
}

TEST(ResourceManager, CreatesByTypeAndExtension)
{
	RunInChild([] {
		RegisterOwnerTypes();
		std::unique_ptr<cResource> xml(Manager()->CreateByExtension("xml", "a", sResourceSource()));
		std::unique_ptr<cResource> sound(Manager()->CreateByExtension("wav", "b", sResourceSource()));
		std::unique_ptr<cResource> unknown(Manager()->CreateByExtension("txt", "c", sResourceSource()));
		std::unique_ptr<cResource> none(Manager()->CreateByExtension("", "d", sResourceSource()));
		std::unique_ptr<cResource> font(Manager()->CreateByType("font", "e", sResourceSource()));
		std::unique_ptr<cResource> nobody(Manager()->CreateByType("nobody", "f", sResourceSource()));
		EXPECT_STREQ(xml->GetTypeName(), "xml");
		EXPECT_STREQ(sound->GetTypeName(), "sound");
		EXPECT_STREQ(unknown->GetTypeName(), "data");
		EXPECT_STREQ(none->GetTypeName(), "data");
		EXPECT_STREQ(font->GetTypeName(), "font");
		EXPECT_STREQ(nobody->GetTypeName(), "data");
		EXPECT_EQ(nobody->GetName(), "f");
	});
}

TEST(ResourceManager, MountsAFolderInListingOrder)
{
	cTempFolder folder;
	const std::string data = folder.Work() + "/data";
	cTempFolder::WriteFile(data + "/a.PNG", "png");
	cTempFolder::WriteFile(data + "/sub/b.wav", "wav");
	cTempFolder::WriteFile(data + "/sub/Track00Menu.OGG", "ogg");
	cTempFolder::WriteFile(data + "/.svn/c.wav", "hidden");
	cTempFolder::WriteFile(data + "/.svn/deeper/d.wav", "hidden");
	cTempFolder::WriteFile(data + "/.SVN/e.wav", "scanned");
	cTempFolder::WriteFile(data + "/readme", "plain");
	cTempFolder::WriteFile(data + "/notes.txt", "text");
	cTempFolder::WriteFile(data + "/Config.xml", "<config><item id=\"x\"/></config>");
	RunInChild([&] {
		RegisterOwnerTypes();
		Manager()->AddSource("data");
		Manager()->AddSource("data"); // mounted once
		Manager()->AddSource("nothing");
		EXPECT_EQ(Listing("data"), (std::vector<std::string>{"sound e", "sound b", "sound track00menu", "texture a",
									   "xml config", "data notes", "data readme"}));
		EXPECT_TRUE(Listing("nothing").empty());

		// Files are named by absolute paths; the current folder is left alone.
		cXmlResource* config = cResourceManager::GetResourceByName<cXmlResource>("config");
		ASSERT_NE(config, nullptr);
		EXPECT_EQ(config->GetSource().path, cTempFolder::EnginePath(data) + "\\Config.xml");
		EXPECT_EQ(config->GetDocument().GetRoot().GetName(), "config");
		EXPECT_EQ(GetCurrentFolder(), cTempFolder::EnginePath(folder.Work()));
		config->Release();
		EXPECT_EQ(config->GetDocument().GetRoot().GetName(), "config"); // the tree stays

		cDataResource* readme = static_cast<cDataResource*>(Manager()->GetMount("data")->GetResources().back());
		readme->AddRef();
		EXPECT_EQ(readme->GetData().GetSize(), 5u);
		readme->Release();
		EXPECT_EQ(readme->GetData().GetSize(), 0u);
	});
}

TEST(ResourceManager, ReadsResourceLists)
{
	cTempFolder folder;
	const std::string data = folder.Work() + "/data";
	cTempFolder::WriteFile(data + "/fonts.resource", "<resources>\n"
													 "\t<resource name=\"Arial_12\" type=\"font\" size=\"12\"/>\n"
													 "\t<resource name=\"Odd\" type=\"nobody\"/>\n"
													 "\t<other name=\"skipped\" type=\"font\"/>\n"
													 "\t<resource name=\"no type\"/>\n"
													 "</resources>");
	cTempFolder::WriteFile(data + "/Wrapped.resource",
		"<resources><group><resource name=\"hidden\" type=\"font\"/></group></resources>");
	cTempFolder::WriteFile(data + "/broken.resource", "<resources><resource name=");
	RunInChild([&] {
		RegisterOwnerTypes();
		testing::internal::CaptureStderr();
		Manager()->AddSource("data");
		EXPECT_NE(testing::internal::GetCapturedStderr().find("without a name or a type"), std::string::npos);
		EXPECT_EQ(Listing("data"), (std::vector<std::string>{"data broken", "font Arial_12", "data Odd", "data wrapped"}));
		for (cResource* resource : Manager()->GetMount("data")->GetResources())
		{
			bool isListFile = resource->GetName() == "broken" || resource->GetName() == "wrapped";
			EXPECT_EQ(resource->GetSource().path.empty(), !isListFile) << resource->GetName();
		}
		cFakeFont* font = cResourceManager::GetResourceByName<cFakeFont>("Arial_12");
		ASSERT_NE(font, nullptr);
		font->Release();
	});
}

TEST(ResourceManager, LaterMountsReplaceNamesInTheIndex)
{
	cTempFolder folder;
	cTempFolder::WriteFile(folder.Work() + "/data/wall.png", "data");
	cTempFolder::WriteFile(folder.Work() + "/data/door.png", "data");
	cTempFolder::WriteFile(folder.Work() + "/localization/Wall.png", "localization");
	RunInChild([&] {
		RegisterOwnerTypes();
		Manager()->AddSource("data");
		Manager()->AddSource("localization");
		cFakeTexture* wall = cResourceManager::GetResourceByName<cFakeTexture>("wall");
		ASSERT_NE(wall, nullptr);
		EXPECT_NE(wall->GetSource().path.find("localization"), std::string::npos);
		wall->Release();
		cFakeTexture* door = cResourceManager::GetResourceByName<cFakeTexture>("door");
		ASSERT_NE(door, nullptr);
		door->Release();

		cMemoryStream out;
		EXPECT_FALSE(Manager()->PackSource("splash", out, 0));
		EXPECT_EQ(out.GetSize(), 0u);
	});
}

TEST(ResourceManager, AFileThatIsNotAPackMountsNothingQuietly)
{
	cTempFolder folder;
	cTempFolder::WriteFile(folder.Work() + "/data", "RDF");
	cTempFolder::WriteFile(folder.Work() + "/splash", "PK\3\4 not a pack at all");
	RunInChild([&] {
		testing::internal::CaptureStderr();
		Manager()->AddSource("data");
		Manager()->AddSource("splash");
		EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
		EXPECT_TRUE(Listing("data").empty());
		EXPECT_TRUE(Listing("splash").empty());
	});
}
