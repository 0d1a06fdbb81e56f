// A new user packs the game's folders with "-pack" and starts again from
// the packs. Each run is a child process, as each start of the game is.

#include "../../engine/foundation/ChildProcess.h"
#include "../../engine/foundation/TempFolder.h"
#include "../../engine/resources/PackParser.h"

#include "app/GameMain.h"
#include "engine/graphics/GraphicsResourceTypes.h"
#include "engine/resources/cResourceMount.h"
#include "engine/resources/cTextManager.h"
#include "engine/resources/cXmlResource.h"
#include "engine/sound/cSoundResource.h"
#include "platform/win32/Win32.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace PackFormat;
namespace fs = std::filesystem;

namespace
{
std::string Riff()
{
	std::string wave = "RIFF\x24\x08\0\0WAVEfmt \x10\0\0\0\1\0\1\0\x44\xAC\0\0\x88\x58\1\0\2\0\x10\0data";
	wave += U32(2000);
	for (int i = 0; i < 1000; ++i)
		wave += std::string{char(i * 37), char(i >> 3)};
	return wave;
}

void MakeFolders(const std::string& work)
{
	cTempFolder::WriteFile(work + "/data/game_config.xml", "<config><texts><text name=\"strings\"/></texts></config>");
	cTempFolder::WriteFile(work + "/data/Click.wav", Riff());
	cTempFolder::WriteFile(work + "/data/logo.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + std::string(300, 'p'));
	cTempFolder::WriteFile(work + "/data/notes.xyz", "an extension nobody registered");
	cTempFolder::WriteFile(work + "/data/location1/scene.xml", "<scene name=\"location1\"/>");
	cTempFolder::WriteFile(work + "/data/menu.resource",
		"<resources><resource name=\"Menu\" type=\"text_resource\"><chapter name=\"menu\"><section name=\"main\">"
		"<phrase name=\"start\" text=\"Start\"/></section></chapter></resource>"
		"<resource name=\"Arial_12\" type=\"font\"/></resources>");
	cTempFolder::WriteFile(work + "/localization/strings.xml", "<strings/>");
	cTempFolder::WriteFile(work + "/splash/logo.png", "splash");
}

// The resources that the run with "-pack" mounts (the sound manager
// registers sounds, the graphics device textures and fonts).
const std::vector<std::string> DataListing = {"xml scene", "sound click", "xml game_config", "texture logo",
	"text_resource Menu", "font Arial_12", "data notes"};

std::vector<std::string> Listing(cResourceMount* mount)
{
	std::vector<std::string> listing;
	for (cResource* resource : mount->GetResources())
		listing.push_back(std::string(resource->GetTypeName()) + " " + resource->GetName());
	return listing;
}

// The stored form of a loaded resource.
std::string Stored(cResource* resource)
{
	resource->AddRef();
	cMemoryStream bytes;
	resource->Save(bytes);
	resource->Release();
	return std::string(reinterpret_cast<const char*>(bytes.GetData()), bytes.GetSize());
}
}

TEST(GameMainPack, PacksTheFoldersAndStartsAgainFromThePacks)
{
	cTempFolder folder;
	const std::string work = folder.Work();
	MakeFolders(work);

	RunInChild([&] {
		// The single-instance lock of this run only.
		setenv("XDG_RUNTIME_DIR", folder.Root().c_str(), 1);
		sStartupParams params{nullptr, SW_SHOWDEFAULT, nullptr, "-window -pack", true};
		EXPECT_EQ(GameMain(&params), 0);
	});
	// Nothing saved: no settings file for the new user.
	for (const auto& entry : fs::recursive_directory_iterator(folder.Root() + "/appdata"))
		EXPECT_NE(entry.path().filename(), "zv2.xml");
	EXPECT_FALSE(fs::exists(work + "/my_splash"));

	const sParsedPack data = ParsePack(cTempFolder::ReadFile(work + "/my_data"));
	EXPECT_EQ(data.headerMethod, "Zlib");
	EXPECT_EQ(data.methods, (std::vector<std::string>{"", "Zlib"}));
	EXPECT_EQ(data.types, (std::vector<std::string>{"xml", "sound", "texture", "text_resource", "font", "data"}));
	ASSERT_EQ(data.entries.size(), DataListing.size());
	for (size_t i = 0; i < data.entries.size(); ++i)
	{
		EXPECT_EQ(data.entries[i].type + " " + data.entries[i].name, DataListing[i]);
		EXPECT_EQ(data.entries[i].method, "Zlib");
	}
	EXPECT_EQ(data.entries[1].bytes, Riff());
	EXPECT_EQ(data.entries[3].bytes, cTempFolder::ReadFile(work + "/data/logo.png"));
	const sParsedPack localization = ParsePack(cTempFolder::ReadFile(work + "/my_localization"));
	ASSERT_EQ(localization.entries.size(), 1u);
	EXPECT_EQ(localization.entries[0].bytes, "<strings/>");

	// The packs take the folders' places; the folders stay for comparison.
	// The child renames: a child that is the test program started again
	// runs the steps above once more, which write and read them.
	RunInChild([&] {
		fs::rename(work + "/data", work + "/data_folder");
		fs::rename(work + "/my_data", work + "/data");
		cTextManager::GetInstance();
		RegisterGraphicsResourceTypes();
		cResourceManager* manager = cResourceManager::GetInstance();
		cSoundResource::RegisterType(*manager);
		manager->AddSource("data_folder");
		manager->AddSource("data");
		cResourceMount* pack = manager->GetMount("data");
		cResourceMount* original = manager->GetMount("data_folder");
		ASSERT_EQ(Listing(pack), DataListing);
		for (size_t i = 0; i < DataListing.size(); ++i)
			EXPECT_EQ(Stored(pack->GetResources()[i]), Stored(original->GetResources()[i])) << DataListing[i];

		cXmlResource* config = cResourceManager::GetResourceByName<cXmlResource>("game_config");
		ASSERT_NE(config, nullptr);
		EXPECT_EQ(config->GetSource().path, ""); // read from the pack
		EXPECT_EQ(config->GetDocument().GetRoot().GetName(), "config");
		config->Release();
	});
}
