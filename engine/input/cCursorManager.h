#pragma once
// The mouse pointer, shown one of two ways. Hardware mode uses the system
// cursor, loaded from the program's cursor resources. Software mode hides
// the system cursor and draws a small model at the mouse position at the
// end of every frame, through a camera of its own. Both sets are kept by
// name ("cursor", "dialog", "hours", "lens"); the current cursor is
// selected by name in either mode.
//
// Everything runs on the thread that created the manager (the main
// thread), except SetCursor: another thread's selection is handed over and
// applied by the next Update.

#include "engine/foundation/Singletone.h"
#include "engine/foundation/cVector3d.h"
#include "engine/graphics/cCamera.h"
#include "engine/graphics/cModelController.h"
#include "platform/win32/Win32Types.h"

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

class cCursorManager : public Singletone<cCursorManager>
{
public:
	// Software mode, hidden, nothing selected; the camera is set up.
	cCursorManager();
	// Destroys every loaded system cursor.
	~cCursorManager() override;

	// Loads the cursor resource id under the name unless the name has one
	// already (the first image stays). A resource that cannot be loaded is
	// stored as null: selecting it shows no cursor image.
	void LoadHardwareCursor(const std::string& name, unsigned short id);
	// Binds the software cursor of the name (made when absent) to the model
	// resource of that name.
	void SetCursorModel(const std::string& name, const std::string& model);
	// The vector added to the mouse position when the cursor is drawn.
	void SetCursorOffset(const std::string& name, const cVector3d& offset);

	// Selects the cursor of the name in the current mode; a name the mode
	// does not know changes only the current name. Any thread.
	void SetCursor(const std::string& name);
	// Switches modes, selecting the current name again in the new one.
	void SetHardwareCursor(bool hardware);
	// The system cursor shows only when visible in hardware mode; the
	// software cursor is drawn only when visible in software mode.
	void ShowCursor(bool visible);
	// An orthographic camera over the graphics device's back buffer, from
	// 0 to its width and 0 to its height, seen from z -1000.
	void InitCamera();

	// Applies a selection another thread made, then advances the software
	// cursor's animation.
	void Update(float dt);
	// Draws the software cursor over everything at the mouse position.
	void Render();

	const std::string& GetCursorName() const { return m_currentName; }
	// The system cursor loaded under the name; null when none is.
	HCURSOR GetHardwareCursor(const std::string& name) const;
	bool IsHardware() const { return m_hardware; }
	bool IsVisible() const { return m_visible; }
	// The selected software cursor, or null before one was selected.
	cModelController* GetCurrentModel() const { return m_currentModel; }
	// The selected software cursor's offset.
	const cVector3d& GetCurrentOffset() const { return m_currentOffset; }

private:
	void SelectCursor(const std::string& name);
	// Shows or hides the system cursor. The system keeps a display counter
	// that every call moves by one: it is called only when the wanted
	// state differs from the last one set, and until the counter's sign
	// agrees, so that repeated requests never leave it out of reach.
	void ShowSystemCursor(bool show);

	std::map<std::string, cModelController> m_models;
	std::map<std::string, cVector3d> m_offsets;
	std::map<std::string, HCURSOR> m_hardwareCursors;
	cModelController* m_currentModel = nullptr;
	cVector3d m_currentOffset;
	cCamera m_camera;
	std::string m_currentName;
	bool m_visible = false;
	bool m_hardware = false;
	// The system cursor shows until the manager hides it.
	bool m_systemCursorShown = true;

	const std::thread::id m_ownerThread;
	std::mutex m_requestLock;
	std::optional<std::string> m_requestedName;
};
