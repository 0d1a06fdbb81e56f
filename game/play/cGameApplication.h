#pragma once
// The game's frame work, driven by the application's frame loop.

#include "engine/foundation/cApplicationHandler.h"

class cGameApplication : public cApplicationHandler
{
public:
	bool CanRun() override;
	bool Update(float dt) override;
	void Render() override;
};
