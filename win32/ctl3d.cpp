#include "win32/ctl3d.h"

namespace {

using Ctl3dCall = BOOL(WINAPI*)(HINSTANCE);

Ctl3dCall Find(HMODULE library, const char* name)
{
    return reinterpret_cast<Ctl3dCall>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

} // namespace

Ctl3dDrawing::Ctl3dDrawing(HINSTANCE instance) : m_instance(instance)
{
    // A missing library is the usual case, not one to ask the user about.
    UINT errorMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    m_library = LoadLibraryA("Ctl3d32.dll");
    SetErrorMode(errorMode);
    if (m_library == nullptr)
        return;
    Ctl3dCall registerApp = Find(m_library, "Ctl3dRegister");
    Ctl3dCall autoSubclass = Find(m_library, "Ctl3dAutoSubclass");
    if (registerApp && autoSubclass && registerApp(m_instance)) {
        m_registered = true;
        autoSubclass(m_instance);
    }
}

Ctl3dDrawing::~Ctl3dDrawing()
{
    if (m_registered) {
        if (Ctl3dCall unregisterApp = Find(m_library, "Ctl3dUnregister"))
            unregisterApp(m_instance);
    }
    if (m_library)
        FreeLibrary(m_library);
}
