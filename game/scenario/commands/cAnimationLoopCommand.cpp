#include "game/scenario/commands/cAnimationLoopCommand.h"

#include "game/location/cLocationForm.h"

void cAnimationLoopCommand::Execute()
{
	cLocationForm* form = GetForm();
	if (!form)
		return;
	form->GetAnimations().PlayByName(m_animationName);
	form->GetAnimations().SetLoopByName(m_animationName, true);
	form->GetMotions().PlayByName(m_animationName);
	form->GetMotions().SetLoopByName(m_animationName, true);
}
