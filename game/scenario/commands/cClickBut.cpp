#include "game/scenario/commands/cClickBut.h"

#include "game/location/cLocationForm.h"

#include <algorithm>

int cClickBut::IsReady()
{
	const cLocationForm* form = GetForm();
	const std::string clicked = form ? form->GetClickedName() : std::string();
	return std::find(m_names.begin(), m_names.end(), clicked) != m_names.end() ? kFinished : kNoBranch;
}
