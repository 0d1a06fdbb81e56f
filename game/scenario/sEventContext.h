#pragma once
// The values one whole collection walk shares: the object a filtered walk
// asks about, and the object, item and position that the commands above
// the one recording an event have set. There is one for the process, so
// only one walk may run at a time.

#include "engine/foundation/cVector3d.h"

#include <string>

struct sEventContext
{
	std::string filter;
	std::string object;
	std::string item;
	cVector3d position;
};

sEventContext& GetEventContext();
// Empties the texts and puts the position at (0, 0, 0).
void ResetEventContext();
