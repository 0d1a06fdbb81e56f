#include "engine/sound/cOggStream.h"

#include "engine/foundation/cStream.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <thread>

namespace
{
constexpr int LittleEndian = 0;
constexpr int BytesPerSample = 2;
constexpr int Signed = 1;

size_t ReadCallback(void* destination, size_t size, size_t count, void* stream)
{
	size_t bytes = std::min<size_t>(size * count, UINT32_MAX);
	return static_cast<cStream*>(stream)->Read(destination, static_cast<uint32_t>(bytes));
}

// Reports the new position, never -1: the stream counts as seekable.
int SeekCallback(void* stream, ogg_int64_t offset, int whence)
{
	int origin = whence == SEEK_SET ? cStream::FromStart : whence == SEEK_CUR ? cStream::FromCurrent : cStream::FromEnd;
	return static_cast<int>(static_cast<cStream*>(stream)->Seek(static_cast<int32_t>(offset), origin));
}

// The decoder owns the stream and deletes it itself.
int CloseCallback(void*)
{
	return 0;
}

long TellCallback(void* stream)
{
	return static_cast<long>(static_cast<cStream*>(stream)->Seek(0, cStream::FromCurrent));
}

const ov_callbacks Callbacks = {ReadCallback, SeekCallback, CloseCallback, TellCallback};

// Holds the busy flag for the length of one read.
class cBusyHold
{
public:
	explicit cBusyHold(std::atomic<bool>& busy) : m_busy(busy)
	{
		while (m_busy.exchange(true))
			std::this_thread::yield();
	}
	~cBusyHold() { m_busy = false; }

	cBusyHold(const cBusyHold&) = delete;
	cBusyHold& operator=(const cBusyHold&) = delete;

private:
	std::atomic<bool>& m_busy;
};
}

cSoundStream* cOggStream::Create(cStream* stream)
{
	cOggStream* decoder = new cOggStream(stream);
	if (decoder->Open())
		return decoder;
	// The stream stays with the caller, who tries the next decoder.
	decoder->DetachSource();
	delete decoder;
	return nullptr;
}

cOggStream::cOggStream(cStream* stream) : cSoundStream(stream)
{
}

cOggStream::~cOggStream()
{
	if (m_open)
		ov_clear(&m_file);
}

bool cOggStream::Open()
{
	if (ov_open_callbacks(GetSource(), &m_file, nullptr, 0, Callbacks) < 0)
		return false;
	m_open = true;
	const vorbis_info* info = ov_info(&m_file, -1);
	if (!info || info->channels < 1 || info->channels > UINT16_MAX / BytesPerSample || info->rate < 1)
		return false;
	m_format.wFormatTag = WAVE_FORMAT_PCM;
	m_format.nChannels = static_cast<uint16_t>(info->channels);
	m_format.nSamplesPerSec = static_cast<uint32_t>(info->rate);
	m_format.wBitsPerSample = BytesPerSample * 8;
	m_format.nBlockAlign = static_cast<uint16_t>(info->channels * BytesPerSample);
	m_format.nAvgBytesPerSec = m_format.nBlockAlign * m_format.nSamplesPerSec;
	m_format.cbSize = sizeof(WAVEFORMATEX);
	return true;
}

bool cOggStream::IsBusy()
{
	return m_busy;
}

float cOggStream::GetLength()
{
	return static_cast<float>(std::max(ov_time_total(&m_file, -1), 0.0));
}

float cOggStream::GetPosition()
{
	// A failed seek leaves vorbisfile's position at -1, which ov_time_tell
	// does not expect: it would look the rate up before the first stream.
	if (ov_pcm_tell(&m_file) < 0)
		return 0.0f;
	return static_cast<float>(std::max(ov_time_tell(&m_file), 0.0));
}

uint32_t cOggStream::GetPcmSize()
{
	ogg_int64_t frames = std::max<ogg_int64_t>(ov_pcm_total(&m_file, -1), 0);
	return static_cast<uint32_t>(frames * m_format.nBlockAlign);
}

const WAVEFORMATEX* cOggStream::GetFormat()
{
	return &m_format;
}

uint32_t cOggStream::Read(sSoundCursor& cursor, void* destination, uint32_t count)
{
	cBusyHold hold(m_busy);
	// vorbisfile delivers whole frames only.
	count = std::min<uint32_t>(count, INT_MAX);
	count -= count % m_format.nBlockAlign;
	char* out = static_cast<char*>(destination);
	uint32_t total = 0;
	bool positioned = ov_pcm_seek(&m_file, cursor.position) == 0;
	bool rewound = false;
	while (count > 0)
	{
		int section = 0;
		long got = cursor.ended || !positioned
			? 0 : ov_read(&m_file, out, static_cast<int>(count), LittleEndian, BytesPerSample, Signed, &section);
		if (got > 0)
		{
			out += got;
			total += static_cast<uint32_t>(got);
			count -= static_cast<uint32_t>(got);
			rewound = false;
			continue;
		}
		// The end of the stream or damaged data: a looping cursor goes on from
		// the start unless that gave nothing already.
		if (!cursor.loop)
		{
			cursor.ended = true;
			break;
		}
		if (rewound)
			break;
		Rewind(cursor);
		positioned = ov_pcm_seek(&m_file, cursor.position) == 0;
		rewound = true;
	}
	if (positioned)
		cursor.position = ov_pcm_tell(&m_file);
	return total;
}
