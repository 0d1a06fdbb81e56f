#pragma once
// Type "font": a bitmap font, a texture atlas plus a glyph table indexed by
// UTF-16 code. Declared in a resource list by an XML element:
//   <resource name="arial" type="font" space="3" scale="1" upper="false">
//     <texture name="arial_atlas"/>
//     <symbol char="65" rect="0 0 10 16" left="0" right="1"/>
//   </resource>
// and stored in pack files in the binary form of sFontData. The texture
// is looked up (as "itexture") on the first reference and released on the
// last; the glyph table and metrics stay.

#include "engine/graphics/TextLayout.h"
#include "engine/graphics/sFontData.h"
#include "engine/resources/cIndexedResource.h"

class cTextureResource;

class cFontResource : public cIndexedResource<cFontResource>
{
public:
	static constexpr const char* LookupName = "font";

	cFontResource(const std::string& name, const sResourceSource& source);
	// Gives the texture reference back.
	~cFontResource() override;
	static cResource* Create(const std::string& name, const sResourceSource& source);

	// Reads the binary form when the source has bytes (a font from a pack
	// file), then looks the texture up. False when the binary form is
	// damaged (the font keeps its values) or no texture is named.
	bool Load() override;
	bool Unload() override;
	// Writes the binary form of the current values.
	void Save(cStream& out) override;
	// Applies the XML description: "space" (default 3), "scale" (1),
	// "upper" (false), then the "texture" and "symbol" children.
	void ReadDescription(const cXmlNode& element) override;
	const char* GetTypeName() override { return "font"; }

	const sFontData& GetData() const { return m_data; }
	// The texture resource; null while unloaded or when it was not found.
	cTextureResource* GetTextureResource() const { return m_texture; }
	// What the text layout reads of the font.
	sFontFace GetFace() const;

private:
	void ReleaseTexture();

	cTextureResource* m_texture = nullptr;
	sFontData m_data;
};
