#pragma once
// What another X client sees of a process's windows: their place and size
// on the screen, the screen's pixels, and the means to destroy a window
// from outside. Include it last: Xlib defines short macro names.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <sys/types.h>
#include <unistd.h>

#include <string>
#include <vector>

class cXWindowProbe
{
public:
	struct sRect
	{
		int x = 0, y = 0, width = 0, height = 0;
	};

	// Errors of this client (a window that went meanwhile) are not fatal.
	cXWindowProbe() : m_display(XOpenDisplay(nullptr)) { XSetErrorHandler([](Display*, XErrorEvent*) { return 0; }); }
	~cXWindowProbe()
	{
		if (m_display)
			XCloseDisplay(m_display);
	}
	cXWindowProbe(const cXWindowProbe&) = delete;
	cXWindowProbe& operator=(const cXWindowProbe&) = delete;

	bool IsOpen() const { return m_display != nullptr; }
	int ScreenWidth() const { return DisplayWidth(m_display, DefaultScreen(m_display)); }
	int ScreenHeight() const { return DisplayHeight(m_display, DefaultScreen(m_display)); }

	// The top-most mapped top-level window whose _NET_WM_PID is pid (an earlier
	// test of the program may leave one of its own mapped beneath); 0 when none.
	Window FindMappedWindowOf(pid_t pid) const
	{
		Window root = DefaultRootWindow(m_display), parent = 0, *children = nullptr;
		unsigned count = 0;
		Window found = 0;
		if (!XQueryTree(m_display, root, &root, &parent, &children, &count))
			return 0;
		const Atom pidAtom = XInternAtom(m_display, "_NET_WM_PID", False);
		// The children come bottom first: the last one found is on top.
		for (unsigned i = 0; i < count; ++i)
		{
			XWindowAttributes attributes;
			if (XGetWindowAttributes(m_display, children[i], &attributes) && attributes.map_state == IsViewable &&
				PidOf(children[i], pidAtom) == pid)
				found = children[i];
		}
		if (children)
			XFree(children);
		return found;
	}

	// The window's place on the screen and its size.
	sRect Geometry(Window window) const
	{
		XWindowAttributes attributes {};
		Window child = 0;
		sRect rect;
		if (XGetWindowAttributes(m_display, window, &attributes))
		{
			XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), 0, 0, &rect.x, &rect.y, &child);
			rect.width = attributes.width;
			rect.height = attributes.height;
		}
		return rect;
	}

	// A pixel of the screen as 0xRRGGBB.
	unsigned long ScreenPixel(int x, int y) const
	{
		XImage* image = XGetImage(m_display, DefaultRootWindow(m_display), x, y, 1, 1, AllPlanes, ZPixmap);
		if (!image)
			return ~0ul;
		unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
		XDestroyImage(image);
		return pixel;
	}

	// The window's title as the window manager reads it (UTF-8); empty when none.
	std::string Title(Window window) const
	{
		std::string title;
		Atom type = 0;
		int format = 0;
		unsigned long items = 0, after = 0;
		unsigned char* data = nullptr;
		if (XGetWindowProperty(m_display, window, XInternAtom(m_display, "_NET_WM_NAME", False), 0, 1024, False,
				XInternAtom(m_display, "UTF8_STRING", False), &type, &format, &items, &after, &data) == Success &&
			data)
		{
			if (format == 8)
				title.assign(reinterpret_cast<const char*>(data), items);
			XFree(data);
		}
		return title;
	}

	// Moves the mouse to (x, y) of the window's client area, as the user would.
	// Moves the pointer to the window's point as the mouse device would:
	// the server reports it as device motion, not as a warp.
	void MovePointer(Window window, int x, int y) const
	{
		int screenX = 0, screenY = 0;
		Window child = 0;
		XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), x, y, &screenX, &screenY, &child);
		XTestFakeMotionEvent(m_display, DefaultScreen(m_display), screenX, screenY, CurrentTime);
		XSync(m_display, False);
	}

	// A left click at the window's point: the pointer moves there first.
	void Click(Window window, int x, int y) const
	{
		MovePointer(window, x, y);
		ClickButton(1);
	}

	// Presses and releases the mouse button (1 left, 3 right) where the
	// pointer is, each a few frames apart.
	void ClickButton(unsigned button) const
	{
		for (Bool down : {True, False})
		{
			usleep(60000);
			XTestFakeButtonEvent(m_display, button, down, CurrentTime);
			XSync(m_display, False);
		}
	}

	// Presses (down) or lets go of the mouse button where the pointer is.
	void SetButton(unsigned button, bool down) const
	{
		XTestFakeButtonEvent(m_display, button, down ? True : False, CurrentTime);
		XSync(m_display, False);
	}

	// Presses the left button at one point of the window, moves to the
	// other in steps and lets go there.
	void Drag(Window window, int fromX, int fromY, int toX, int toY) const
	{
		MovePointer(window, fromX, fromY);
		usleep(100000);
		SetButton(1, true);
		for (int step = 1; step <= 10; ++step)
		{
			usleep(50000);
			MovePointer(window, fromX + (toX - fromX) * step / 10, fromY + (toY - fromY) * step / 10);
		}
		usleep(100000);
		SetButton(1, false);
	}

	// Presses and releases the key of each character (letters, digits and
	// the blank), one after another; capitals with shift held.
	void TypeText(const std::string& text) const
	{
		for (char c : text)
		{
			const bool capital = c >= 'A' && c <= 'Z';
			PressKey(c == ' ' ? XK_space : capital ? KeySym(XK_a + (c - 'A')) : KeySym(c), capital);
		}
	}

	// Presses and releases the key of the X key symbol (XK_Return, XK_a...),
	// with shift held when asked.
	void PressKey(KeySym key, bool shift = false) const
	{
		const KeyCode shiftCode = XKeysymToKeycode(m_display, XK_Shift_L);
		if (shift)
			XTestFakeKeyEvent(m_display, shiftCode, True, CurrentTime);
		// Each state is held for a few frames even of a slow (sanitized) game.
		const KeyCode code = XKeysymToKeycode(m_display, key);
		for (Bool down : {True, False})
		{
			XTestFakeKeyEvent(m_display, code, down, CurrentTime);
			XSync(m_display, False);
			usleep(150000);
		}
		if (shift)
		{
			XTestFakeKeyEvent(m_display, shiftCode, False, CurrentTime);
			XSync(m_display, False);
		}
	}

	// The screen's pixels of the rectangle as 0xRRGGBB, rows from the top;
	// empty when they cannot be read.
	std::vector<unsigned long> Capture(const sRect& rect) const
	{
		std::vector<unsigned long> pixels;
		XImage* image = XGetImage(m_display, DefaultRootWindow(m_display), rect.x, rect.y, unsigned(rect.width),
			unsigned(rect.height), AllPlanes, ZPixmap);
		if (!image)
			return pixels;
		for (int y = 0; y < rect.height; ++y)
			for (int x = 0; x < rect.width; ++x)
				pixels.push_back(XGetPixel(image, x, y) & 0xFFFFFF);
		XDestroyImage(image);
		return pixels;
	}

	// Asks the window to close, as its close box does.
	void RequestClose(Window window) const
	{
		XEvent event {};
		event.xclient.type = ClientMessage;
		event.xclient.window = window;
		event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
		event.xclient.format = 32;
		event.xclient.data.l[0] = long(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
		event.xclient.data.l[1] = CurrentTime;
		XSendEvent(m_display, window, False, NoEventMask, &event);
		XSync(m_display, False);
	}

	void Destroy(Window window) const
	{
		XDestroyWindow(m_display, window);
		XSync(m_display, False);
	}

private:
	long PidOf(Window window, Atom pidAtom) const
	{
		Atom type = 0;
		int format = 0;
		unsigned long items = 0, after = 0;
		unsigned char* data = nullptr;
		long pid = -1;
		if (XGetWindowProperty(m_display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
				&data) == Success && data)
		{
			if (items == 1 && format == 32)
				pid = *reinterpret_cast<long*>(data);
			XFree(data);
		}
		return pid;
	}

	Display* m_display;
};
