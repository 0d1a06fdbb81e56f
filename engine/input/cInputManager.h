#pragma once
// The input manager: reads the keyboard, the mouse (through its reader
// thread) and up to four joysticks through DirectInput once per frame, and
// keeps for every device slot the state at this poll and at the previous
// one, its motion, its position, and the cursor in the window's client
// pixels. Typed characters come from the keys held down.

#include "engine/foundation/Singletone.h"
#include "engine/foundation/cVector3d.h"
#include "engine/input/sButtonStates.h"
#include "platform/dinput/DInput.h"

#include <memory>
#include <string>
#include <vector>

class cMouseDevice;

class cInputManager : public Singletone<cInputManager>
{
public:
	// Device slots.
	static constexpr int kKeyboardSlot = 0;
	// The keyboard again, its state folded into key pairs.
	static constexpr int kKeyPairsSlot = 1;
	static constexpr int kMouseSlot = 2;
	static constexpr int kFirstJoystickSlot = 3;
	static constexpr int kJoystickCount = 4;
	static constexpr int kSlotCount = 7;

	// Indexes of the key-pairs slot (1 while either key is down).
	static constexpr int kPairEnter = 0;
	static constexpr int kPairAlt = 1;
	static constexpr int kPairCtrl = 2;
	static constexpr int kPairShift = 3;
	// Keyboard and joystick slots: any key or button (0 to 15) is down.
	static constexpr int kAnyKey = 255;

	// Mouse slot indexes.
	static constexpr int kLeftButton = 0;
	static constexpr int kRightButton = 1;
	static constexpr int kMiddleButton = 2;
	static constexpr int kFourthButton = 3;

	// The last double click's value.
	static constexpr int kLeftDoubleClick = 512;
	static constexpr int kRightDoubleClick = 513;
	static constexpr int kMiddleDoubleClick = 514;

	cInputManager();
	~cInputManager() override;

	// Creates DirectInput, the keyboard and the mouse (and the joysticks
	// when asked), starts the mouse reader and listens to the application.
	// False when DirectInput, the keyboard or the mouse cannot be set up:
	// nothing is then read, and every state stays 0.
	bool Init(bool joysticks);

	// The per-frame poll; always true (dt is not used).
	bool Update(float dt);

	// The characters of the keys down at the latest poll, in key-code order;
	// whether there are any.
	bool ReadText(std::wstring& text);

	// The byte at index is not 0 at the latest poll.
	bool IsDown(int slot, int index) const;
	// It went down at the latest poll.
	bool IsPressed(int slot, int index) const;
	// It came up at the latest poll.
	bool IsReleased(int slot, int index) const;
	const sButtonStates& GetStates(int slot) const { return m_buttons[slot]; }

	// The cursor in the window's client pixels from the top-left corner (z 0).
	const cVector3d& GetCursorPosition() const { return m_position[kMouseSlot]; }
	// The slot's motion in the latest poll (mouse: z is the wheel, 120 per notch).
	const cVector3d& GetMotion(int slot) const { return m_motion[slot]; }
	// The slot's summed motion (the mouse slot: the cursor).
	const cVector3d& GetPosition(int slot) const { return m_position[slot]; }
	// Some slot's state changed at the latest poll.
	bool IsAnyChanged() const { return m_anyChanged; }

	// 512 left, 513 right, 514 middle; 0 before the first double click.
	int GetLastDoubleClick() const { return m_lastDoubleClick; }

	// The application's double-click handlers: 0 left, 1 middle, 2 right.
	void OnDoubleClick(int button);
	// The application's activation listener.
	void OnActivate(bool active);

private:
	bool CreateDevices(HINSTANCE instance, HWND window, bool topLevel);
	IDirectInputDevice7* CreateDevice(const GUID& guid, const DIDATAFORMAT& format, HWND window, DWORD level);
	void AddJoysticks(HWND window);
	static BOOL CALLBACK OnJoystickFound(const DIDEVICEINSTANCEA* instance, void* context);
	bool SetUpJoystick(IDirectInputDevice7* joystick, HWND window);
	void ReleaseDevices();

	void PollKeyboard();
	void PollKeyPairs();
	void PollMouse();
	void PollJoysticks();
	void UpdatePositions();
	static cVector3d ReadCursorPosition();

	std::unique_ptr<cMouseDevice> m_mouseReader;
	HANDLE m_dataEvent;
	IDirectInput7* m_input = nullptr;
	IDirectInputDevice7* m_devices[kSlotCount] = {};
	sButtonStates m_buttons[kSlotCount];
	cVector3d m_motion[kSlotCount];
	cVector3d m_position[kSlotCount];
	bool m_anyChanged = false;
	int m_lastDoubleClick = 0;
	// Joysticks found while enumerating, before they are set up.
	std::vector<IDirectInputDevice7*> m_foundJoysticks;
};
