#include "engine/input/cInputManager.h"

#include "engine/foundation/cAutoLock.h"
#include "engine/foundation/cLog.h"
#include "engine/foundation/cWin32Application.h"
#include "engine/input/ReadDeviceState.h"
#include "engine/input/cMouseDevice.h"
#include "platform/win32/Win32.h"
#include "platform/win32/Win32Keyboard.h"

#include <algorithm>
#include <array>

namespace
{
const DWORD kForegroundLevel = DISCL_NONEXCLUSIVE | DISCL_FOREGROUND;
const DWORD kBackgroundLevel = DISCL_NONEXCLUSIVE | DISCL_BACKGROUND;
const LONG kJoystickRange = 10;
// Ten per cent of the half range.
const DWORD kJoystickDeadZone = 1000;
const int kJoystickButtonCount = 32;
// Buttons that count for a joystick's "any button".
const int kJoystickAnyButtons = 16;
const int kTextBufferSize = 10;

// The key pairs: either key down sets the pair's byte.
const BYTE kKeyPairs[][2] = {
	{DIK_RETURN, DIK_NUMPADENTER},
	{DIK_LMENU, DIK_RMENU},
	{DIK_LCONTROL, DIK_RCONTROL},
	{DIK_LSHIFT, DIK_RSHIFT},
};

// The top-level window above the given one; topLevel tells whether it was
// the given window itself.
HWND CooperativeWindow(HWND window, bool& topLevel)
{
	topLevel = true;
	while (window && (static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & WS_CHILD))
	{
		topLevel = false;
		window = GetParent(window);
	}
	return window;
}

void ReleaseInterface(IDirectInputDevice7*& device)
{
	if (device)
	{
		device->Release();
		device = nullptr;
	}
}

HRESULT SetAxisProperty(IDirectInputDevice7* joystick, const GUID& property, DIPROPHEADER& header, DWORD size,
	DWORD axis)
{
	header = DIPROPHEADER{size, sizeof(DIPROPHEADER), axis, DIPH_BYOFFSET};
	return joystick->SetProperty(property, &header);
}
}

cInputManager::cInputManager()
	: m_dataEvent(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
	  m_buttons{sButtonStates(255), sButtonStates(4), sButtonStates(5), sButtonStates(15), sButtonStates(15),
		  sButtonStates(15), sButtonStates(15)}
{
}

cInputManager::~cInputManager()
{
	// The reader's thread reads the mouse: it goes before the devices do.
	m_mouseReader.reset();
	ReleaseDevices();
	CloseHandle(m_dataEvent);
}

bool cInputManager::Init(bool joysticks)
{
	// A second set-up replaces the first.
	m_mouseReader.reset();
	ReleaseDevices();

	cWin32Application* application = Singletone<cWin32Application>::GetInstance();
	cDelegatePtr<int> doubleClick(MakeMemberDelegate(this, &cInputManager::OnDoubleClick));
	for (int button = 0; button < 3; ++button)
		application->SetDoubleClickHandler(button, doubleClick);

	bool topLevel;
	HWND window = CooperativeWindow(application->GetWindowHandle(), topLevel);
	if (!CreateDevices(application->GetInstanceHandle(), window, topLevel))
	{
		// Nothing half made stays behind: every poll then reads nothing.
		ReleaseDevices();
		return false;
	}
	m_mouseReader = std::make_unique<cMouseDevice>(m_dataEvent, m_devices[kMouseSlot]);
	if (joysticks)
		AddJoysticks(window);
	m_position[kMouseSlot] = ReadCursorPosition();
	m_mouseReader->Start();
	application->AddListener(cDelegatePtr<bool>(MakeMemberDelegate(this, &cInputManager::OnActivate)));
	return true;
}

bool cInputManager::CreateDevices(HINSTANCE instance, HWND window, bool topLevel)
{
	IDirectInput7* created = nullptr;
	HRESULT result = DirectInputCreateA(instance, DIRECTINPUT_VERSION, &created, nullptr);
	if (FAILED(result))
	{
		LOG(2, "DirectInput creation failed. HR: %x", result);
		return false;
	}
	result = created->QueryInterface(IID_IDirectInput7A, reinterpret_cast<void**>(&m_input));
	created->Release();
	if (FAILED(result))
	{
		LOG(2, "DirectInput 7 is not available. HR: %x", result);
		return false;
	}

	m_devices[kKeyboardSlot] = CreateDevice(GUID_SysKeyboard, c_dfDIKeyboard, window, kForegroundLevel);
	if (!m_devices[kKeyboardSlot])
		return false;
	m_devices[kKeyPairsSlot] = m_devices[kKeyboardSlot];
	m_devices[kKeyPairsSlot]->AddRef();

	m_devices[kMouseSlot] =
		CreateDevice(GUID_SysMouse, c_dfDIMouse, window, topLevel ? kForegroundLevel : kBackgroundLevel);
	return m_devices[kMouseSlot] != nullptr;
}

IDirectInputDevice7* cInputManager::CreateDevice(const GUID& guid, const DIDATAFORMAT& format, HWND window,
	DWORD level)
{
	IDirectInputDevice7* created = nullptr;
	HRESULT result = m_input->CreateDevice(guid, &created, nullptr);
	if (FAILED(result))
	{
		LOG(2, "Input device creation failed. HR: %x", result);
		return nullptr;
	}
	IDirectInputDevice7* device = nullptr;
	result = created->QueryInterface(IID_IDirectInputDevice7A, reinterpret_cast<void**>(&device));
	created->Release();
	if (SUCCEEDED(result))
		result = device->SetDataFormat(&format);
	if (SUCCEEDED(result))
		result = device->SetCooperativeLevel(window, level);
	if (FAILED(result))
	{
		LOG(2, "Input device set-up failed. HR: %x", result);
		ReleaseInterface(device);
	}
	return device;
}

void cInputManager::AddJoysticks(HWND window)
{
	m_input->EnumDevices(DIDEVTYPE_JOYSTICK, &cInputManager::OnJoystickFound, this, DIEDFL_ATTACHEDONLY);
	int slot = kFirstJoystickSlot;
	for (IDirectInputDevice7* joystick : m_foundJoysticks)
	{
		// A joystick that cannot be set up leaves no gap: the poll stops at the first empty slot.
		if (SetUpJoystick(joystick, window))
			m_devices[slot++] = joystick;
		else
			joystick->Release();
	}
	m_foundJoysticks.clear();
}

BOOL CALLBACK cInputManager::OnJoystickFound(const DIDEVICEINSTANCEA* instance, void* context)
{
	auto* manager = static_cast<cInputManager*>(context);
	if (manager->m_foundJoysticks.size() >= static_cast<size_t>(kJoystickCount))
		return DIENUM_CONTINUE;
	IDirectInputDevice7* created = nullptr;
	if (FAILED(manager->m_input->CreateDevice(instance->guidInstance, &created, nullptr)))
		return DIENUM_CONTINUE;
	IDirectInputDevice7* joystick = nullptr;
	if (SUCCEEDED(created->QueryInterface(IID_IDirectInputDevice7A, reinterpret_cast<void**>(&joystick))))
		manager->m_foundJoysticks.push_back(joystick);
	created->Release();
	return DIENUM_CONTINUE;
}

bool cInputManager::SetUpJoystick(IDirectInputDevice7* joystick, HWND window)
{
	joystick->Unacquire();
	if (FAILED(joystick->SetDataFormat(&c_dfDIJoystick)))
		return false;
	joystick->SetCooperativeLevel(window, kForegroundLevel);
	joystick->Acquire();
	for (DWORD axis : {DWORD(DIJOFS_X), DWORD(DIJOFS_Y)})
	{
		DIPROPRANGE range{};
		range.lMin = -kJoystickRange;
		range.lMax = kJoystickRange;
		SetAxisProperty(joystick, DIPROP_RANGE, range.diph, sizeof(range), axis);
	}
	for (DWORD axis : {DWORD(DIJOFS_X), DWORD(DIJOFS_Y)})
	{
		DIPROPDWORD deadZone{};
		deadZone.dwData = kJoystickDeadZone;
		SetAxisProperty(joystick, DIPROP_DEADZONE, deadZone.diph, sizeof(deadZone), axis);
	}
	return true;
}

void cInputManager::ReleaseDevices()
{
	for (IDirectInputDevice7*& device : m_devices)
	{
		if (device)
			device->Unacquire();
		ReleaseInterface(device);
	}
	if (m_input)
	{
		m_input->Release();
		m_input = nullptr;
	}
}

bool cInputManager::Update(float)
{
	for (sButtonStates& states : m_buttons)
		states.changed = false;
	PollKeyboard();
	PollKeyPairs();
	PollMouse();
	PollJoysticks();
	UpdatePositions();
	m_anyChanged = std::any_of(std::begin(m_buttons), std::end(m_buttons),
		[](const sButtonStates& states) { return states.changed; });
	return true;
}

void cInputManager::PollKeyboard()
{
	IDirectInputDevice7* keyboard = m_devices[kKeyboardSlot];
	if (!keyboard)
		return;
	sButtonStates& keys = m_buttons[kKeyboardSlot];
	// Read into the older buffer: when no read succeeds the keys stay as
	// they were, with no edges.
	if (ReadDeviceState(keyboard, static_cast<DWORD>(keys.previous.size()), keys.previous.data()))
		keys.Swap();
	else
		keys.previous = keys.current;
	keys.changed = !std::equal(keys.current.begin(), keys.current.end() - 1, keys.previous.begin());
}

void cInputManager::PollKeyPairs()
{
	if (!m_devices[kKeyPairsSlot])
		return;
	const sButtonStates& keys = m_buttons[kKeyboardSlot];
	sButtonStates& pairs = m_buttons[kKeyPairsSlot];
	pairs.Swap();
	for (size_t pair = 0; pair < std::size(kKeyPairs); ++pair)
		pairs.current[pair] = (keys.current[kKeyPairs[pair][0]] || keys.current[kKeyPairs[pair][1]]) ? 1 : 0;
	bool anyKey = std::any_of(keys.current.begin(), keys.current.end(), [](BYTE key) { return key != 0; });
	pairs.current[kAnyKey] = anyKey ? 1 : 0;
	pairs.changed = !std::equal(pairs.current.begin(), pairs.current.begin() + std::size(kKeyPairs),
		pairs.previous.begin());
}

void cInputManager::PollMouse()
{
	if (!m_devices[kMouseSlot] || !m_mouseReader)
		return;
	sButtonStates& mouse = m_buttons[kMouseSlot];
	mouse.changed = WaitForSingleObject(m_dataEvent, 0) == WAIT_OBJECT_0;
	bool freshWheel = false;
	{
		cAutoLock hold(m_mouseReader->GetLock());
		DIMOUSESTATE state{};
		bool read = m_mouseReader->ReadDevice(state);
		bool inside = cMouseDevice::IsCursorInside();
		// A press that this read takes before the thread saw it counts too.
		if (read && inside)
			m_mouseReader->Latch(state);
		mouse.Swap();
		for (int button = 0; button < cMouseDevice::kButtonCount; ++button)
			mouse.current[button] = m_mouseReader->GetLatch(button) >> 7;
		std::array<LONG, 3> sums = m_mouseReader->TakeSums();
		m_motion[kMouseSlot] = cVector3d(static_cast<float>(state.lX + sums[0]),
			static_cast<float>(state.lY + sums[1]), static_cast<float>(state.lZ + sums[2]));
		// The latches start again from the buttons held now; what this read
		// sums counts in the next poll.
		if (inside)
		{
			m_mouseReader->Restart();
			freshWheel = m_mouseReader->GetSums()[2] != 0;
		}
	}
	// The thread's data event is one sign of change; what the poll itself
	// read is another, when it read before the thread.
	bool buttonsChanged = !std::equal(mouse.current.begin(), mouse.current.begin() + cMouseDevice::kButtonCount,
		mouse.previous.begin());
	const cVector3d& motion = m_motion[kMouseSlot];
	if (freshWheel || buttonsChanged || motion.x != 0.0f || motion.y != 0.0f || motion.z != 0.0f)
		mouse.changed = true;
}

void cInputManager::PollJoysticks()
{
	for (int slot = kFirstJoystickSlot; slot < kSlotCount && m_devices[slot]; ++slot)
	{
		IDirectInputDevice7* joystick = m_devices[slot];
		m_motion[slot] = cVector3d();
		DIJOYSTATE state{};
		if (FAILED(joystick->Poll()) || FAILED(joystick->GetDeviceState(sizeof(state), &state)))
		{
			// Keeps its previous state.
			joystick->Acquire();
			continue;
		}
		m_motion[slot] = cVector3d(static_cast<float>(state.lX), static_cast<float>(state.lY), 0.0f);
		sButtonStates& buttons = m_buttons[slot];
		buttons.Swap();
		for (int button = 0; button < kJoystickButtonCount; ++button)
			buttons.current[button] = state.rgbButtons[button] & 0x80;
		bool anyButton = std::any_of(buttons.current.begin(), buttons.current.begin() + kJoystickAnyButtons,
			[](BYTE button) { return button != 0; });
		buttons.current[kAnyKey] = anyButton ? 1 : 0;
		buttons.changed = buttons.current != buttons.previous;
	}
}

void cInputManager::UpdatePositions()
{
	for (int slot = 0; slot < kSlotCount; ++slot)
	{
		if (!m_devices[slot])
			continue;
		m_position[slot].x += m_motion[slot].x;
		m_position[slot].y += m_motion[slot].y;
	}
	if (m_devices[kMouseSlot])
		m_position[kMouseSlot] = ReadCursorPosition();
}

cVector3d cInputManager::ReadCursorPosition()
{
	// Window client pixels, which are the back buffer's pixels while the
	// window shows the back buffer unscaled. A presentation that scales the
	// back buffer to the window must map this point from window pixels to
	// back-buffer pixels here, so that the camera unprojects it correctly.
	POINT cursor{0, 0};
	GetCursorPos(&cursor);
	ScreenToClient(Singletone<cWin32Application>::GetInstance()->GetWindowHandle(), &cursor);
	return cVector3d(static_cast<float>(cursor.x), static_cast<float>(cursor.y), 0.0f);
}

bool cInputManager::ReadText(std::wstring& text)
{
	text.clear();
	BYTE keyState[256];
	GetKeyboardState(keyState);
	const sButtonStates& keys = m_buttons[kKeyboardSlot];
	for (UINT code = 0; code < keys.current.size(); ++code)
	{
		if (!keys.current[code])
			continue;
		WCHAR characters[kTextBufferSize];
		UINT virtualKey = MapVirtualKeyA(code, MAPVK_VSC_TO_VK);
		int count = ToUnicode(virtualKey, code, keyState, characters, kTextBufferSize, 0);
		if (count > 0)
			text.append(characters, static_cast<size_t>(count));
	}
	return !text.empty();
}

bool cInputManager::IsDown(int slot, int index) const
{
	if (slot < 0 || slot >= kSlotCount || index < 0 || index > 255)
		return false;
	return m_buttons[slot].current[index] != 0;
}

bool cInputManager::IsPressed(int slot, int index) const
{
	return IsDown(slot, index) && m_buttons[slot].previous[index] != m_buttons[slot].current[index];
}

bool cInputManager::IsReleased(int slot, int index) const
{
	if (slot < 0 || slot >= kSlotCount || index < 0 || index > 255)
		return false;
	const sButtonStates& states = m_buttons[slot];
	return states.current[index] == 0 && states.previous[index] != 0;
}

void cInputManager::OnDoubleClick(int button)
{
	m_lastDoubleClick = button == 0 ? kLeftDoubleClick : button == 1 ? kMiddleDoubleClick : kRightDoubleClick;
}

void cInputManager::OnActivate(bool active)
{
	if (m_mouseReader)
		m_mouseReader->SetInactive(!active);
}
