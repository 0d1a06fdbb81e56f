#include "engine/sound/cWaveStream.h"

#include <algorithm>

cSoundStream* cWaveStream::Create(cStream* stream)
{
	uint32_t start = stream->Seek(0, cStream::FromCurrent);
	uint32_t size = stream->GetSize();
	if (start > size)
		return nullptr;
	cSubStream window(stream, start, size - start);
	sWaveHeader header;
	bool ok = ReadWaveHeader(window, header);
	stream->Seek(static_cast<int32_t>(start), cStream::FromStart);
	return ok ? new cWaveStream(stream, start, header) : nullptr;
}

cWaveStream::cWaveStream(cStream* stream, uint32_t start, const sWaveHeader& header)
	: cSoundStream(stream), m_window(stream, start, stream->GetSize() - start), m_header(header)
{
	SetDataStart(header.dataStart);
}

double cWaveStream::GetBytesPerSecond() const
{
	return static_cast<double>(m_header.format.nBlockAlign) * m_header.format.nSamplesPerSec;
}

float cWaveStream::GetLength()
{
	return static_cast<float>(m_header.dataLength / GetBytesPerSecond());
}

float cWaveStream::GetPosition()
{
	double played = static_cast<double>(m_window.Seek(0, cStream::FromCurrent)) - m_header.dataStart;
	return static_cast<float>(played / GetBytesPerSecond());
}

uint32_t cWaveStream::GetPcmSize()
{
	return m_header.dataLength;
}

const WAVEFORMATEX* cWaveStream::GetFormat()
{
	return &m_header.format;
}

uint32_t cWaveStream::Read(sSoundCursor& cursor, void* destination, uint32_t count)
{
	const uint32_t dataEnd = GetDataEnd();
	int64_t start = std::clamp<int64_t>(cursor.position, m_header.dataStart, dataEnd);
	uint32_t position = m_window.Seek(static_cast<int32_t>(start), cStream::FromStart);
	uint8_t* out = static_cast<uint8_t*>(destination);
	uint32_t total = 0;
	bool rewound = false;
	while (count > 0)
	{
		uint32_t got = m_window.Read(out, std::min(count, dataEnd - std::min(position, dataEnd)));
		position += got;
		out += got;
		total += got;
		count -= got;
		// The end of the data; a looping cursor goes on from its start unless
		// that gave nothing already.
		if (count == 0 || !cursor.loop || (rewound && got == 0))
			break;
		Rewind(cursor);
		position = m_window.Seek(static_cast<int32_t>(m_header.dataStart), cStream::FromStart);
		rewound = true;
	}
	cursor.position = position;
	cursor.ended = !cursor.loop && position >= dataEnd;
	return total;
}
