#pragma once
// Registration of the graphics resource types (textures, alpha textures,
// shaders, fonts) with the resource manager. The graphics device calls it
// once when it is created.

void RegisterGraphicsResourceTypes();
