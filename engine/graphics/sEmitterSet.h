#pragma once
// The content of an emitter file: the emitter descriptions, the texture
// their particles are drawn with, the name under which the effect is
// played and its loop flag. Layout (little-endian): u32 number of
// descriptions, each as two track lists (u32 count, then records of i32
// functor, i32 kind, u8 alternative flag and the track's keys), the
// texture name and the set's name as u32 length and bytes, and one loop
// byte.

#include "engine/foundation/Singletone.h"

#include <string>
#include <vector>

class cStream;
class cTextureResource;
struct sEmitterDesc;

struct sEmitterSet : public NoCopy
{
	sEmitterSet() = default;
	// Deletes the descriptions and gives the texture reference back.
	~sEmitterSet();

	// Replaces the descriptions with those of the stream and looks the
	// texture up (as "itexture"; a missing one is logged by the lookup and
	// leaves none). False when the stream is damaged; what was read so far
	// is then left for the caller to delete.
	bool Read(cStream& stream);
	// Writes the layout Read reads.
	void Write(cStream& stream) const;

	// The texture with one more reference for the caller; null when none.
	cTextureResource* GetTexture() const;

	std::vector<sEmitterDesc*> descriptions;
	cTextureResource* texture = nullptr;
	std::string textureName;
	std::string name;
	bool loop = false;

private:
	void Clear();
};
