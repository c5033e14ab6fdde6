#pragma once
// Three-dimensional drawing of dialog controls through Ctl3d32.dll, where the system
// has it (Windows 95 and NT 4.0 draw their controls that way already, and later
// systems lack the library): loaded at run time, so that its absence costs nothing.
#include <windows.h>

class Ctl3dDrawing {
public:
    explicit Ctl3dDrawing(HINSTANCE instance);
    ~Ctl3dDrawing();
    Ctl3dDrawing(const Ctl3dDrawing&) = delete;
    Ctl3dDrawing& operator=(const Ctl3dDrawing&) = delete;

    bool Enabled() const { return m_registered; }

private:
    HINSTANCE m_instance;
    HMODULE m_library = nullptr;
    bool m_registered = false;
};
