#pragma once
// Inventory slots on the screen with real mouse input: the window and the
// device, the input manager, the "inventory" type, and the default camera
// looking at the screen without a depth test. Whatever the test hangs under
// the camera is deleted at the end.

#include "../../engine/graphics/GraphicsTestSupport.h"
#include "../../engine/input/InputManagerFixture.h"

#include "engine/scene/cCameraObject.h"
#include "engine/scene/cSceneManager.h"
#include "game/play/GameObjectTypes.h"

class cSlotScreenFixture : public cInputManagerFixture
{
protected:
	void SetUp() override
	{
		cInputManagerFixture::SetUp();
		if (HasFatalFailure())
			return;
		graphics = StartGraphics(kWidth, kHeight);
		StartInput();
		scene = cSceneManager::GetInstance();
		if (scene->GetObjectTypeId("inventory") < 0)
			RegisterInventoryType();
		camera = scene->GetDefaultCamera();
		camera->SetVisible(true);
		SetScreenCamera(camera->GetCamera(), kWidth, kHeight);
		camera->GetCamera().SetDepthTest(false);
	}

	void TearDown() override
	{
		if (camera)
		{
			camera->GetChildList().DeleteChildren();
			camera->SetVisible(false);
		}
		cInputManagerFixture::TearDown();
	}

	cGraphics* graphics = nullptr;
	cSceneManager* scene = nullptr;
	cCameraObject* camera = nullptr;
};
