#include "engine/foundation/cConfig.h"

#include "engine/foundation/Folders.h"
#include "engine/foundation/cDirectoryListing.h"
#include "engine/foundation/cFileStream.h"
#include "engine/foundation/cLog.h"
#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cXmlDocument.h"
#include "engine/foundation/cXmlParser.h"

#include <algorithm>
#include <memory>

cConfig::cConfig()
{
	const std::string userFolder = GetUserFolder();
	const std::string programFolder = GetProgramFolder();
	SetValue("music_volume", "1.0");
	SetValue("sound_volume", "1.0");
	SetValue("application_name", "");
	SetValue("application_version", "");
	SetValue("company name", "Druvel's games");
	SetValue("resource_directory", GetResourceFolder());
	SetValue("user_directory", userFolder);
	SetValue("exe_directory", programFolder);
	SetValue("engine_directory", programFolder);
	SetValue("pack_files_directory", "Data");
	SetValue("log_directory", userFolder);
	SetValue("log", "true");
	SetValue("hard_log", "true");
}

void cConfig::SetValue(const std::string& key, const std::string& text)
{
	m_settings.SetText(key, text);
}

const std::string& cConfig::GetValue(const std::string& key)
{
	return m_settings.GetText(key);
}

void cConfig::MarkSaved(const std::string& key)
{
	if (std::find(m_savedKeys.begin(), m_savedKeys.end(), key) == m_savedKeys.end())
		m_savedKeys.push_back(key);
}

std::string cConfig::GetSettingsFilePath()
{
	return GetValue("engine_directory") + "\\" + GetValue("short_name") + ".xml";
}

bool cConfig::Load()
{
	// Without an application-data folder the settings live under the working folder.
	std::string userFolder = GetValue("user_directory");
	m_settingsFolder = (userFolder.empty() ? "" : userFolder + "\\") + GetValue("company name") + "\\" + GetValue("short_name");
	CreateFolderRecursive(m_settingsFolder);
	SetValue("engine_directory", m_settingsFolder);
	SetValue("log_directory", m_settingsFolder);

	std::string path = GetSettingsFilePath();
	if (cDirectoryListing(path).GetFiles().empty())
		return false;
	cFileStream file(path, 3, 2, 2);
	cMemoryStream text(file);
	cXmlParser parser(text);
	std::unique_ptr<cXmlNode> top(parser.Parse());
	if (!top || !parser.IsComplete())
	{
		LOG(1, "Settings file %s is damaged; the defaults stay", path.c_str());
		return false;
	}
	const cXmlNode* config = top->FindChild("config");
	if (!config)
	{
		LOG(1, "Settings file %s holds no settings; the defaults stay", path.c_str());
		return false;
	}
	Apply(*config, path);
	return true;
}

void cConfig::Apply(const cXmlNode& config, const std::string& path)
{
	for (const cXmlNode* item = config.GetFirstChild(); item; item = item->GetNextSibling())
	{
		const cXmlNode* value = item->FindAttribute("value");
		const cXmlNode* id = item->FindAttribute("id");
		if (!value || !id)
		{
			LOG(1, "Settings file %s: skipped an item without id or value", path.c_str());
			continue;
		}
		SetValue(id->GetValue(), value->GetValue());
	}
}

bool cConfig::Save()
{
	// Nothing bound (a start refused because another copy runs): keep the file as it is.
	if (m_savedKeys.empty())
		return true;

	cXmlDocument document("config");
	cXmlNode* config = document.GetRoot().AddChildByPath("config");
	for (const std::string& key : m_savedKeys)
	{
		cXmlNode* item = config->AddChildByPath("item");
		item->AddAttribute("id")->SetValue(key);
		item->AddAttribute("value")->SetValue(GetValue(key));
	}

	cMemoryStream text;
	std::string path = GetSettingsFilePath();
	if (document.Save(text) && WriteFileSafely(path, path + ".tmp", text))
		return true;
	LOG(2, "Could not save the settings file %s; the previous one is kept", path.c_str());
	return false;
}
