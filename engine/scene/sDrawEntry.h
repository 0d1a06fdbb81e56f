#pragma once
// One object queued for drawing, with the camera to draw it through; a null
// camera keeps the one of the entry before. The sort fills in the object's
// sort key and depth once, so that comparisons read the entries alone.

class cCamera;
class cSceneObject;

struct sDrawEntry
{
	cSceneObject* object;
	cCamera* camera;
	int sortKey = 0;
	float depth = 0.0f;
};
