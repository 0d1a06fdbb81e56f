#include "engine/foundation/SettingsStartup.h"

#include "engine/foundation/cConfig.h"
#include "engine/foundation/cLog.h"

void StartSettingsAndLog(const std::string& shortName)
{
	cConfig* config = Singletone<cConfig>::GetInstance();
	config->SetValue("short_name", shortName);
	config->Load();
	Singletone<cLog>::GetInstance()->Init();
}

void FinishSettings()
{
	Singletone<cConfig>::GetInstance()->Save();
}
