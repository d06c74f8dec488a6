// A bare Win32 window doing the game's paint (a 640 x 400 top-down DIB through SetDIBitsToDevice, no erase), for the
// Wine benchmarks: shown and painted once, or, with --ticks N, repainted from a 20 ms timer N times, printing the
// periods between timer messages in milliseconds. Built by tools/bench-wine.sh; it links nothing of the game.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int FIELD_WIDTH = 640;
constexpr int FIELD_HEIGHT = 400;
constexpr UINT TICK_MS = 20;

std::vector<DWORD> g_pixels(std::size_t(FIELD_WIDTH) * FIELD_HEIGHT);
int g_nTicksLeft = 0;
std::vector<LONGLONG> g_ticks;

LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        HDC hDC = BeginPaint(hWnd, &ps);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, FIELD_WIDTH, -FIELD_HEIGHT, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        SetDIBitsToDevice(hDC, 0, 0, FIELD_WIDTH, FIELD_HEIGHT, 0, 0, 0, FIELD_HEIGHT, g_pixels.data(), &info,
                          DIB_RGB_COLORS);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER: {
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        g_ticks.push_back(now.QuadPart);
        // A field that changes every tick, as the game's does.
        g_pixels[std::size_t(g_ticks.size() * 7919) % g_pixels.size()] ^= 0xFFFF00;
        InvalidateRect(hWnd, nullptr, FALSE);
        if (--g_nTicksLeft <= 0)
            DestroyWindow(hWnd);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--ticks") == 0)
        g_nTicksLeft = std::atoi(argv[2]);
    // A sparse star field on black, so that the first frame is not one colour.
    for (std::size_t i = 0; i < g_pixels.size(); i += 97)
        g_pixels[i] = 0xFFFF00;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BareFrame";
    RegisterClassExW(&wc);
    const DWORD dwStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT rect = {0, 0, FIELD_WIDTH, FIELD_HEIGHT};
    AdjustWindowRectEx(&rect, dwStyle, FALSE, WS_EX_CLIENTEDGE);
    HWND hWnd =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"BareFrame", L"Bare", dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                        rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(hWnd, SW_SHOWNORMAL);
    UpdateWindow(hWnd);
    if (g_nTicksLeft > 0)
        SetTimer(hWnd, 1, TICK_MS, nullptr);
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    for (std::size_t i = 1; i < g_ticks.size(); ++i)
        std::printf("%.3f\n", double(g_ticks[i] - g_ticks[i - 1]) * 1000.0 / double(frequency.QuadPart));
    return 0;
}
