#pragma once
// The settings store: text keys with defaults, loaded from and saved to
// the user's settings file "<short_name>.xml" in the settings folder
// (application data\company name\short_name). Owners bind their keys on
// GetSettings and mark the ones written back at exit.

#include "engine/foundation/Singletone.h"
#include "engine/foundation/cPropertyMap.h"

#include <string>
#include <vector>

class cXmlNode;

class cConfig : public Singletone<cConfig>
{
public:
	// Sets the defaults.
	cConfig();

	void SetValue(const std::string& key, const std::string& text);
	// An absent key is inserted with an empty entry and reads as empty text.
	const std::string& GetValue(const std::string& key);
	// Puts the key on the saved list once; call it before binding the key.
	void MarkSaved(const std::string& key);

	// Creates the settings folder, points "engine_directory" and
	// "log_directory" at it and reads the settings file. A missing, damaged
	// or incomplete file leaves the defaults (and is logged); returns
	// whether a file was read.
	bool Load();
	// Writes the saved keys to the settings file through a temporary file
	// that replaces it only once completely written, so a failure keeps the
	// old file. With no saved keys nothing is written. False on failure.
	bool Save();

	cPropertyMap& GetSettings() { return m_settings; }
	const std::vector<std::string>& GetSavedKeys() const { return m_savedKeys; }
	const std::string& GetSettingsFolder() const { return m_settingsFolder; }
	// "engine_directory" + "\" + "short_name" + ".xml".
	std::string GetSettingsFilePath();

private:
	void Apply(const cXmlNode& config, const std::string& path);

	cPropertyMap m_settings;
	std::vector<std::string> m_savedKeys;
	std::string m_settingsFolder;
};
