#pragma once
// An object's named properties, read and written as text, and its state
// bytes: enabled and visible as set, the effective forms that include every
// ancestor (recomputed by the transform pass), and "just shown", which keeps
// an object that became visible in this frame from being drawn before its
// next update has placed it.

#include "engine/foundation/cPropertyMap.h"

#include <string>

class cSceneObject;

class cPropertyBag
{
public:
	explicit cPropertyBag(cSceneObject* owner);
	virtual ~cPropertyBag() = default;

	// The key's value as text; a key that is not present gives a shared
	// empty text and creates nothing.
	const std::string& GetProperty(const std::string& key);
	// A key without a value first gets a stored text.
	void SetProperty(const std::string& key, const std::string& text);
	void SetWideProperty(const std::string& key, const std::wstring& text);

	// Stores the flag and lets the owner refresh its look.
	void SetEnabled(bool enabled);
	// Showing an object that was neither visible nor effectively visible
	// marks it just shown; hiding it clears both.
	void SetVisible(bool visible);

	bool IsEnabled() const { return m_enabled; }
	bool IsVisible() const { return m_visible; }
	bool IsEffectiveVisible() const { return m_effectiveVisible; }
	bool IsEffectiveEnabled() const { return m_effectiveEnabled; }
	bool IsJustShown() const { return m_justShown; }
	void ClearJustShown() { m_justShown = false; }
	void SetEffectiveState(bool visible, bool enabled)
	{
		m_effectiveVisible = visible;
		m_effectiveEnabled = enabled;
	}

	cPropertyMap& GetMap() { return m_properties; }
	cSceneObject* GetOwner() const { return m_owner; }

private:
	cSceneObject* m_owner;
	cPropertyMap m_properties;
	bool m_enabled = true;
	bool m_visible = true;
	bool m_effectiveVisible = false;
	bool m_effectiveEnabled = false;
	bool m_justShown = false;
};
