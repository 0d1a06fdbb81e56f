// Resources, their sources, the name indexes and lookups, and handles.
// Every test runs in a child process: the indexes and the manager are
// process-wide.

#include "../foundation/ChildProcess.h"
#include "../foundation/TempFolder.h"
#include "ResourceTestSupport.h"

#include "engine/resources/cDataResource.h"
#include "engine/resources/cModelHandleT.h"
#include "engine/resources/cResourceHandle.h"
#include "engine/resources/cXmlResource.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{
// Enters the resources into their indexes for the test's lifetime.
class cIndexed
{
public:
	explicit cIndexed(std::initializer_list<cResource*> resources) : m_resources(resources)
	{
		for (cResource* resource : m_resources)
			resource->AddToIndex();
	}
	~cIndexed()
	{
		for (cResource* resource : m_resources)
			resource->RemoveFromIndex();
	}

private:
	std::vector<cResource*> m_resources;
};

std::string Bytes(cMemoryStream& stream)
{
	return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

// Stands for the model class and its resource.
struct cFakeModel
{
	int id;
};

class cFakeModelResource : public cCountingResourceBase<cFakeModelResource>
{
public:
	static constexpr const char* LookupName = "model";
	using cCountingResourceBase::cCountingResourceBase;
	const char* GetTypeName() override { return "model"; }
	bool Load() override
	{
		model = new cFakeModel{loads + 1};
		return cCountingResourceBase::Load();
	}
	bool Unload() override
	{
		delete model;
		model = nullptr;
		return cCountingResourceBase::Unload();
	}
	cFakeModel* GetModel() { return model; }
	cFakeModel* model = nullptr;
};

typedef cModelHandleT<cFakeModelResource, cFakeModel> cFakeModelHandle;

struct cCountedAttachment : cModelAttachment
{
	explicit cCountedAttachment(int& alive) : m_alive(alive) { ++m_alive; }
	~cCountedAttachment() override { --m_alive; }
	int& m_alive;
};
}

TEST(ResourceLookup, FindsByClassAndNameCountingReferences)
{
	RunInChild([] {
		cFakeSound sound("track00menu");
		cFakeTexture texture("wall");
		cFakeAlphaTexture alpha("mask");
		cDataResource data("wall", sResourceSource());
		cIndexed indexed{&sound, &texture, &alpha, &data};

		testing::internal::CaptureStderr();
		EXPECT_EQ(cResourceManager::GetResourceByName<cFakeSound>(""), nullptr);
		EXPECT_EQ(cResourceManager::GetResourceByName<cFakeSound>("track01"), nullptr);
		EXPECT_EQ(cResourceManager::GetResourceByName<cFakeSound>("Track00Menu"), nullptr); // names keep their case
		EXPECT_EQ(cResourceManager::GetResourceByName<cFakeSound>("wall"), nullptr); // another class's name
		EXPECT_EQ(testing::internal::GetCapturedStderr(),
			"sound[track01] not found\nsound[Track00Menu] not found\nsound[wall] not found\n");

		// Both texture types are found through the one texture index.
		EXPECT_EQ(cResourceManager::GetResourceByName<cFakeTexture>("wall"), &texture);
		EXPECT_EQ(cResourceManager::GetResourceByName<cFakeTexture>("mask"), &alpha);

		// Two lookups load once; two releases unload once; a third changes nothing.
		EXPECT_EQ(cResourceManager::GetResourceByName<cFakeSound>("track00menu"), &sound);
		EXPECT_EQ(cResourceManager::GetResourceByName<cFakeSound>("track00menu"), &sound);
		EXPECT_EQ(sound.GetLoadCount(), 2);
		EXPECT_EQ(sound.loads, 1);
		EXPECT_EQ(sound.Release(), 1);
		EXPECT_EQ(sound.Release(), 0);
		EXPECT_EQ(sound.Release(), 0);
		EXPECT_EQ(sound.unloads, 1);
		EXPECT_EQ(sound.outOfTurn, 0);
		EXPECT_EQ(cResourceManager::ReleaseResource(nullptr), -1);
	});
}

TEST(ResourceLookup, LaterEntryOfANameWinsAndUnindexedClassesFindNothing)
{
	RunInChild([] {
		cFakeSound first("click");
		cFakeSound second("click");
		cFakeShader shader("pe_default", sResourceSource());
		cIndexed indexed{&first, &second, &shader};
		cFakeSound* found = cResourceManager::GetResourceByName<cFakeSound>("click");
		EXPECT_EQ(found, &second);
		found->Release();

		testing::internal::CaptureStderr();
		cResourceHandle handle;
		handle.BindByName<cFakeShader>("pe_default");
		EXPECT_FALSE(handle);
		EXPECT_EQ(testing::internal::GetCapturedStderr(), "shader[pe_default] not found\n");
	});
}

TEST(ResourceLookup, ReleasesCountOnlyWhileResourcesAreIndexed)
{
	RunInChild([] {
		// Nothing is indexed yet: a release gives -1 and leaves the count.
		cFakeSound loose("loose");
		loose.AddRef();
		EXPECT_EQ(loose.Release(), -1);
		EXPECT_EQ(loose.GetLoadCount(), 1);
		cIndexed indexed{&loose};
		EXPECT_EQ(loose.Release(), 0);
		EXPECT_EQ(loose.unloads, 1);
	});
}

TEST(ResourceLookup, ReferencesFromTwoThreadsKeepTheCountAndAlternateLoads)
{
	RunInChild([] {
		cFakeSound sound("shared");
		cIndexed indexed{&sound};
		const int rounds = 100000;
		std::atomic<int> taken{0};
		// A loader thread takes references while the main thread gives them back.
		std::thread loader([&] {
			for (int i = 0; i < rounds; ++i)
			{
				cResourceManager::GetResourceByName<cFakeSound>("shared");
				taken.fetch_add(1, std::memory_order_release);
			}
		});
		for (int released = 0; released < rounds; ++released)
		{
			while (taken.load(std::memory_order_acquire) <= released)
				std::this_thread::yield();
			sound.Release();
		}
		loader.join();
		EXPECT_EQ(sound.GetLoadCount(), 0);
		EXPECT_FALSE(sound.loaded);
		EXPECT_GE(sound.loads, 1);
		EXPECT_EQ(sound.loads, sound.unloads);
		EXPECT_EQ(sound.outOfTurn, 0);
	});
}

TEST(ResourceSource, ReadsFilesAndStreamsAndFailsWithoutBytes)
{
	cTempFolder folder;
	RunInChild([&] {
		cTempFolder::WriteFile(folder.Work() + "/a.xml", "<a><b/></a>");
		cTempFolder::WriteFile(folder.Work() + "/empty.bin", "");
		const std::string work = cTempFolder::EnginePath(folder.Work());

		cMemoryStream out;
		sResourceSource file(work + "\\a.xml");
		EXPECT_EQ(file.GetSize(), 11u);
		ASSERT_TRUE(file.Read(out));
		EXPECT_EQ(Bytes(out), "<a><b/></a>");
		EXPECT_EQ(out.GetPosition(), 0u);
		sResourceSource empty(work + "\\empty.bin");
		EXPECT_TRUE(empty.Read(out));
		EXPECT_EQ(out.GetSize(), 0u);

		// A file that cannot be opened is a failure, logged by the file stream.
		testing::internal::CaptureStderr();
		sResourceSource missing(work + "\\gone.xml");
		EXPECT_FALSE(missing.Read(out));
		cXmlResource xml("gone", missing);
		EXPECT_FALSE(xml.Load());
		EXPECT_NE(testing::internal::GetCapturedStderr().find("Could not open file"), std::string::npos);
		EXPECT_FALSE(sResourceSource().Read(out));

		// A stored stream is copied; an unknown method is a failure.
		auto* stored = new cMemoryStream;
		stored->Write("abc", 3);
		sResourceSource entry(stored, "");
		sResourceSource copy = entry;
		EXPECT_EQ(entry.stream.UseCount(), 2);
		ASSERT_TRUE(copy.Read(out));
		EXPECT_EQ(Bytes(out), "abc");
		testing::internal::CaptureStderr();
		sResourceSource unknown(new cMemoryStream(*stored), "Lzma");
		EXPECT_FALSE(unknown.Read(out));
		EXPECT_NE(testing::internal::GetCapturedStderr().find("archiver method not found "), std::string::npos);

		// Opening a file source keeps the stream.
		cStream* opened = file.OpenStream();
		ASSERT_NE(opened, nullptr);
		EXPECT_EQ(file.OpenStream(), opened);
		EXPECT_EQ(opened->GetSize(), 11u);
		EXPECT_EQ(sResourceSource().OpenStream(), nullptr);
	});
}

TEST(ResourceHandle, HoldsOneReferencePerHandle)
{
	RunInChild([] {
		cFakeSound music("track00menu");
		cIndexed indexed{&music};
		{
			cResourceHandle handle = cResourceHandle::InitByName<cFakeSound>("track00menu");
			EXPECT_EQ(handle.Get(), &music);
			handle.BindByName<cFakeSound>("track00menu");
			handle.BindByName<cFakeSound>("track00menu");
			EXPECT_EQ(music.GetLoadCount(), 1);
			EXPECT_EQ(music.loads, 1); // rebinding never unloads

			cResourceHandle copy(handle);
			EXPECT_EQ(music.GetLoadCount(), 2);
			cResourceHandle other;
			other = copy;
			other = other;
			EXPECT_EQ(music.GetLoadCount(), 3);
			copy.Reset();
			EXPECT_EQ(music.GetLoadCount(), 2);

			testing::internal::CaptureStderr();
			other.BindByName<cFakeSound>("missing");
			EXPECT_FALSE(other);
			EXPECT_EQ(music.GetLoadCount(), 1);
			testing::internal::GetCapturedStderr();
		}
		EXPECT_EQ(music.GetLoadCount(), 0);
		EXPECT_EQ(music.loads, 1);
		EXPECT_EQ(music.unloads, 1);
	});
}

TEST(ModelHandle, RebindingTakesTheNewReferenceFirst)
{
	RunInChild([] {
		cFakeModelResource chest("chest");
		cFakeModelResource door("door");
		cIndexed indexed{&chest, &door};
		int attachments = 0;
		{
			cFakeModelHandle handle("chest");
			ASSERT_NE(handle.GetModel(), nullptr);
			EXPECT_EQ(handle.GetModel()->id, 1);
			handle.GetAttachment().Reset(new cCountedAttachment(attachments));

			// Copies share the model and the attachment.
			cFakeModelHandle copy(handle);
			EXPECT_EQ(copy.GetModel(), handle.GetModel());
			EXPECT_EQ(copy.GetAttachment().Get(), handle.GetAttachment().Get());
			EXPECT_EQ(chest.GetLoadCount(), 2);
			copy = cFakeModelHandle();
			EXPECT_EQ(chest.GetLoadCount(), 1);

			// The handle's only reference: rebinding to the same model, even
			// through its own resource field, keeps the model as it is.
			handle.SetResource(handle.GetResource());
			handle.BindByName("chest");
			EXPECT_EQ(chest.loads, 1);
			EXPECT_EQ(chest.unloads, 0);
			EXPECT_EQ(handle.GetModel()->id, 1);
			EXPECT_EQ(attachments, 0); // dropped by the rebinding
			EXPECT_EQ(chest.GetLoadCount(), 1);

			handle.BindByName("door");
			EXPECT_EQ(chest.unloads, 1);
			EXPECT_EQ(handle.GetModel(), door.GetModel());

			testing::internal::CaptureStderr();
			cFakeModelHandle missing("none");
			EXPECT_EQ(missing.GetModel(), nullptr);
			EXPECT_FALSE(missing.GetResource());
			EXPECT_FALSE(missing.GetAttachment());
			EXPECT_EQ(testing::internal::GetCapturedStderr(), "model[none] not found\n");
		}
		EXPECT_EQ(door.GetLoadCount(), 0);
		EXPECT_EQ(door.outOfTurn + chest.outOfTurn, 0);
	});
}
