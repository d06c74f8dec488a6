// Watches the drawing on an X screen and grabs the client area of the window that is shown on it.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <cstdint>
#include <optional>

class CScreenWatch {
public:
    // One grab of the client area: the bottom-left field-sized block of the
    // top-most mapped window at least that large (the menu bar sits above it).
    struct Grab {
        std::uint64_t nHash; // of the pixels, row by row
        bool bUniform;       // every pixel the same colour: nothing painted yet
    };

    // Connects to the display named by DISPLAY and reports every drawing on
    // its screen from now on, whatever window it goes to.
    CScreenWatch();
    CScreenWatch(const CScreenWatch&) = delete;
    CScreenWatch& operator=(const CScreenWatch&) = delete;
    ~CScreenWatch();

    // False when the display or its damage extension is missing.
    bool IsOpen() const { return m_damage != 0; }
    // Waits up to nTimeoutMs for drawing. True when some was reported; the
    // next call reports only drawing that follows this return.
    bool WaitForDrawing(int nTimeoutMs);
    // Nothing while no such window is mapped.
    std::optional<Grab> GrabClient();

private:
    bool TakeDamageEvents();
    Window FindClientWindow(int& nHeight);

    Display* m_pDisplay = nullptr;
    Damage m_damage = 0;
    int m_nDamageEventBase = 0;
};
