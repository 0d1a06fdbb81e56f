#pragma once
// Type "alpha_texture": an "aimg" file, a colour image paired with a grey
// mask image whose grey level becomes the alpha:
//   u32 N, the colour image (N bytes), u32 size of the mask, the mask image.

#include "engine/graphics/cResourceTexture.h"

class cResourceAlphaTexture : public cResourceTexture
{
public:
	using cResourceTexture::cResourceTexture;
	static cResource* Create(const std::string& name, const sResourceSource& source);

	const char* GetTypeName() override { return "alpha_texture"; }

protected:
	cTexture* CreateTexture(cMemoryStream& bytes) override;
};
