#pragma once
// Scalar types, handles and small structures shared by the stand-in platform
// interfaces. Sizes follow the 32-bit layouts the engine reads and writes:
// LONG and DWORD are 32 bits whatever the width of the host's long.

#include <cstdint>

typedef int32_t BOOL;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef uint32_t UINT;
typedef int32_t INT;
typedef int32_t HRESULT;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef uintptr_t DWORD_PTR;
typedef int64_t LONGLONG;
typedef intptr_t LONG_PTR;
typedef uintptr_t UINT_PTR;
typedef WORD ATOM;
typedef wchar_t WCHAR; // holds one UTF-16 code unit

// Calling-convention markers of the interfaces; nothing on this platform.
#define WINAPI
#define CALLBACK

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Handles are opaque to the engine. HWND is the platform's own window
// object (inside the layer: the SDL_Window pointer); the others point at
// layer-private objects.
struct HWND__;
typedef HWND__* HWND;
struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE;
struct HICON__;
typedef HICON__* HICON;
struct HCURSOR__;
typedef HCURSOR__* HCURSOR;
struct HBRUSH__;
typedef HBRUSH__* HBRUSH;
struct HMENU__;
typedef HMENU__* HMENU;
typedef void* HANDLE;
typedef void* HGDIOBJ;

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)))

struct RECT
{
	LONG left;
	LONG top;
	LONG right;
	LONG bottom;
};

struct POINT
{
	LONG x;
	LONG y;
};

// Accepted and ignored: objects are never inherited by child processes.
struct SECURITY_ATTRIBUTES
{
	DWORD nLength;
	void* lpSecurityDescriptor;
	BOOL bInheritHandle;
};

struct GUID
{
	uint32_t Data1;
	uint16_t Data2;
	uint16_t Data3;
	uint8_t Data4[8];
};

inline bool operator==(const GUID& a, const GUID& b)
{
	if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
		return false;
	for (int i = 0; i < 8; ++i)
		if (a.Data4[i] != b.Data4[i])
			return false;
	return true;
}

#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_FAIL ((HRESULT)0x80004005L)
#define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define E_INVALIDARG ((HRESULT)0x80070057L)
#define E_NOINTERFACE ((HRESULT)0x80004002L)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#define MAKELPARAM(lo, hi) ((LPARAM)(DWORD)(((WORD)(lo)) | (((DWORD)(WORD)(hi)) << 16)))
