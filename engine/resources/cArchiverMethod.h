#pragma once
// A compression method, known by the name that pack files store beside
// each entry.

#include "engine/foundation/cMemoryStream.h"

class cArchiverMethod
{
public:
	virtual const char* GetName() const = 0;
	virtual ~cArchiverMethod() = default;
	// Packs all of in into the empty stream out.
	virtual bool Compress(cStream& in, cMemoryStream& out) = 0;
	// Unpacks all of in into the empty stream out.
	virtual bool Uncompress(cStream& in, cMemoryStream& out) = 0;
};
