#pragma once
// For other parts of the platform layer (the input devices): every SDL event
// that the window layer takes from SDL is first shown to the registered
// observers, on the thread that created the windows, before it becomes
// window messages. The input devices learn the keyboard focus from
// GetFocus / GetForegroundWindow (Win32Window.h).

union SDL_Event;

typedef void (*SdlEventObserver)(const SDL_Event& event, void* context);

// Registers the pair (once: a second registration of the same pair is ignored).
void AddSdlEventObserver(SdlEventObserver observer, void* context);

// Unregisters the pair; once this returns the observer is not running and
// is not called again. May be called from an observer.
void RemoveSdlEventObserver(SdlEventObserver observer, void* context);
