#pragma once
// An object's placement and colour. Setting the local matrix or colour only
// marks the node; the transform pass recomputes the world matrix (local
// times the parent's world) and the effective colour (the component-wise
// minimum of the parent's and the local one) for marked nodes and their
// subtrees. The inverse world matrix, the world box and the oriented box
// are derived on demand and cached until the world matrix changes.

#include "engine/foundation/cBoundingBox.h"
#include "engine/foundation/cMatrix.h"
#include "engine/foundation/cOrientedBox.h"
#include "engine/foundation/sColor.h"

class cTransformNode
{
public:
	cTransformNode();
	virtual ~cTransformNode() = default;

	void SetLocalMatrix(const cMatrix& matrix);
	// Places the node in world space: the local matrix becomes the matrix
	// relative to the parent's current world matrix.
	void SetWorldMatrix(const cMatrix& matrix);
	void SetColor(float r, float g, float b, float a);

	// Recompute when the flag is set or the node is marked; then set the
	// flag so that the children recompute too.
	void UpdateWorldMatrix(bool& changed);
	void UpdateColour(bool& changed);

	const cMatrix& GetInverseWorldMatrix();
	// The local box carried to world space.
	void UpdateWorldBox();
	// The local box under the world matrix; flat stretches its z range to
	// -1000 to 1000.
	void UpdateOrientedBox(bool flat);

	// The visual's bounds in local space; the world box follows on demand.
	void SetLocalBox(const cBoundingBox& box);
	void MarkWorldDirty() { m_worldDirty = true; }

	void SetParentNode(cTransformNode* parent) { m_parent = parent; }
	cTransformNode* GetParentNode() const { return m_parent; }
	const cMatrix& GetWorldMatrix() const { return m_world; }
	const cMatrix& GetLocalMatrix() const { return m_local; }
	const sColor& GetLocalColor() const { return m_localColor; }
	const sColor& GetEffectiveColor() const { return m_effectiveColor; }
	const cBoundingBox& GetLocalBox() const { return m_localBox; }
	const cBoundingBox& GetWorldBox() const { return m_worldBox; }
	bool IsWorldBoxDirty() const { return m_worldBoxDirty; }
	const cOrientedBox& GetOrientedBox() const { return m_orientedBox; }
	bool IsFullBoxStale() const { return m_fullBoxStale; }
	bool IsFlatBoxStale() const { return m_flatBoxStale; }

private:
	cTransformNode* m_parent = nullptr;
	cBoundingBox m_worldBox;
	bool m_worldBoxDirty = true;
	cOrientedBox m_orientedBox;
	bool m_fullBoxStale = true;
	bool m_flatBoxStale = true;
	cMatrix m_world;
	cMatrix m_local;
	cBoundingBox m_localBox;
	cMatrix m_inverseWorld;
	bool m_inverseValid = false;
	bool m_worldDirty = true;
	bool m_colourDirty = true;
	sColor m_localColor;
	sColor m_effectiveColor;
};
