#pragma once
// Widgets driven by real input: synthesised mouse and key events read by
// the input manager, the scene's input pass picking through the default
// camera as the game's screen camera over the 640 x 480 window (x right,
// y up from the bottom), and widgets with boxes set in the test.

#include "../graphics/GraphicsTestSupport.h"
#include "../input/InputManagerFixture.h"
#include "../scene/SceneTestSupport.h"

#include "engine/graphics/sGraphicsDeviceState.h"

#include <string>
#include <vector>

// Collects the events it is bound to as "object:event", in firing order.
class cEventLog
{
public:
	void Bind(cSceneObject* object, const std::string& event)
	{
		object->BindEvent(event, cSceneObject::tEvent(new cEntry(this, event)));
	}
	std::string Take()
	{
		std::string text;
		for (const std::string& entry : m_entries)
			text += (text.empty() ? "" : " ") + entry;
		m_entries.clear();
		return text;
	}

private:
	class cEntry : public cDelegate<cSceneObject*>
	{
	public:
		cEntry(cEventLog* log, const std::string& event) : m_log(log), m_event(event) {}
		const void* GetObject() const override { return m_log; }
		const void* GetFunction() const override { return nullptr; }
		void Invoke(cSceneObject* object) override { m_log->m_entries.push_back(object->GetName() + ":" + m_event); }

	private:
		cEventLog* m_log;
		std::string m_event;
	};

	std::vector<std::string> m_entries;
};

class WidgetInputTest : public cInputManagerFixture
{
protected:
	void SetUp() override
	{
		cInputManagerFixture::SetUp();
		if (HasFatalFailure())
			return;
		StartInput();
		scene = cSceneManager::GetInstance();
		m_savedViewport = GraphicsDeviceState().screenViewport;
		GraphicsDeviceState().screenViewport = { 0, 0, DWORD(kWidth), DWORD(kHeight), 0.0f, 1.0f };
		screen = scene->GetDefaultCamera();
		SetScreenCamera(screen->GetCamera(), float(kWidth), float(kHeight));
		screen->SetVisible(true);
	}

	void TearDown() override
	{
		if (scene)
		{
			screen->GetChildList().DeleteChildren();
			screen->SetVisible(false);
			while (cSceneObject* modal = scene->GetTopModal())
				scene->SetModal(modal, false);
			GraphicsDeviceState().screenViewport = m_savedViewport;
		}
		cInputManagerFixture::TearDown();
	}

	// Places the object at (x, y) with a box of the size from its origin.
	template <class T>
	T* Widget(const std::string& name, float x, float y, float width, float height, cSceneObject* parent = nullptr)
	{
		auto* widget = new T(name, parent ? parent : screen);
		Place(widget, x, y, width, height);
		return widget;
	}

	static void Place(cSceneObject* object, float x, float y, float width, float height)
	{
		object->GetTransform().SetLocalMatrix(Translation(x, y, 0));
		object->GetTransform().SetLocalBox(cBoundingBox().SetFromPoints(cVector3d(0, 0, -1), cVector3d(width, height, 1)));
	}

	// One frame of the game: input, the scene's input pass and its update.
	void Step(float dt = 0.016f)
	{
		Frame();
		scene->DispatchInput();
		scene->Update(dt);
	}

	// The cursor to the logical point (y up), then a frame.
	void MoveTo(float x, float y)
	{
		PlaceCursor(int(x), kHeight - int(y));
		StepWhen([&] {
			const cVector3d& cursor = m_input->GetCursorPosition();
			return int(cursor.x) == int(x) && int(cursor.y) == kHeight - int(y);
		});
	}
	void Press()
	{
		Send({ MouseInput(MOUSEEVENTF_LEFTDOWN) });
		StepWhenButton(true);
	}
	void Release()
	{
		Send({ MouseInput(MOUSEEVENTF_LEFTUP) });
		StepWhenButton(false);
	}
	void ClickAt(float x, float y)
	{
		MoveTo(x, y);
		Press();
		Release();
	}
	// The mouse reader thread may hand the button over a poll later: polls
	// until the input manager sees it, then runs the frame's passes.
	void StepWhenButton(bool down)
	{
		StepWhen([&] { return m_input->IsDown(cInputManager::kMouseSlot, cInputManager::kLeftButton) == down; });
	}
	// Polls until the condition holds (or a while has passed), then runs
	// the input pass and the update.
	void StepWhen(const std::function<bool()>& condition)
	{
		for (int attempt = 0; attempt < 200; ++attempt)
		{
			Frame();
			if (condition())
				break;
			std::this_thread::sleep_for(std::chrono::milliseconds(2));
		}
		scene->DispatchInput();
		scene->Update(0.016f);
	}

	cSceneManager* scene = nullptr;
	cCameraObject* screen = nullptr;

private:
	D3DVIEWPORT9 m_savedViewport {};
};
