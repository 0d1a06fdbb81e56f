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
	cSlotScreenFixture() { m_keepWindow = true; }

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

	// A frame in which the mouse buttons went down (and up again) over the
	// window: polls until the input manager sees the first go down. A
	// window of another test program that maps under the cursor can take
	// the input, which is then sent again.
	void ClickButtons(const std::vector<int>& buttons)
	{
		std::vector<INPUT> inputs;
		for (int button : buttons)
			inputs.push_back(MouseInput(button == cInputManager::kLeftButton ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN));
		for (int button : buttons)
			inputs.push_back(MouseInput(button == cInputManager::kLeftButton ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP));
		SendUntilPressed(inputs, cInputManager::kMouseSlot, buttons.front());
	}

	// A frame in which the key (a DirectInput code) went down. The keyboard
	// is read as a state: the key stays down until released.
	void PressKey(BYTE code) { SendUntilPressed({ Key(code, true) }, cInputManager::kKeyboardSlot, code); }
	// Frames until the key is seen up again.
	void ReleaseKey(BYTE code)
	{
		Send({ Key(code, false) });
		WaitFor([&] {
			Frame();
			return !m_input->IsDown(cInputManager::kKeyboardSlot, code);
		});
	}

	void SendUntilPressed(const std::vector<INPUT>& inputs, int slot, int index)
	{
		for (int attempt = 0; attempt < 5; ++attempt)
		{
			EXPECT_TRUE(Activate(true));
			Send(inputs);
			Frame();
			if (m_input->IsPressed(slot, index))
				break;
			Frame();
		}
	}

	cGraphics* graphics = nullptr;
	cSceneManager* scene = nullptr;
	cCameraObject* camera = nullptr;
};
