#include "engine/sound/cSoundStream.h"

#include "engine/foundation/cStream.h"

cSoundStream::cSoundStream(cStream* source) : m_source(source)
{
}

cSoundStream::~cSoundStream()
{
	delete m_source;
}

bool cSoundStream::IsBusy()
{
	return false;
}

void cSoundStream::Rewind(sSoundCursor& cursor)
{
	cursor.ended = false;
	cursor.position = m_dataStart;
}

void cSoundStream::SeekSource(int32_t offset)
{
	m_source->Seek(offset, cStream::FromStart);
}
