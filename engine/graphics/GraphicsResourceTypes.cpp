#include "engine/graphics/GraphicsResourceTypes.h"

void RegisterGraphicsResourceTypes()
{
	// The graphics resource types register themselves with the resource manager here.
}

void ReloadTextureResources()
{
	// The texture resources reload themselves here.
}
