#pragma once
// One object queued for drawing, with the camera to draw it through; a null
// camera keeps the one of the entry before.

class cCamera;
class cSceneObject;

struct sDrawEntry
{
	cSceneObject* object;
	cCamera* camera;
};
