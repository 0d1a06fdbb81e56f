// Creating buffers and the checks each call makes of its arguments.

#include "cDSoundTestDevice.h"

using DSoundBufferTest = cDSoundTestDevice;

TEST_F(DSoundBufferTest, RingOfThreeSecondsDescribedAsOn32BitSystems)
{
	// The record size programs built for 32-bit systems pass, and the flags
	// and length of a three-second ring.
	const WAVEFORMATEX format = PcmFormat(2, 16, 44100);
	DSBUFFERDESC description{};
	description.dwSize = 36;
	description.dwFlags = 0x18080;
	description.dwBufferBytes = 3 * format.nAvgBytesPerSec;
	description.lpwfxFormat = &format;
	IDirectSoundBuffer* buffer = nullptr;
	ASSERT_EQ(DS_OK, m_device->CreateSoundBuffer(&description, &buffer, nullptr));
	m_buffers.push_back(buffer);

	DSBCAPS caps{};
	caps.dwSize = 20;
	ASSERT_EQ(DS_OK, buffer->GetCaps(&caps));
	EXPECT_EQ(3u * 176400, caps.dwBufferBytes);
	EXPECT_EQ(0x18080u, caps.dwFlags & 0x18080u);
	EXPECT_EQ(0u, caps.dwFlags & DSBCAPS_PRIMARYBUFFER);
	EXPECT_EQ(0u, PlayCursor(buffer));
	EXPECT_EQ(0u, Status(buffer));

	caps.dwSize = 16;
	EXPECT_EQ(DSERR_INVALIDPARAM, buffer->GetCaps(&caps));

	IDirectSoundBuffer8* buffer8 = nullptr;
	ASSERT_EQ(DS_OK, buffer->QueryInterface(IID_IDirectSoundBuffer8, reinterpret_cast<void**>(&buffer8)));
	EXPECT_EQ(buffer, static_cast<IDirectSoundBuffer*>(buffer8));
	EXPECT_EQ(1u, buffer8->Release());
	void* other = &caps;
	EXPECT_EQ(DSERR_NOINTERFACE, buffer->QueryInterface(IID_IDirectSound8, &other));
	EXPECT_EQ(nullptr, other);
}

TEST_F(DSoundBufferTest, FreshBufferIsSilenceInEitherSampleWidth)
{
	MakeBuffer(PcmFormat(1, 8, 44100), 16)->Play(0, 0, 0);
	MakeBuffer(PcmFormat(2, 16, 44100), 16)->Play(0, 0, 0);
	EXPECT_EQ(std::vector<int16_t>(8, 0), Mix(4));
}

TEST_F(DSoundBufferTest, UnsupportedDescriptionsAreRefused)
{
	struct Case
	{
		const char* what;
		DWORD size;
		DWORD flags;
		DWORD bytes;
		WAVEFORMATEX format;
		bool withFormat;
		HRESULT expected;
	};
	WAVEFORMATEX adpcm = PcmFormat(1, 16, 22050);
	adpcm.wFormatTag = 2;
	WAVEFORMATEX badAlign = PcmFormat(2, 16, 44100);
	badAlign.nBlockAlign = 2;
	const WAVEFORMATEX good = PcmFormat(2, 16, 44100);
	const Case cases[] = {
		{"record size", 24, 0, 64, good, true, DSERR_INVALIDPARAM},
		{"no format", sizeof(DSBUFFERDESC), 0, 64, good, false, DSERR_INVALIDPARAM},
		{"too small", sizeof(DSBUFFERDESC), 0, 2, good, true, DSERR_INVALIDPARAM},
		{"one frame", sizeof(DSBUFFERDESC), 0, 4, good, true, DS_OK},
		{"too large", sizeof(DSBUFFERDESC), 0, DSBSIZE_MAX + 1, good, true, DSERR_INVALIDPARAM},
		{"compressed", sizeof(DSBUFFERDESC), 0, 64, adpcm, true, DSERR_BADFORMAT},
		{"three channels", sizeof(DSBUFFERDESC), 0, 64, PcmFormat(3, 16, 44100), true, DSERR_BADFORMAT},
		{"24-bit", sizeof(DSBUFFERDESC), 0, 64, PcmFormat(2, 24, 44100), true, DSERR_BADFORMAT},
		{"block alignment", sizeof(DSBUFFERDESC), 0, 64, badAlign, true, DSERR_BADFORMAT},
		{"rate", sizeof(DSBUFFERDESC), 0, 64, PcmFormat(1, 8, 50), true, DSERR_BADFORMAT},
		{"primary with a length", sizeof(DSBUFFERDESC), DSBCAPS_PRIMARYBUFFER, 64, good, false,
			DSERR_INVALIDPARAM},
		{"primary with a format", sizeof(DSBUFFERDESC), DSBCAPS_PRIMARYBUFFER, 0, good, true,
			DSERR_INVALIDPARAM},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.what);
		DSBUFFERDESC description{};
		description.dwSize = c.size;
		description.dwFlags = c.flags;
		description.dwBufferBytes = c.bytes;
		description.lpwfxFormat = c.withFormat ? &c.format : nullptr;
		IDirectSoundBuffer* buffer = reinterpret_cast<IDirectSoundBuffer*>(&description);
		EXPECT_EQ(c.expected, m_device->CreateSoundBuffer(&description, &buffer, nullptr));
		EXPECT_EQ(c.expected == DS_OK, buffer != nullptr);
		if (buffer)
			buffer->Release();
	}
	DSBUFFERDESC description{};
	description.dwSize = sizeof(description);
	description.dwBufferBytes = 64;
	description.lpwfxFormat = &good;
	IDirectSoundBuffer* buffer = nullptr;
	EXPECT_EQ(DSERR_NOAGGREGATION, m_device->CreateSoundBuffer(&description, &buffer, &description));
	EXPECT_EQ(DSERR_INVALIDPARAM, m_device->CreateSoundBuffer(nullptr, &buffer, nullptr));
}

TEST_F(DSoundBufferTest, ControlsNeedTheirFlagsAndStayInRange)
{
	IDirectSoundBuffer* plain = MakeBuffer(PcmFormat(2, 16, 44100), 64, DSBCAPS_GLOBALFOCUS);
	EXPECT_EQ(DSERR_CONTROLUNAVAIL, plain->SetVolume(-100));
	EXPECT_EQ(DSERR_CONTROLUNAVAIL, plain->SetPan(100));
	EXPECT_EQ(DSERR_CONTROLUNAVAIL, plain->SetFrequency(22050));

	IDirectSoundBuffer* all =
		MakeBuffer(PcmFormat(2, 16, 44100), 64, DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN | DSBCAPS_CTRLFREQUENCY);
	EXPECT_EQ(DS_OK, all->SetVolume(DSBVOLUME_MIN));
	EXPECT_EQ(DSERR_INVALIDPARAM, all->SetVolume(DSBVOLUME_MIN - 1));
	EXPECT_EQ(DSERR_INVALIDPARAM, all->SetVolume(DSBVOLUME_MAX + 1));
	EXPECT_EQ(DS_OK, all->SetPan(DSBPAN_RIGHT));
	EXPECT_EQ(DSERR_INVALIDPARAM, all->SetPan(DSBPAN_RIGHT + 1));
	EXPECT_EQ(DSERR_INVALIDPARAM, all->SetFrequency(DSBFREQUENCY_MIN - 1));
	EXPECT_EQ(DSERR_INVALIDPARAM, all->Play(0, 1, 0));
}

TEST_F(DSoundBufferTest, LockChecksItsRangeAndAllowsOneLockAtATime)
{
	IDirectSoundBuffer* buffer = MakeBuffer(PcmFormat(2, 16, 44100), 64);
	void* part1 = nullptr;
	void* part2 = nullptr;
	DWORD bytes1 = 0, bytes2 = 0;
	EXPECT_EQ(DSERR_INVALIDPARAM, buffer->Lock(0, 65, &part1, &bytes1, &part2, &bytes2, 0));
	EXPECT_EQ(DSERR_INVALIDPARAM, buffer->Lock(64, 4, &part1, &bytes1, &part2, &bytes2, 0));
	EXPECT_EQ(DSERR_INVALIDPARAM, buffer->Lock(0, 0, &part1, &bytes1, &part2, &bytes2, 0));

	// The whole buffer from an offset wraps; the byte count is ignored.
	ASSERT_EQ(DS_OK, buffer->Lock(48, 0, &part1, &bytes1, &part2, &bytes2, DSBLOCK_ENTIREBUFFER));
	EXPECT_EQ(16u, bytes1);
	EXPECT_EQ(48u, bytes2);
	void* again = nullptr;
	DWORD againBytes = 0;
	EXPECT_EQ(DSERR_INVALIDCALL, buffer->Lock(0, 4, &again, &againBytes, nullptr, nullptr, 0));
	EXPECT_EQ(DSERR_INVALIDPARAM, buffer->Unlock(part1, bytes1 + 1, part2, bytes2));
	EXPECT_EQ(DSERR_INVALIDPARAM, buffer->Unlock(part2, bytes1, part1, bytes2));
	ASSERT_EQ(DS_OK, buffer->Unlock(part1, bytes1, part2, bytes2));
	EXPECT_EQ(DSERR_INVALIDPARAM, buffer->Unlock(part1, bytes1, part2, bytes2));

	// From the write cursor, without room for a second part: only the first.
	ASSERT_EQ(DS_OK, buffer->Lock(0, 32, &part1, &bytes1, &part2, &bytes2, DSBLOCK_FROMWRITECURSOR));
	EXPECT_EQ(32u, bytes1);
	EXPECT_EQ(0u, bytes2);
	EXPECT_EQ(nullptr, part2);
	ASSERT_EQ(DS_OK, buffer->Unlock(part1, bytes1, nullptr, 0));
	ASSERT_EQ(DS_OK, buffer->Lock(40, 40, &part1, &bytes1, nullptr, nullptr, 0));
	EXPECT_EQ(24u, bytes1);
	ASSERT_EQ(DS_OK, buffer->Unlock(part1, bytes1, nullptr, 0));
}

TEST_F(DSoundBufferTest, PrimaryBufferHasNoDataOfItsOwn)
{
	DSBUFFERDESC description{};
	description.dwSize = 36;
	description.dwFlags = DSBCAPS_PRIMARYBUFFER;
	IDirectSoundBuffer* primary = nullptr;
	ASSERT_EQ(DS_OK, m_device->CreateSoundBuffer(&description, &primary, nullptr));
	m_buffers.push_back(primary);
	void* part1 = nullptr;
	DWORD bytes1 = 0;
	EXPECT_EQ(DSERR_INVALIDCALL, primary->Lock(0, 4, &part1, &bytes1, nullptr, nullptr, 0));
	EXPECT_EQ(DSERR_INVALIDCALL, primary->SetCurrentPosition(0));
	EXPECT_EQ(DSERR_CONTROLUNAVAIL, primary->SetVolume(0));
	ASSERT_EQ(DS_OK, primary->Play(0, 0, DSBPLAY_LOOPING));
	EXPECT_EQ(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING, Status(primary));
	ASSERT_EQ(DS_OK, primary->Stop());
	EXPECT_EQ(0u, Status(primary));
}

TEST_F(DSoundBufferTest, BufferOutlivingItsDeviceStillAnswers)
{
	IDirectSoundBuffer* buffer = MakeBuffer(PcmFormat(2, 16, 44100), 64);
	EXPECT_EQ(0u, m_device->Release());
	m_device = nullptr;
	EXPECT_EQ(DS_OK, buffer->Play(0, 0, DSBPLAY_LOOPING));
	EXPECT_EQ(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING, Status(buffer));
	EXPECT_EQ(0u, PlayCursor(buffer));
}

TEST_F(DSoundBufferTest, DeviceAnswersItsOwnInterfaceAndCooperativeLevels)
{
	IDirectSound8* same = nullptr;
	ASSERT_EQ(DS_OK, m_device->QueryInterface(IID_IDirectSound8, reinterpret_cast<void**>(&same)));
	EXPECT_EQ(m_device, same);
	EXPECT_EQ(1u, same->Release());
	void* other = nullptr;
	EXPECT_EQ(DSERR_NOINTERFACE, m_device->QueryInterface(IID_IDirectSoundBuffer, &other));

	EXPECT_EQ(DS_OK, m_device->SetCooperativeLevel(nullptr, DSSCL_PRIORITY));
	EXPECT_EQ(DS_OK, m_device->SetCooperativeLevel(nullptr, DSSCL_NORMAL));
	EXPECT_EQ(DSERR_INVALIDPARAM, m_device->SetCooperativeLevel(nullptr, 0));
	EXPECT_EQ(DSERR_INVALIDPARAM, m_device->SetCooperativeLevel(nullptr, 5));
}
