// Drawing reports through the X damage extension on the root window, and grabs with XGetImage.
#include "ScreenWatch.h"

#include "GameConstants.h"

#include <X11/Xutil.h>

#include <chrono>
#include <cstring>
#include <poll.h>

namespace {

// A window can vanish between finding and grabbing it: such errors only mean
// that nothing is grabbed this time.
int IgnoreError(Display*, XErrorEvent*)
{
    return 0;
}

// FNV-1a, 64 bits.
constexpr std::uint64_t HASH_START = 14695981039346656037ULL;
constexpr std::uint64_t HASH_PRIME = 1099511628211ULL;

std::uint64_t HashBytes(std::uint64_t nHash, const char* pBytes, std::size_t nBytes)
{
    for (std::size_t i = 0; i < nBytes; ++i)
        nHash = (nHash ^ std::uint8_t(pBytes[i])) * HASH_PRIME;
    return nHash;
}

bool IsUniformRow(const char* pRow, std::size_t nPixelBytes, std::size_t nRowBytes, const char* pFirst)
{
    for (std::size_t i = 0; i < nRowBytes; i += nPixelBytes) {
        if (std::memcmp(pRow + i, pFirst, nPixelBytes) != 0)
            return false;
    }
    return true;
}

} // namespace

CScreenWatch::CScreenWatch()
{
    m_pDisplay = XOpenDisplay(nullptr);
    if (m_pDisplay == nullptr)
        return;
    XSetErrorHandler(IgnoreError);
    int nErrorBase = 0;
    if (!XDamageQueryExtension(m_pDisplay, &m_nDamageEventBase, &nErrorBase))
        return;
    // Damage on the root window covers every window drawn on the screen.
    m_damage = XDamageCreate(m_pDisplay, DefaultRootWindow(m_pDisplay), XDamageReportNonEmpty);
    XSync(m_pDisplay, False);
}

CScreenWatch::~CScreenWatch()
{
    if (m_pDisplay == nullptr)
        return;
    if (m_damage != 0)
        XDamageDestroy(m_pDisplay, m_damage);
    XCloseDisplay(m_pDisplay);
}

bool CScreenWatch::WaitForDrawing(int nTimeoutMs)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(nTimeoutMs);
    for (;;) {
        if (TakeDamageEvents()) {
            // Drawing from here on reports afresh; the grab that follows is
            // queued behind this, so it shows at least what was reported.
            XDamageSubtract(m_pDisplay, m_damage, None, None);
            return true;
        }
        const auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (remaining.count() <= 0)
            return false;
        pollfd fd{ConnectionNumber(m_pDisplay), POLLIN, 0};
        poll(&fd, 1, int(remaining.count()));
    }
}

bool CScreenWatch::TakeDamageEvents()
{
    bool bDamaged = false;
    while (XPending(m_pDisplay) > 0) {
        XEvent event;
        XNextEvent(m_pDisplay, &event);
        if (event.type == m_nDamageEventBase + XDamageNotify)
            bDamaged = true;
    }
    return bDamaged;
}

Window CScreenWatch::FindClientWindow(int& nHeight)
{
    Window root = 0;
    Window parent = 0;
    Window* pChildren = nullptr;
    unsigned int nChildren = 0;
    if (!XQueryTree(m_pDisplay, DefaultRootWindow(m_pDisplay), &root, &parent, &pChildren, &nChildren))
        return 0;
    Window found = 0;
    // Children come bottom first.
    for (unsigned int i = nChildren; i-- > 0 && found == 0;) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(m_pDisplay, pChildren[i], &attributes) && attributes.map_state == IsViewable &&
            attributes.width >= nFieldWidth && attributes.height >= nFieldHeight) {
            found = pChildren[i];
            nHeight = attributes.height;
        }
    }
    if (pChildren != nullptr)
        XFree(pChildren);
    return found;
}

std::optional<CScreenWatch::Grab> CScreenWatch::GrabClient()
{
    int nHeight = 0;
    const Window window = FindClientWindow(nHeight);
    if (window == 0)
        return std::nullopt;
    XImage* pImage =
        XGetImage(m_pDisplay, window, 0, nHeight - nFieldHeight, nFieldWidth, nFieldHeight, AllPlanes, ZPixmap);
    if (pImage == nullptr)
        return std::nullopt;
    const std::size_t nPixelBytes = std::size_t(pImage->bits_per_pixel) / 8;
    const std::size_t nRowBytes = nPixelBytes * nFieldWidth;
    Grab grab{HASH_START, true};
    for (int y = 0; y < nFieldHeight; ++y) {
        const char* pRow = pImage->data + std::ptrdiff_t(y) * pImage->bytes_per_line;
        grab.nHash = HashBytes(grab.nHash, pRow, nRowBytes);
        grab.bUniform = grab.bUniform && IsUniformRow(pRow, nPixelBytes, nRowBytes, pImage->data);
    }
    XDestroyImage(pImage);
    return grab;
}
