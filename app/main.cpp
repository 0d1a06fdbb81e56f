// Process entry: packs the command line into the start-up record and hands
// the whole run to the game.

#include "app/GameMain.h"
#include "engine/foundation/CrashHandlerInstall.h"

#include <string>

int main(int argc, char** argv)
{
	std::string commandLine;
	for (int i = 1; i < argc; ++i)
	{
		if (i > 1)
			commandLine += ' ';
		commandLine += argv[i];
	}

	sStartupParams params{};
	params.instance = nullptr;
	params.showCommand = SW_SHOWDEFAULT;
	params.parentWindow = nullptr;
	params.commandLine = commandLine.c_str();
	params.singleInstance = true;
	return GameMain(&params);
}
