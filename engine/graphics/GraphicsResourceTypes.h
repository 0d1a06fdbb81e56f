#pragma once
// Registration of the graphics resource types (textures, alpha textures,
// shaders, fonts, emitters, models, particle systems) with the resource
// manager. The graphics device calls it once when it is created.

void RegisterGraphicsResourceTypes();

// Reloads every loaded texture resource, so that it takes the graphics
// device's new default texture format.
void ReloadTextureResources();
