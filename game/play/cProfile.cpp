#include "game/play/cProfile.h"

#include "engine/foundation/Folders.h"
#include "engine/foundation/TextConversion.h"
#include "engine/foundation/cConfig.h"
#include "engine/foundation/cDirectoryListing.h"
#include "engine/foundation/cFileStream.h"
#include "engine/foundation/cLog.h"
#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/sPathInfo.h"

cProfile* g_currentProfile = nullptr;

cProfile::~cProfile()
{
	if (g_currentProfile == this)
		g_currentProfile = nullptr;
}

void cProfile::Activate()
{
	if (g_currentProfile == this)
		return;
	if (g_currentProfile)
		g_currentProfile->Save();
	CountActivation();
	g_currentProfile = this;
	Load();
}

bool cProfile::Save()
{
	cMemoryStream content;
	WriteBody(content);
	const std::string path = GetFileName();
	if (ReplaceFile(path, content))
		return true;
	LOG(2, "Could not save the profile file %s; the previous one is kept", path.c_str());
	return false;
}

void cProfile::WriteBody(cStream&)
{
}

bool cProfile::Load()
{
	const std::string path = GetFileName();
	if (cDirectoryListing(path).GetFiles().empty())
		return true;
	cFileStream file(path, 3, 2, 2);
	cMemoryStream body(file);
	if (ReadBody(body))
		return true;
	LOG(2, "Profile file %s is damaged; the profile keeps its data", path.c_str());
	return false;
}

bool cProfile::ReadBody(cStream&)
{
	return true;
}

std::string cProfile::GetFileName() const
{
	return Singletone<cConfig>::GetInstance()->GetValue("engine_directory") + "\\" + GetFileStem(m_name) + ".profile";
}

std::string cProfile::GetFileStem(const std::wstring& name)
{
	std::string utf8;
	WideToUtf8(name, utf8);
	std::string stem;
	for (char byte : utf8)
		stem += std::to_string(static_cast<signed char>(byte));
	return stem;
}

bool cProfile::ReplaceFile(const std::string& path, cMemoryStream& content)
{
	return WriteFileSafely(path, sPathInfo(path).folder + "\\temp_file", content);
}
