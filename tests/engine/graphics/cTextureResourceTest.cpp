// Texture resource types: registration, lookups through the shared
// "itexture" index, the shader type that is never found, and reloading
// every referenced texture. Every test runs in a child process: the
// resource indexes and the manager are process-wide.

#include "../foundation/ChildProcess.h"
#include "../foundation/TempFolder.h"

#include "engine/graphics/GraphicsResourceTypes.h"
#include "engine/graphics/cFakeShaderResource.h"
#include "engine/graphics/cResourceAlphaTexture.h"
#include "engine/graphics/cResourceTexture.h"

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
}
