#include "engine/resources/cResource.h"

#include "engine/foundation/cAutoLock.h"
#include "engine/resources/cResourceIndex.h"
#include "engine/resources/cResourceManager.h"

cResource::cResource(const std::string& name, const sResourceSource& source) : m_name(name), m_source(source)
{
}

void cResource::AddToIndex()
{
	cResourceIndex::All().Enter(this);
}

void cResource::RemoveFromIndex()
{
	if (!cResourceIndex::IsGone() && !cResourceManager::IsBeingDestroyed())
		cResourceIndex::All().Leave(this);
}

void cResource::Save(cStream& out)
{
	cMemoryStream bytes;
	if (m_source.Read(bytes))
		out.CopyFrom(bytes, cStream::WholeStream);
}

void cResource::ReadDescription(const cXmlNode&)
{
}

bool cResource::IsCompressible()
{
	return true;
}

int cResource::AddRef()
{
	cAutoLock lock(cResourceManager::GetInstance()->GetLock());
	if (m_loadCount == 0)
		Load();
	return ++m_loadCount;
}

int cResource::DecRef()
{
	if (m_loadCount < 1)
		return m_loadCount;
	if (--m_loadCount == 0)
		Unload();
	return m_loadCount;
}

int cResource::Release()
{
	return cResourceManager::ReleaseResource(this);
}
