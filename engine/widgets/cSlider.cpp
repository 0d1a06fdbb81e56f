#include "engine/widgets/cSlider.h"

#include "engine/foundation/Clamp.h"
#include "engine/scene/cQuadVisual.h"
#include "engine/scene/cSceneManager.h"
#include "engine/widgets/WidgetRules.h"

cSlider::cSlider(const std::string& name, cSceneObject* parent)
	: cSceneObject(name, parent), m_visual(new cQuadVisual(this))
{
	SetVisual(m_visual);
	cPropertyMap& properties = GetProperties().GetMap();
	properties.BindBoolVariable("vertical", &m_vertical);
	properties.BindInt("min", cDelegatePtr<int*>(), cDelegatePtr<int*>(MakeMemberDelegate(this, &cSlider::OnMin)));
	properties.BindInt("max", cDelegatePtr<int*>(), cDelegatePtr<int*>(MakeMemberDelegate(this, &cSlider::OnMax)));
	properties.BindInt("cur", cDelegatePtr<int*>(MakeMemberDelegate(this, &cSlider::GetCur)),
		cDelegatePtr<int*>(MakeMemberDelegate(this, &cSlider::OnCur)));
}

cSceneObject* cSlider::Create(const std::string& name, cSceneObject* parent)
{
	return new cSlider(name, parent);
}

void cSlider::OnMin(int* value)
{
	m_min = *value;
	SetValue(m_value);
}

void cSlider::OnMax(int* value)
{
	m_max = *value;
	SetValue(m_value);
}

void cSlider::OnLoaded()
{
	cChildList& children = GetChildList();
	m_thumb = children.FindChildByProperty("object", "button");
	m_tracker = children.FindChildByProperty("object", "tracker");
	m_trackBox = (m_tracker ? m_tracker : this)->GetTransform().GetLocalBox();
	if (!m_thumb)
		return;
	const cBoundingBox& thumb = m_thumb->GetTransform().GetLocalBox();
	// Without a measured track or thumb (no model) the slider has no
	// positions but the minimum.
	if (m_trackBox.IsEmpty() || thumb.IsEmpty())
	{
		m_start = m_length = cVector3d(0, 0, 0);
		return;
	}
	const cVector3d& trackMin = m_trackBox.min;
	m_start = cVector3d(trackMin.x + thumb.max.x, trackMin.y + thumb.max.y, thumb.max.z + trackMin.z);
	m_length = m_trackBox.max - m_trackBox.min;
	m_length.x -= (thumb.max.x - thumb.min.x) * 0.5f;
	m_length.y -= (thumb.max.y - thumb.min.y) * 0.5f;
	// World matrices are not computed yet while a scene is built: a value
	// set by the description moves the thumb in its parent's space.
	PlaceThumb(false);
}

void cSlider::SetValue(int value)
{
	m_value = value < m_min ? m_min : value > m_max ? m_max : value;
	PlaceThumb(true);
	if (m_inChange)
		return;
	m_inChange = true;
	FireEvent("on_change");
	m_inChange = false;
}

void cSlider::PlaceThumb(bool worldKnown)
{
	if (!m_thumb)
		return;
	// An empty range has no fraction: the thumb stays at the minimum.
	const float t = m_max > m_min ? float(m_value - m_min) / float(m_max - m_min) : 0.0f;
	const cVector3d offset = m_vertical ? cVector3d(-0.0f, -(m_length.y * t), -0.0f) : cVector3d(m_length.x * t, 0, 0);
	cMatrix move;
	move.MakeTranslation(offset - m_lastOffset);
	cTransformNode& transform = m_thumb->GetTransform();
	if (worldKnown)
		transform.SetWorldMatrix(transform.GetWorldMatrix() * move);
	else
		transform.SetLocalMatrix(transform.GetLocalMatrix() * move);
	m_lastOffset = offset;
}

int cSlider::ValueAt(float x, float y) const
{
	// A track no longer than half the thumb has no positions but the minimum.
	if (m_vertical)
		return m_length.y > 0 ? m_min + int((1.0f - Clamp(y, 0, m_length.y) / m_length.y) * float(m_max - m_min)) : m_min;
	return m_length.x > 0 ? m_min + int(Clamp(x, 0, m_length.x) * float(m_max - m_min) / m_length.x) : m_min;
}

bool cSlider::HandleInput()
{
	if (!m_thumb)
		return false;
	if (!WidgetRules::MouseHeld() || !m_dragging)
	{
		const bool over = WidgetRules::HitsLocalBox(m_thumb);
		if (over != m_dragging)
		{
			m_dragging = over;
			SetModal(over);
		}
		return false;
	}
	const cVector3d& origin = cSceneManager::GetInstance()->GetPickRay().origin;
	const cMatrix& world = GetTransform().GetWorldMatrix();
	const int value = ValueAt(origin.x - world._41 - m_start.x, origin.y - world._42 - m_start.y);
	if (value != m_value)
		SetValue(value);
	return false;
}
