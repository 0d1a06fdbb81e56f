#include "game/scenario/commands/cAnimationStopCommand.h"

#include "game/location/cLocationForm.h"

void cAnimationStopCommand::Execute()
{
	cLocationForm* form = GetForm();
	if (!form)
		return;
	if (m_animationName.empty())
	{
		form->GetAnimations().StopAll();
		form->GetMotions().StopAll();
		return;
	}
	form->GetAnimations().StopByName(m_animationName);
	form->GetMotions().StopByName(m_animationName);
}
