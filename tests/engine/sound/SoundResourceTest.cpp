// The sound resource type: registration, loading from folders and pack
// entries, unloading. Every test runs in a child process: the resource
// manager and the decoder list are process-wide.

#include "../foundation/ChildProcess.h"
#include "../foundation/TempFolder.h"
#include "OggEncoder.h"
#include "SoundTestSupport.h"
#include "WaveBuilder.h"

#include "engine/resources/cArchiver.h"
#include "engine/sound/cSoundResource.h"

#include <gtest/gtest.h>

namespace
{
cResourceManager* Manager()
{
	return cResourceManager::GetInstance();
}

std::string ReadAll(cSoundStream& decoder)
{
	sSoundCursor cursor;
	decoder.Rewind(cursor);
	return ReadBytes(decoder, cursor, decoder.GetPcmSize() + 100, 4096);
}
}

TEST(SoundResource, LoadsMountedFilesByTheirExtensions)
{
	cTempFolder folder;
	const std::string data = folder.Work() + "/data";
	cTempFolder::WriteFile(data + "/Music.OGG", EncodeTone(2, 44100, 44100));
	cTempFolder::WriteFile(data + "/beep.wav", PcmWave(500, 1, 8, 8000));
	cTempFolder::WriteFile(data + "/broken.wav", "RIFF\x10\0\0\0WAVEfmt \x40\0\0\0");
	RunInChild([&] {
		cSoundResource::RegisterType(*Manager());
		Manager()->AddSource("data");

		cSoundResource* music = cResourceManager::GetResourceByName<cSoundResource>("music");
		ASSERT_NE(music, nullptr);
		EXPECT_STREQ(music->GetTypeName(), "sound");
		ASSERT_NE(music->GetSoundStream(), nullptr);
		EXPECT_EQ(music->GetSoundStream()->GetFormat()->nChannels, 2);
		EXPECT_EQ(music->GetSoundStream()->GetPcmSize(), 44100u * 4);
		music->Release();
		EXPECT_EQ(music->GetSoundStream(), nullptr);

		// The Ogg Vorbis decoder is tried first and must leave the file as it was.
		cSoundResource* beep = cResourceManager::GetResourceByName<cSoundResource>("beep");
		ASSERT_NE(beep, nullptr);
		ASSERT_NE(beep->GetSoundStream(), nullptr);
		EXPECT_EQ(ReadAll(*beep->GetSoundStream()), Samples(500, 1, 8));
		beep->Release();

		cSoundResource* broken = cResourceManager::GetResourceByName<cSoundResource>("broken");
		ASSERT_NE(broken, nullptr);
		EXPECT_EQ(broken->GetSoundStream(), nullptr);
		EXPECT_FALSE(broken->Load());
		broken->Release();
	});
}

TEST(SoundResource, LoadsPackEntriesStoredOrCompressed)
{
	RunInChild([] {
		cSoundResource::RegisterType(*Manager());
		const std::string wave = PcmWave(2000, 2, 16, 22050);
		cMemoryStream plain;
		plain.Write(wave.data(), static_cast<uint32_t>(wave.size()));
		plain.Seek(0, cStream::FromStart);
		cMemoryStream* packed = new cMemoryStream();
		std::string method;
		Singletone<cArchiver>::GetInstance()->Compress(plain, *packed, cArchiver::UseDefault, method);
		ASSERT_FALSE(method.empty());

		cSoundResource compressed("c", sResourceSource(packed, method));
		cSoundResource stored("s", sResourceSource(MemoryStream(wave), ""));
		for (cSoundResource* sound : {&compressed, &stored})
		{
			ASSERT_TRUE(sound->Load());
			cSoundStream* first = sound->GetSoundStream();
			ASSERT_NE(first, nullptr);
			EXPECT_EQ(ReadAll(*first), Samples(2000, 2, 16));
			// Loading again builds a decoder that reads the same.
			ASSERT_TRUE(sound->Load());
			EXPECT_EQ(ReadAll(*sound->GetSoundStream()), Samples(2000, 2, 16));
			EXPECT_TRUE(sound->Unload());
			EXPECT_EQ(sound->GetSoundStream(), nullptr);
		}

		cSoundResource nothing("n", sResourceSource());
		EXPECT_FALSE(nothing.Load());
	});
}

TEST(SoundResource, OnlySmallSoundsAreCompressible)
{
	cSoundResource small("small", sResourceSource(MemoryStream(std::string(499999, 'x')), ""));
	cSoundResource large("large", sResourceSource(MemoryStream(std::string(500000, 'x')), ""));
	EXPECT_TRUE(small.IsCompressible());
	EXPECT_FALSE(large.IsCompressible());
}
