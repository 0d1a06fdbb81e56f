#include "engine/resources/cResourceManager.h"

#include "engine/foundation/Folders.h"
#include "engine/foundation/cFileStream.h"
#include "engine/foundation/cLog.h"
#include "engine/foundation/cXmlDispatcher.h"
#include "engine/resources/ResourceUtils.h"
#include "engine/resources/cDataResource.h"
#include "engine/resources/cResourceMount.h"
#include "engine/resources/cXmlResource.h"

#include <memory>

cResourceManager::cResourceManager()
{
	InitializeCriticalSection(&m_lock);
	RegisterType("xml", cXmlResource::Create);
	RegisterExtension("xml", "xml");
	m_dispatcher = new cXmlDispatcher;
	m_dispatcher->SetHandler("resource",
		cDelegatePtr<cXmlNode*>(MakeMemberDelegate(this, &cResourceManager::OnResourceElement)));
}

cResourceManager::~cResourceManager()
{
	s_beingDestroyed = true;
	DeleteMapValues(m_mounts);
	delete m_dispatcher;
	DeleteCriticalSection(&m_lock);
	// The indexes name the deleted resources no more, so that a manager made
	// after this one (before exit) starts empty and releases as usual.
	cResourceIndex::ClearAll();
	s_beingDestroyed = false;
}

bool cResourceManager::RegisterType(const std::string& type, Creator creator)
{
	m_creators[type] = creator;
	return true;
}

bool cResourceManager::RegisterExtension(const std::string& extension, const std::string& type)
{
	m_extensions[extension] = type;
	return true;
}

cResource* cResourceManager::CreateByType(const std::string& type, const std::string& name,
	const sResourceSource& source)
{
	auto found = m_creators.find(type);
	if (found == m_creators.end())
		return new cDataResource(name, source);
	return found->second(name, source);
}

cResource* cResourceManager::CreateByExtension(const std::string& extension, const std::string& name,
	const sResourceSource& source)
{
	auto found = m_extensions.find(extension);
	return CreateByType(found == m_extensions.end() ? std::string() : found->second, name, source);
}

void cResourceManager::AddSource(const std::string& path)
{
	if (m_mounts.count(path) == 0)
		m_mounts[path] = new cResourceMount(*this, path);
}

cResourceMount* cResourceManager::GetMount(const std::string& path) const
{
	auto found = m_mounts.find(path);
	return found == m_mounts.end() ? nullptr : found->second;
}

bool cResourceManager::PackSource(const std::string& path, cStream& out, int choice)
{
	cResourceMount* mount = GetMount(path);
	return mount && mount->Write(out, choice);
}

bool cResourceManager::PackSourceToFile(const std::string& path, const std::string& file, int choice)
{
	// Opened (or created) for reading and writing, with read sharing.
	const int openAlways = 2;
	const int readWrite = 6;
	const int readSharing = 2;
	auto out = std::make_unique<cFileStream>(file, openAlways, readWrite, readSharing);
	bool written = PackSource(path, *out, choice) && out->Flush();
	out.reset();
	if (!written)
	{
		LOG(2, "could not write the pack file %s of %s; it is removed", file.c_str(), path.c_str());
		RemoveFile(file);
	}
	return written;
}

void cResourceManager::LoadResourceList(const std::string& file, std::vector<cResource*>& list)
{
	m_currentList = &list;
	std::unique_ptr<cFileStream> stream(OpenForReading(file));
	cXmlDocument document(*stream);
	m_dispatcher->DispatchChildren(document);
	m_currentList = nullptr;
}

void cResourceManager::OnResourceElement(cXmlNode* element)
{
	if (!m_currentList)
		return;
	const cXmlNode* name = element->FindAttribute("name");
	const cXmlNode* type = element->FindAttribute("type");
	if (!name || !type)
	{
		LOG(1, "a resource list entry without a name or a type is skipped");
		return;
	}
	cResource* resource = CreateByType(type->GetValue(), name->GetValue(), sResourceSource());
	resource->ReadDescription(*element);
	m_currentList->push_back(resource);
}

void cResourceManager::LogResourceMessage(const std::string& type, const std::string& name, const std::string& text)
{
	LOG(0, "%s[%s] %s", type.c_str(), name.c_str(), text.c_str());
}

int cResourceManager::ReleaseResource(cResource* resource)
{
	if (!resource || cResourceIndex::IsGone() || IsBeingDestroyed() || cResourceIndex::All().IsEmpty())
		return -1;
	cAutoLock lock(GetInstance()->GetLock());
	return resource->DecRef();
}
