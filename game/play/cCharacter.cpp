#include "game/play/cCharacter.h"

#include "engine/foundation/cLog.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cTexture.h"
#include "engine/graphics/cTextureResource.h"
#include "engine/scene/cQuadVisual.h"
#include "game/play/cCharacterSetOwner.h"

cCharacter::cCharacter(const std::string& name, cSceneObject* parent)
	: cSceneObject(name, parent), m_picture(new cQuadVisual(this))
{
	SetVisual(m_picture);
	cPropertyMap& properties = GetProperties().GetMap();
	properties.BindIntVariable("prob", &m_prob);
	properties.BindString("set", cDelegatePtr<std::string*>(),
		cDelegatePtr<std::string*>(MakeMemberDelegate(this, &cCharacter::OnSetWritten)));
}

void cCharacter::SetSet(const std::string& name)
{
	auto* owner = dynamic_cast<cCharacterSetOwner*>(GetParent());
	if (!owner)
	{
		LOG(1, "Character '%s' cannot join set '%s': its parent keeps no sets\n", GetName().c_str(), name.c_str());
		return;
	}
	owner->GetCharacterSet(name, this);
}

void cCharacter::OnLoaded()
{
	if (!Singletone<cGraphics>::Exists())
		return;
	std::vector<cMaterialController>& materials = m_picture->GetModelController()->GetMaterials();
	if (materials.empty())
		return;
	cMaterialController& material = materials.front();
	const cTexture* texture = material.GetStageTexture(0);
	const int limit = Singletone<cGraphics>::GetInstance()->GetTextureSizeLimit();
	if (!texture || (limit >= texture->GetWidth() && limit >= texture->GetHeight()))
		return;
	m_lowTexture.Adopt(cResourceManager::GetResourceByName<cTextureResource>(material.GetTextureName(0) + "_low"));
	if (auto* low = m_lowTexture.Get<cTextureResource>())
		material.SetTexture(0, low->GetTexture());
}

cSceneObject* CreateCharacterObject(const std::string& name, cSceneObject* parent)
{
	return new cCharacter(name, parent);
}
