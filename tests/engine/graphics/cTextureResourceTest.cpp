// Texture resource types: registration, lookups through the shared
// "itexture" index, the shader type that is never found, and reloading
// every referenced texture. Every test runs in a child process: the
// resource indexes and the manager are process-wide.

#include "../foundation/ChildProcess.h"
#include "../foundation/TempFolder.h"
#include "cGraphicsTextTestDevice.h"

#include "engine/graphics/GraphicsResourceTypes.h"
#include "engine/graphics/cFakeShaderResource.h"
#include "engine/graphics/cResourceAlphaTexture.h"
#include "engine/graphics/cResourceTexture.h"
#include "engine/graphics/cTexture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace
{
// A texture resource that counts its loads and unloads, notices one out of
// turn, and checks that the resource manager's lock is held meanwhile.
class cCountingTexture : public cTextureResource
{
public:
	using cTextureResource::cTextureResource;

	bool Load() override
	{
		outOfTurn += loaded ? 1 : 0;
		loaded = true;
		++loads;
		NoteLock();
		return true;
	}
	bool Unload() override
	{
		outOfTurn += loaded ? 0 : 1;
		loaded = false;
		++unloads;
		NoteLock();
		return true;
	}
	cTexture* GetTexture() override { return nullptr; }
	const char* GetTypeName() override { return "texture"; }

	bool loaded = false;
	int loads = 0;
	int unloads = 0;
	int outOfTurn = 0;
	// Loads and unloads during which another thread could take the lock.
	int unlocked = 0;

private:
	void NoteLock()
	{
		std::recursive_mutex* mutex = cResourceManager::GetInstance()->GetLock()->mutex;
		bool free = false;
		std::thread([&] {
			free = mutex->try_lock();
			if (free)
				mutex->unlock();
		}).join();
		unlocked += free ? 1 : 0;
	}
};

TEST(TextureResourceTypes, RegisteredWithTheirExtensions)
{
	RunInChild([] {
		RegisterGraphicsResourceTypes();
		cResourceManager* manager = cResourceManager::GetInstance();
		struct
		{
			const char* extension;
			const char* type;
		} cases[] = {{"bmp", "texture"}, {"jpg", "texture"}, {"png", "texture"}, {"dds", "texture"}, {"tga", "texture"},
			{"pvr", "texture"}, {"aimg", "alpha_texture"}, {"fx", "shader"}, {"jpeg", "data"}, {"font", "data"}};
		for (const auto& c : cases)
		{
			cResource* resource = manager->CreateByExtension(c.extension, "name", sResourceSource());
			EXPECT_STREQ(c.type, resource->GetTypeName()) << c.extension;
			delete resource;
		}
		cResource* font = manager->CreateByType("font", "name", sResourceSource());
		EXPECT_STREQ("font", font->GetTypeName());
		delete font;
	});
}

TEST(TextureResourceTypes, BothTextureKindsShareOneIndexAndShadersAreNeverFound)
{
	RunInChild([] {
		RegisterGraphicsResourceTypes();
		cResourceManager* manager = cResourceManager::GetInstance();
		cResource* texture = manager->CreateByExtension("png", "wall", sResourceSource());
		cResource* alpha = manager->CreateByExtension("aimg", "glass", sResourceSource());
		cResource* shader = manager->CreateByExtension("fx", "pe_default", sResourceSource());
		for (cResource* resource : {texture, alpha, shader})
			resource->AddToIndex();

		testing::internal::CaptureStderr();
		cTextureResource* wall = cResourceManager::GetResourceByName<cTextureResource>("wall");
		cTextureResource* glass = cResourceManager::GetResourceByName<cTextureResource>("glass");
		EXPECT_EQ(texture, wall);
		EXPECT_EQ(alpha, glass);
		EXPECT_EQ(nullptr, wall->GetTexture()) << "no bytes: nothing to load";
		EXPECT_EQ(nullptr, glass->GetTexture());
		EXPECT_EQ(nullptr, cResourceManager::GetResourceByName<cTextureResource>("pe_default"));
		EXPECT_EQ(nullptr, cResourceManager::GetResourceByName<cFakeShaderResource>("pe_default"));
		EXPECT_EQ(shader, cResourceIndex::All().Find("pe_default")) << "the shader is in the index of all resources";
		EXPECT_EQ("itexture[pe_default] not found\nshader[pe_default] not found\n", testing::internal::GetCapturedStderr());
		wall->Release();
		glass->Release();
		for (cResource* resource : {texture, alpha, shader})
		{
			resource->RemoveFromIndex();
			delete resource;
		}
	});
}

TEST(TextureReload, KeepsTheReferenceCountsUnderTheLock)
{
	RunInChild([] {
		cCountingTexture used("used", sResourceSource());
		cCountingTexture unused("unused", sResourceSource());
		used.AddToIndex();
		unused.AddToIndex();
		for (int i = 0; i < 3; ++i)
			cResourceManager::GetResourceByName<cTextureResource>("used");

		cTextureResource::ReloadAll();
		EXPECT_EQ(3, used.GetLoadCount());
		EXPECT_EQ(2, used.loads);
		EXPECT_EQ(1, used.unloads);
		EXPECT_EQ(0, used.outOfTurn);
		EXPECT_EQ(0, unused.loads + unused.unloads) << "textures without references are left alone";
		EXPECT_EQ(0, used.unlocked) << "the lock is held while textures reload";
		used.RemoveFromIndex();
		unused.RemoveFromIndex();
	});
}

TEST(TextureReload, RacesWithLookupsAndReleasesOfAnotherThread)
{
	RunInChild([] {
		cCountingTexture texture("shared", sResourceSource());
		texture.AddToIndex();
		cResourceManager::GetResourceByName<cTextureResource>("shared");
		std::atomic<bool> done{false};
		std::thread holder([&] {
			while (!done)
			{
				cTextureResource* found = cResourceManager::GetResourceByName<cTextureResource>("shared");
				found->Release();
			}
		});
		for (int i = 0; i < 200; ++i)
			cTextureResource::ReloadAll();
		done = true;
		holder.join();
		EXPECT_EQ(1, texture.GetLoadCount());
		EXPECT_EQ(0, texture.outOfTurn);
		EXPECT_TRUE(texture.loaded);
		EXPECT_EQ(texture.loads, texture.unloads + 1);
		texture.RemoveFromIndex();
	});
}

std::string U32(uint32_t value)
{
	return std::string({char(value & 0xFF), char((value >> 8) & 0xFF), char((value >> 16) & 0xFF), char(value >> 24)});
}

// A folder "data" with a 3 by 5 image "wall", an "aimg" "glass" (red
// colour, a grey mask of B 30, G 60, R 90), an image "idle" nobody
// references and an undecodable "broken".
void WriteTextureFolder(const cTempFolder& folder)
{
	const std::string data = folder.Work() + "/data/";
	cTempFolder::WriteFile(data + "wall.tga", sTestImage(3, 5, 0xFF204060).Tga());
	cTempFolder::WriteFile(data + "idle.tga", sTestImage(2, 2, 0xFFFFFFFF).Tga());
	cTempFolder::WriteFile(data + "broken.png", "not an image");
	const std::string colour = sTestImage(2, 2, 0xFFFF0000).Tga();
	const std::string mask = sTestImage(2, 2, 0xFF5A3C1E).Tga();
	cTempFolder::WriteFile(data + "glass.aimg", U32(uint32_t(colour.size())) + colour + U32(uint32_t(mask.size())) + mask);
}

DWORD FirstTexel(cTexture* texture)
{
	cTexture::sLockedLevel level = texture->LockLevel0();
	DWORD texel = level.bits ? *reinterpret_cast<const DWORD*>(level.bits) : 0;
	texture->UnlockLevel0();
	return texel;
}

TEST(TextureResourceLoading, ImagesAndAlphaImagesFoundByName)
{
	cTempFolder folder;
	WriteTextureFolder(folder);
	RunInChild([] {
		cTestGraphicsDevice device(64, 48);
		cResourceManager::GetInstance()->AddSource("data");
		cTextureResource* wall = cResourceManager::GetResourceByName<cTextureResource>("wall");
		ASSERT_NE(nullptr, wall);
		EXPECT_STREQ("texture", wall->GetTypeName());
		cTexture* texture = wall->GetTexture();
		ASSERT_NE(nullptr, texture);
		EXPECT_EQ(3, texture->GetWidth());
		EXPECT_EQ(5, texture->GetHeight());
		EXPECT_EQ(4u, texture->GetDescription().Width);
		EXPECT_EQ(8u, texture->GetDescription().Height);
		EXPECT_EQ(cTexture::FORMAT_A8R8G8B8, texture->GetFormatCode());
		EXPECT_EQ(0xFF204060u, FirstTexel(texture));

		cTextureResource* glass = cResourceManager::GetResourceByName<cTextureResource>("glass");
		ASSERT_NE(nullptr, glass);
		EXPECT_STREQ("alpha_texture", glass->GetTypeName());
		ASSERT_NE(nullptr, glass->GetTexture());
		EXPECT_EQ(0x3CFF0000u, FirstTexel(glass->GetTexture())) << "the mask's grey level is the alpha";

		testing::internal::CaptureStderr();
		cTextureResource* broken = cResourceManager::GetResourceByName<cTextureResource>("broken");
		EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("Loading image failed"));
		ASSERT_NE(nullptr, broken);
		ASSERT_NE(nullptr, broken->GetTexture());
		EXPECT_TRUE(broken->GetTexture()->IsEmpty());

		for (cTextureResource* resource : {wall, glass, broken})
		{
			EXPECT_EQ(0, resource->Release());
			EXPECT_EQ(nullptr, resource->GetTexture()) << "the last release deletes the texture";
		}
	});
}

TEST(TextureResourceLoading, QualityChangeReloadsWithTheNewFormat)
{
	cTempFolder folder;
	WriteTextureFolder(folder);
	RunInChild([] {
		cTestGraphicsDevice device(64, 48);
		cResourceManager::GetInstance()->AddSource("data");
		cTextureResource* wall = nullptr;
		for (int i = 0; i < 3; ++i)
			wall = cResourceManager::GetResourceByName<cTextureResource>("wall");
		cTextureResource* glass = cResourceManager::GetResourceByName<cTextureResource>("glass");
		auto* idle = static_cast<cTextureResource*>(cResourceManager::GetTypeIndex<cTextureResource>().Find("idle"));
		ASSERT_NE(nullptr, idle);
		ASSERT_EQ(cTexture::FORMAT_A8R8G8B8, wall->GetTexture()->GetFormatCode());

		device.graphics->SetTextureQuality(false);
		EXPECT_EQ(3, wall->GetLoadCount());
		EXPECT_EQ(1, glass->GetLoadCount());
		EXPECT_EQ(cTexture::FORMAT_DXT3, wall->GetTexture()->GetFormatCode());
		EXPECT_EQ(cTexture::FORMAT_DXT3, glass->GetTexture()->GetFormatCode());
		EXPECT_EQ(3, wall->GetTexture()->GetWidth());
		EXPECT_EQ(nullptr, idle->GetTexture()) << "a texture nobody references stays unloaded";

		device.graphics->SetTextureQuality(true);
		EXPECT_EQ(3, wall->GetLoadCount());
		EXPECT_EQ(cTexture::FORMAT_A8R8G8B8, wall->GetTexture()->GetFormatCode());
		EXPECT_EQ(0x3CFF0000u, FirstTexel(glass->GetTexture()));
	});
}
}
