// The Qt window system with a soak clock: window timers tick as fast as the event loop turns.
#pragma once

#include "WindowSystem.h"

#include <functional>

class CQtWindowSystem;

// Everything goes to the Qt window system, frames included; only their
// timers are replaced. A running window timer fires once per turn of the
// event loop instead of every nElapse ms, and each firing calls the tick
// function, which delivers the WM_TIMER (and whatever a player does between
// ticks). As with the Qt timers, a firing never nests inside its own tick.
class CSoakWindowSystem : public IWindowSystem {
public:
    using TickFunction = std::function<void(CWnd& wnd, UINT_PTR nIDEvent)>;

    CSoakWindowSystem(CQtWindowSystem& qt, TickFunction fnTick);

    std::unique_ptr<IWindowHost> CreateFrameHost(CWnd& wnd, std::string_view title, std::uint32_t dwStyle,
                                                 const RECT& rect, UINT nMenuID) override;
    int GetSystemMetrics(int nIndex) override;
    BOOL PlaySound(const char* pszSound, UINT fdwSound) override;
    int Run() override;

    // How many times a window asked for a timer to start, and to stop.
    int GetTimerStarts() const { return m_nTimerStarts; }
    int GetTimerStops() const { return m_nTimerStops; }
    int GetSoundsPlayed() const { return m_nSounds; }
    // Blocks painted from a window's bitmap.
    int GetPaints() const { return m_nPaints; }

private:
    friend class CSoakFrameHost;

    CQtWindowSystem& m_qt;
    TickFunction m_fnTick;
    int m_nTimerStarts = 0;
    int m_nTimerStops = 0;
    int m_nSounds = 0;
    int m_nPaints = 0;
};
