#include "engine/scene/cPropertyBag.h"

#include "engine/foundation/StringUtils.h"
#include "engine/scene/cSceneObject.h"

cPropertyBag::cPropertyBag(cSceneObject* owner) : m_owner(owner)
{
}

const std::string& cPropertyBag::GetProperty(const std::string& key)
{
	static const std::string empty;
	auto found = m_properties.find(key);
	if (found == m_properties.end())
		return empty;
	sPropertyEntry& entry = found->second;
	if (entry.value)
		entry.value->GetValue(entry.text);
	return entry.text;
}

void cPropertyBag::SetProperty(const std::string& key, const std::string& text)
{
	m_properties.SetText(key, text);
}

void cPropertyBag::SetWideProperty(const std::string& key, const std::wstring& text)
{
	SetProperty(key, Utf8FromWide(text));
}

void cPropertyBag::SetEnabled(bool enabled)
{
	m_enabled = enabled;
	m_owner->RefreshLook();
}

void cPropertyBag::SetVisible(bool visible)
{
	if (visible)
	{
		if (!m_visible && !m_effectiveVisible)
			m_justShown = true;
		m_visible = true;
	}
	else
	{
		m_visible = false;
		m_justShown = false;
	}
}
