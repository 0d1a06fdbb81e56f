#pragma once
// The first and last steps of a run for settings and log.

#include <string>

// Creates the settings store with its defaults, sets "short_name", reads
// the user's settings file and starts the log.
void StartSettingsAndLog(const std::string& shortName);

// Saves the settings at the end of a run. After a start refused because
// another copy runs nothing is bound, and the file stays as it is. The
// log's trailer follows when the singletons are destroyed at exit.
void FinishSettings();
