#pragma once
// The common base of the texture resource types ("texture" and
// "alpha_texture"): both enter one name index, searched as "itexture", so
// fonts, particles, models and widgets look a texture up without caring
// which kind it is.

#include "engine/resources/cIndexedResource.h"

class cTexture;

class cTextureResource : public cIndexedResource<cTextureResource>
{
public:
	static constexpr const char* LookupName = "itexture";

	using cIndexedResource::cIndexedResource;

	const char* GetTypeName() override { return "itexture"; }
	// The loaded texture; null while unloaded or when loading failed.
	virtual cTexture* GetTexture() = 0;

	// Reloads every referenced texture resource of the index, so that it
	// takes the graphics device's current default texture format: each one
	// is released down to no reference (which unloads it) and given its
	// references back (the first loads it again). Holds the resource
	// manager's lock throughout, so no lookup or release of another thread
	// sees a texture half reloaded.
	static void ReloadAll();
};
