#pragma once
// Small helpers of the form tests.
#include "forms/Control.h"
#include "forms/MessagePump.h"
#include "forms/Runtime.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

// Lets the posted messages run through the forms' keyboard handling.
inline void Pump(int rounds = 5)
{
    for (int i = 0; i < rounds; ++i) {
        forms::DoEvents();
        Sleep(5);
    }
}

inline bool Has(const std::vector<std::wstring>& log, const std::wstring& entry)
{
    return std::find(log.begin(), log.end(), entry) != log.end();
}

inline int Count(const std::vector<std::wstring>& log, const std::wstring& entry)
{
    return static_cast<int>(std::count(log.begin(), log.end(), entry));
}

inline std::wstring Text(HWND w)
{
    wchar_t buf[512] = {};
    GetWindowTextW(w, buf, 512);
    return buf;
}

// Where the point x, y pixels into control c is shown: the window that
// draws it (a drawn control's container, else its own) and the point in that
// window's client pixels.
struct Spot {
    HWND w;
    POINT p;
};

inline Spot At(const forms::Control& c, int x, int y)
{
    if (c.hwnd)
        return Spot{c.hwnd, POINT{x, y}};
    const RECT r = c.DrawnRect();
    return Spot{c.ContainerWindow(), POINT{r.left + x, r.top + y}};
}

inline POINT OnScreen(Spot s)
{
    ClientToScreen(s.w, &s.p);
    return s.p;
}

// Runs action once from a thread timer after delayMs, inside whatever message
// loop runs then (a modal form's, for instance).
void AfterDelay(std::function<void()> action, UINT delayMs = 100);
