#pragma once
// Type "texture": an image file (BMP, JPEG, PNG, DDS, TGA or PVR) loaded
// into a cTexture on the first reference and deleted on the last.

#include "engine/graphics/cTextureResource.h"

#include <memory>

class cMemoryStream;

class cResourceTexture : public cTextureResource
{
public:
	cResourceTexture(const std::string& name, const sResourceSource& source);
	~cResourceTexture() override;
	static cResource* Create(const std::string& name, const sResourceSource& source);

	// False when the source has no bytes or no texture could be made of them.
	bool Load() override;
	bool Unload() override;
	const char* GetTypeName() override { return "texture"; }
	cTexture* GetTexture() override { return m_texture.get(); }

protected:
	// Makes the texture of the resource's bytes; null on failure.
	virtual cTexture* CreateTexture(cMemoryStream& bytes);

private:
	std::unique_ptr<cTexture> m_texture;
};
