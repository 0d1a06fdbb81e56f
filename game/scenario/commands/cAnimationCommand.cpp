#include "game/scenario/commands/cAnimationCommand.h"

#include "game/location/cLocationForm.h"

void cAnimationCommand::Execute()
{
	cLocationForm* form = GetForm();
	if (!form)
		return;
	cLocationWaitList& waitList = form->GetWaitList();
	waitList.Clear();
	form->GetAnimations().PlayByName(m_animationName);
	form->GetMotions().PlayByName(m_animationName);
	if (!form->GetAnimations().IsLoopingByName(m_animationName) && !form->GetMotions().IsLoopingByName(m_animationName))
		waitList.AddAnimation(m_animationName);
}
