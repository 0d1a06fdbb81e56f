#include "engine/sound/WaveHeader.h"

#include "engine/foundation/cLog.h"
#include "engine/foundation/cStream.h"

#include <climits>
#include <cstring>

namespace
{
constexpr uint32_t FirstChunk = 12;
constexpr uint32_t ChunkHeaderSize = 8;
constexpr uint32_t PcmRecordSize = 16;

uint16_t ReadU16(const uint8_t* bytes)
{
	return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

uint32_t ReadU32(const uint8_t* bytes)
{
	return static_cast<uint32_t>(ReadU16(bytes)) | static_cast<uint32_t>(ReadU16(bytes + 2)) << 16;
}

struct sChunk
{
	uint32_t payload = 0;
	uint32_t size = 0;
};

// Walks the chunk list for the id. Every step moves past a whole chunk, so
// the walk ends at the end of the file whatever the sizes say.
bool FindChunk(cStream& file, const char* id, sChunk& chunk)
{
	const uint64_t end = file.GetSize();
	uint64_t at = FirstChunk;
	while (at + ChunkHeaderSize <= end && at <= INT32_MAX)
	{
		uint8_t header[ChunkHeaderSize];
		file.Seek(static_cast<int32_t>(at), cStream::FromStart);
		if (file.Read(header, ChunkHeaderSize) != ChunkHeaderSize)
			return false;
		uint32_t size = ReadU32(header + 4);
		if (std::memcmp(header, id, 4) == 0)
		{
			chunk.payload = static_cast<uint32_t>(at + ChunkHeaderSize);
			chunk.size = size;
			return true;
		}
		at += ChunkHeaderSize + static_cast<uint64_t>(size) + (size & 1);
	}
	return false;
}

bool IsRiffWave(cStream& file)
{
	uint8_t header[FirstChunk];
	file.Seek(0, cStream::FromStart);
	return file.Read(header, FirstChunk) == FirstChunk && std::memcmp(header, "RIFF", 4) == 0
		&& std::memcmp(header + 8, "WAVE", 4) == 0;
}

bool ReadFormat(cStream& file, WAVEFORMATEX& format)
{
	sChunk chunk;
	if (!FindChunk(file, "fmt ", chunk))
	{
		LOG(2, "WAVE file has no \"fmt \" chunk");
		return false;
	}
	// Longer records carry fields this reader does not know; shorter ones
	// would take their missing fields from the next chunk.
	if (chunk.size != PcmRecordSize)
	{
		LOG(2, "WAVE \"fmt \" chunk of %u bytes is not a 16-byte PCM record", chunk.size);
		return false;
	}
	uint8_t record[PcmRecordSize];
	file.Seek(static_cast<int32_t>(chunk.payload), cStream::FromStart);
	if (file.Read(record, PcmRecordSize) != PcmRecordSize)
	{
		LOG(2, "WAVE \"fmt \" chunk is cut short");
		return false;
	}
	format.wFormatTag = ReadU16(record);
	format.nChannels = ReadU16(record + 2);
	format.nSamplesPerSec = ReadU32(record + 4);
	format.nAvgBytesPerSec = ReadU32(record + 8);
	format.nBlockAlign = ReadU16(record + 12);
	format.wBitsPerSample = ReadU16(record + 14);
	format.cbSize = 0;
	if (format.wFormatTag != WAVE_FORMAT_PCM)
	{
		LOG(2, "WAVE format %u is not PCM", format.wFormatTag);
		return false;
	}
	if (format.nChannels == 0 || format.nSamplesPerSec == 0 || format.nBlockAlign == 0)
	{
		LOG(2, "WAVE format has %u channels, %u samples per second and %u-byte frames", format.nChannels,
			format.nSamplesPerSec, format.nBlockAlign);
		return false;
	}
	return true;
}

void FindData(cStream& file, sWaveHeader& header)
{
	sChunk chunk;
	if (!FindChunk(file, "data", chunk))
	{
		LOG(1, "WAVE file has no \"data\" chunk");
		header.dataStart = file.GetSize();
		header.dataLength = 0;
		return;
	}
	uint32_t available = file.GetSize() - chunk.payload;
	if (chunk.size > available)
		LOG(1, "WAVE \"data\" chunk of %u bytes holds only %u", chunk.size, available);
	uint32_t length = chunk.size < available ? chunk.size : available;
	header.dataStart = chunk.payload;
	header.dataLength = length - length % header.format.nBlockAlign;
}
}

bool ReadWaveHeader(cStream& file, sWaveHeader& header)
{
	if (!IsRiffWave(file) || !ReadFormat(file, header.format))
		return false;
	FindData(file, header);
	return true;
}
