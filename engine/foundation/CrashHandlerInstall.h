#pragma once
// Included once by a program's main source: installs the crash handler
// from a static initialiser, ahead of the other initialisers, so that it
// covers the whole run, and gives the previous handling back at exit.

#include "engine/foundation/cCrashHandler.h"

namespace
{
struct sCrashHandlerInstallation
{
	sCrashHandlerInstallation() { InstallCrashHandler(); }
	~sCrashHandlerInstallation() { cCrashHandler::SetCrashCallback(nullptr); }
};

[[gnu::init_priority(101)]] sCrashHandlerInstallation s_crashHandlerInstallation;
}
