#include "game/play/cCharacterSet.h"

#include "engine/foundation/Random.h"
#include "game/play/cCharacter.h"

void cCharacterSet::AddMember(cCharacter* character)
{
	m_members.push_back(character);
	character->SetVisible(false);
	character->GetChildList().SetParent(this, false);
}

cCharacter* cCharacterSet::PickMember() const
{
	int sum = 0;
	for (cCharacter* member : m_members)
		sum += member->GetProb();
	for (cCharacter* member : m_members)
	{
		const int draw = sum ? Random() % sum : 0;
		if (unsigned(draw) <= unsigned(member->GetProb()))
			return member;
	}
	return m_members.front();
}

void cCharacterSet::Update(float dt)
{
	if (!m_members.empty() && !GetAnimations().IsPlaying())
	{
		for (cCharacter* member : m_members)
			member->SetVisible(false);
		cCharacter* chosen = PickMember();
		chosen->SetVisible(true);
		chosen->GetAnimations().PlayByName("idle");
	}
	cSceneObject::Update(dt);
}
