#include "engine/scene/cTransformNode.h"

cTransformNode::cTransformNode() : m_localColor(1, 1, 1, 1), m_effectiveColor(1, 1, 1, 1)
{
}

void cTransformNode::SetLocalMatrix(const cMatrix& matrix)
{
	m_local = matrix;
	m_worldDirty = true;
}

void cTransformNode::SetWorldMatrix(const cMatrix& matrix)
{
	m_world = matrix;
	m_local = m_parent ? matrix * m_parent->GetInverseWorldMatrix() : matrix;
	m_worldDirty = true;
	m_inverseValid = false;
}

void cTransformNode::SetColor(float r, float g, float b, float a)
{
	m_localColor = sColor(r, g, b, a);
	m_colourDirty = true;
}

void cTransformNode::UpdateWorldMatrix(bool& changed)
{
	if (!changed && !m_worldDirty)
		return;
	m_world = m_parent ? m_local * m_parent->m_world : m_local;
	m_worldDirty = false;
	m_inverseValid = false;
	m_worldBoxDirty = true;
	m_fullBoxStale = true;
	m_flatBoxStale = true;
	changed = true;
}

void cTransformNode::UpdateColour(bool& changed)
{
	if (!changed && !m_colourDirty)
		return;
	m_effectiveColor = m_parent ? sColor::Min(m_parent->m_effectiveColor, m_localColor) : m_localColor;
	m_colourDirty = false;
	changed = true;
}

const cMatrix& cTransformNode::GetInverseWorldMatrix()
{
	if (!m_inverseValid)
	{
		m_inverseWorld = m_world;
		m_inverseWorld.Invert();
		m_inverseValid = true;
	}
	return m_inverseWorld;
}

void cTransformNode::UpdateWorldBox()
{
	// An empty box stays empty: its infinite corners have no image.
	m_worldBox = m_localBox;
	if (!m_localBox.IsEmpty())
		m_worldBox.Transform(m_world);
	m_worldBoxDirty = false;
}

void cTransformNode::UpdateOrientedBox(bool flat)
{
	cBoundingBox box = m_localBox;
	if (flat)
	{
		box.min.z = -1000.0f;
		box.max.z = 1000.0f;
	}
	m_orientedBox.InitFromBox(box);
	m_orientedBox.SetMatrix(m_world);
	m_fullBoxStale = flat;
	m_flatBoxStale = !flat;
}

void cTransformNode::SetLocalBox(const cBoundingBox& box)
{
	m_localBox = box;
	m_worldBoxDirty = true;
}
