#include "engine/foundation/cOrientedBox.h"

#include <cmath>

cOrientedBox::cOrientedBox() = default;

cOrientedBox::cOrientedBox(const cBoundingBox& localBox, const cMatrix& matrix)
	: m_matrix(matrix), m_localBox(localBox)
{
}

void cOrientedBox::InitFromBox(const cBoundingBox& localBox)
{
	m_localBox = localBox;
	m_matrix = cMatrix::Identity();
	m_dirty = true;
}

void cOrientedBox::SetMatrix(const cMatrix& matrix)
{
	m_matrix = matrix;
	m_dirty = true;
}

void cOrientedBox::UpdateCache() const
{
	if (!m_dirty)
		return;
	const cVector3d half = m_localBox.GetSize() * 0.5f;
	const float halfLengths[3] = { half.x, half.y, half.z };
	m_centre = TransformPoint(m_localBox.GetCenter(), m_matrix);
	for (int i = 0; i < 3; ++i)
	{
		const float* row = m_matrix.m[i];
		m_halfAxes[i] = cVector3d(row[0], row[1], row[2]) * halfLengths[i];
		m_axes[i] = m_halfAxes[i];
		m_axes[i].Normalize();
	}
	m_dirty = false;
}

void cOrientedBox::Project(const cVector3d& axis, float& centre, float& radius) const
{
	centre = axis.Dot(m_centre);
	radius = std::fabs(axis.Dot(m_halfAxes[0])) + std::fabs(axis.Dot(m_halfAxes[1])) +
		std::fabs(axis.Dot(m_halfAxes[2]));
}

bool cOrientedBox::Intersects(const cOrientedBox& other) const
{
	if (m_localBox.IsEmpty() || other.m_localBox.IsEmpty())
		return false;
	UpdateCache();
	other.UpdateCache();

	cVector3d axes[15];
	for (int i = 0; i < 3; ++i)
	{
		axes[i] = m_axes[i];
		axes[3 + i] = other.m_axes[i];
		for (int j = 0; j < 3; ++j)
			m_axes[i].Cross(other.m_axes[j], axes[6 + 3 * i + j]);
	}

	// A zero axis (parallel edges) projects both boxes onto 0 and never
	// separates them.
	for (const cVector3d& axis : axes)
	{
		float a, ra, b, rb;
		Project(axis, a, ra);
		other.Project(axis, b, rb);
		if (!(b + rb >= a - ra && b - rb <= a + ra))
			return false;
	}
	return true;
}
