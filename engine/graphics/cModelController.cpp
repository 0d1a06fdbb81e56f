#include "engine/graphics/cModelController.h"

#include "engine/graphics/cGraphics.h"

void cModelController::Draw(const sColor& color)
{
	cVertexBuffer* vertices = GetVertexBuffer();
	if (!vertices)
		return;
	vertices->Bind();
	GetIndexBuffer()->Bind();
	cGraphics* graphics = cGraphics::GetInstance();
	graphics->SetDrawColor(color);
	for (cMaterialController& material : GetMaterials())
	{
		material.Apply();
		graphics->DrawIndexedTriangles(int(vertices->GetCount()), int(material.GetStartIndex()),
			int(material.GetTriangleCount()));
	}
}
