// Creating DirectInput and its devices, and the calls' argument checks.

#include "DInputTestSupport.h"

namespace
{
using cDInputObjectTest = cDInputTest;
}

TEST(DirectInputCreate, VersionsAndArguments)
{
	HWND window = CreateTestWindow(); // starts the window system
	ASSERT_NE(window, nullptr) << "needs a display";
	IDirectInput7* input = nullptr;
	EXPECT_EQ(DirectInputCreateA(nullptr, 0x0200, &input, nullptr), DIERR_OLDDIRECTINPUTVERSION);
	EXPECT_EQ(DirectInputCreateA(nullptr, 0x0800, &input, nullptr), DIERR_BETADIRECTINPUTVERSION);
	EXPECT_EQ(DirectInputCreateA(nullptr, 0x0700, nullptr, nullptr), DIERR_INVALIDPARAM);
	int outer = 0;
	EXPECT_EQ(DirectInputCreateA(nullptr, 0x0700, &input, &outer), DIERR_INVALIDPARAM);
	EXPECT_EQ(input, nullptr);

	ASSERT_EQ(DirectInputCreateA(nullptr, 0x0500, &input, nullptr), DI_OK);
	IDirectInput7* seven = nullptr;
	ASSERT_EQ(input->QueryInterface(IID_IDirectInput7A, reinterpret_cast<void**>(&seven)), DI_OK);
	EXPECT_EQ(seven, input);
	void* other = &outer;
	EXPECT_EQ(input->QueryInterface(IID_IDirectInputDevice7A, &other), DIERR_NOINTERFACE);
	EXPECT_EQ(other, nullptr);
	EXPECT_EQ(input->Release(), 1u);
	EXPECT_EQ(seven->Release(), 0u);
	DestroyWindow(window);
}

TEST_F(cDInputObjectTest, DevicesAreReferenceCounted)
{
	IDirectInputDevice7* created = nullptr;
	ASSERT_EQ(m_input->CreateDevice(GUID_SysKeyboard, &created, nullptr), DI_OK);
	IDirectInputDevice7* device = nullptr;
	ASSERT_EQ(created->QueryInterface(IID_IDirectInputDevice7A, reinterpret_cast<void**>(&device)), DI_OK);
	EXPECT_EQ(device, created);
	EXPECT_EQ(created->Release(), 1u);
	EXPECT_EQ(device->AddRef(), 2u);
	EXPECT_EQ(device->Release(), 1u);
	EXPECT_EQ(device->Release(), 0u);

	EXPECT_EQ(m_input->CreateDevice(IID_IDirectInput7A, &created, nullptr), DIERR_DEVICENOTREG);
	EXPECT_EQ(created, nullptr);
}

TEST_F(cDInputObjectTest, EnumeratesTheKeyboardAndTheMouse)
{
	std::vector<DWORD> types;
	auto collect = [](const DIDEVICEINSTANCEA* instance, void* context) -> BOOL {
		static_cast<std::vector<DWORD>*>(context)->push_back(instance->dwDevType & 0xFF);
		return DIENUM_CONTINUE;
	};
	ASSERT_EQ(m_input->EnumDevices(0, collect, &types, DIEDFL_ATTACHEDONLY), DI_OK);
	ASSERT_GE(types.size(), 2u);
	EXPECT_EQ(types[0], DWORD(DIDEVTYPE_KEYBOARD));
	EXPECT_EQ(types[1], DWORD(DIDEVTYPE_MOUSE));

	types.clear();
	auto stop = [](const DIDEVICEINSTANCEA* instance, void* context) -> BOOL {
		static_cast<std::vector<DWORD>*>(context)->push_back(instance->dwDevType & 0xFF);
		return DIENUM_STOP;
	};
	m_input->EnumDevices(0, stop, &types, 0);
	EXPECT_EQ(types.size(), 1u);
}

TEST_F(cDInputObjectTest, ArgumentChecks)
{
	IDirectInputDevice7* mouse = nullptr;
	ASSERT_EQ(m_input->CreateDevice(GUID_SysMouse, &mouse, nullptr), DI_OK);
	m_devices.push_back(mouse);
	DIMOUSESTATE state{};
	EXPECT_EQ(mouse->GetDeviceState(sizeof(state), &state), DIERR_INVALIDPARAM); // no data format yet
	EXPECT_EQ(mouse->Acquire(), DIERR_INVALIDPARAM);
	EXPECT_EQ(mouse->SetDataFormat(&c_dfDIKeyboard), DIERR_INVALIDPARAM);
	ASSERT_EQ(mouse->SetDataFormat(&c_dfDIMouse), DI_OK);

	EXPECT_EQ(mouse->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND), DIERR_INVALIDPARAM);
	EXPECT_EQ(mouse->SetCooperativeLevel(m_window, DISCL_NONEXCLUSIVE), DIERR_INVALIDPARAM);
	EXPECT_EQ(mouse->SetCooperativeLevel(m_window, DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE | DISCL_FOREGROUND),
		DIERR_INVALIDPARAM);
	EXPECT_EQ(mouse->SetCooperativeLevel(m_window, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND | DISCL_BACKGROUND),
		DIERR_INVALIDPARAM);
	ASSERT_EQ(mouse->SetCooperativeLevel(m_window, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);

	ASSERT_EQ(mouse->Acquire(), DI_OK);
	EXPECT_EQ(mouse->Acquire(), DI_NOEFFECT);
	EXPECT_EQ(mouse->GetDeviceState(sizeof(state) - 1, &state), DIERR_INVALIDPARAM);
	EXPECT_EQ(mouse->GetDeviceState(sizeof(state), nullptr), DIERR_INVALIDPARAM);
	EXPECT_EQ(mouse->SetDataFormat(&c_dfDIMouse), DIERR_ACQUIRED);
	EXPECT_EQ(mouse->SetCooperativeLevel(m_window, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND), DIERR_ACQUIRED);
	EXPECT_EQ(mouse->Poll(), DI_NOEFFECT);
	DIPROPDWORD deadZone{{sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), 0, DIPH_DEVICE}, 1000};
	EXPECT_EQ(mouse->SetProperty(DIPROP_DEADZONE, &deadZone.diph), DIERR_UNSUPPORTED);

	EXPECT_EQ(mouse->Unacquire(), DI_OK);
	EXPECT_EQ(mouse->Unacquire(), DI_NOEFFECT);
	EXPECT_EQ(mouse->GetDeviceState(sizeof(state), &state), DIERR_NOTACQUIRED);
	EXPECT_EQ(mouse->Poll(), DIERR_NOTACQUIRED);

	DIDEVCAPS capabilities{};
	EXPECT_EQ(mouse->GetCapabilities(&capabilities), DIERR_INVALIDPARAM); // no size
	capabilities.dwSize = sizeof(capabilities);
	ASSERT_EQ(mouse->GetCapabilities(&capabilities), DI_OK);
	EXPECT_EQ(capabilities.dwDevType & 0xFF, DWORD(DIDEVTYPE_MOUSE));
	EXPECT_EQ(capabilities.dwButtons, 4u);
	EXPECT_EQ(capabilities.dwFlags & DIDC_ATTACHED, DIDC_ATTACHED);
}

TEST_F(cDInputObjectTest, ForegroundNeedsATopLevelWindow)
{
	std::string name = RegisterTestClass(RecordingProcedure);
	HWND child = CreateWindowExA(0, name.c_str(), "child", WS_CHILD, 0, 0, 10, 10, m_window, nullptr, nullptr, nullptr);
	ASSERT_NE(child, nullptr);
	IDirectInputDevice7* mouse = nullptr;
	ASSERT_EQ(m_input->CreateDevice(GUID_SysMouse, &mouse, nullptr), DI_OK);
	m_devices.push_back(mouse);
	EXPECT_EQ(mouse->SetCooperativeLevel(child, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND), DIERR_INVALIDPARAM);
	EXPECT_EQ(mouse->SetCooperativeLevel(child, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
	DestroyWindow(child);
}
