// The rules of one tick and the drawing of the playfield.
#include "CGame.h"

#include "Brush.h"
#include "DC.h"
#include "GameConstants.h"
#include "Pen.h"
#include "PlayfieldRects.h"
#include "Runtime.h"
#include "resource.h"

#include <cstdio>
#include <string_view>

namespace {

// Two's-complement wrap-around: a score beyond the 32-bit range wraps instead
// of being undefined.
std::int32_t WrapAdd(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// The 16-bit fields are computed in int and wrap when stored back.
std::int16_t To16(int n)
{
    return static_cast<std::int16_t>(n);
}

void DrawNumber(CDC& dc, POINT pt, const char* pszFormat, int nValue)
{
    char szText[32];
    const int nLength = std::snprintf(szText, sizeof szText, pszFormat, nValue);
    dc.TextOut(pt.x, pt.y, std::string_view(szText, static_cast<std::size_t>(nLength)));
}

} // namespace

CGame::CGame(IRuntime& runtime) : m_runtime(runtime)
{
    Reset();
}

void CGame::Reset()
{
    m_nX = nStartX;
    m_nY = nStartY;
    m_nStage = FIRST_STAGE;
    m_nScore = 0;
    m_nDY = nStartDY;
}

void CGame::Reverse()
{
    m_nDY = To16(-m_nDY);
    m_nScore = WrapAdd(m_nScore, -FLIP_COST);
}

HitResult CGame::Classify(COLORREF cr)
{
    if (cr == COLOR_BLACK)
        return HIT_NONE;
    if (cr == COLOR_BLUE)
        return HIT_GOAL;
    return HIT_CRASH;
}

HitResult CGame::Probe(const CDC& dc) const
{
    return Classify(dc.GetPixel(m_nX, m_nY));
}

void CGame::Advance(CDC& dc, HitResult hit)
{
    switch (hit) {
    case HIT_NONE:
        MoveHead(dc);
        break;
    case HIT_GOAL:
        ClearStage(dc);
        break;
    case HIT_CRASH:
        DrawCrash(dc);
        break;
    }
}

void CGame::MoveHead(CDC& dc)
{
    dc.SetPixel(m_nX, m_nY, COLOR_RED);
    m_nX = To16(m_nX + 1);
    m_nY = To16(m_nY + m_nDY);
    m_nScore = WrapAdd(m_nScore, TICK_POINTS);
    dc.SetBkColor(COLOR_BLACK);
    dc.SetTextColor(COLOR_WHITE);
    DrawNumber(dc, SCORE_LABEL_POS, TICK_SCORE_FORMAT, m_nScore);
}

void CGame::ClearStage(CDC& dc)
{
    m_nX = nStartX;
    m_nY = nStartY;
    m_nScore = WrapAdd(m_nScore, m_nStage * STAGE_BONUS);
    m_nStage = To16(m_nStage + 1);
    m_nDY = nStartDY;
    DrawField(dc);
}

// The mask ANDed in clears the burst's shape and keeps the background around
// it; the image ORed in then paints the burst into the cleared shape.
void CGame::DrawCrash(CDC& dc)
{
    CDC dcImage;
    CDC dcMask;
    dcImage.CreateCompatibleDC(&dc);
    dcMask.CreateCompatibleDC(&dc);
    CBitmap* pOldImage = dcImage.SelectObject(&m_bmpCrash);
    CBitmap* pOldMask = dcMask.SelectObject(&m_bmpCrashMask);
    const int x = m_nX - CRASH_OFFSET;
    const int y = m_nY - CRASH_OFFSET;
    dc.BitBlt(x, y, CRASH_SIZE, CRASH_SIZE, &dcMask, 0, 0, SRCAND);
    dc.BitBlt(x, y, CRASH_SIZE, CRASH_SIZE, &dcImage, 0, 0, SRCPAINT);
    dcMask.SelectObject(pOldMask);
    dcImage.SelectObject(pOldImage);
    dcMask.DeleteDC();
    dcImage.DeleteDC();
}

// Every figure is filled by the black brush. The stars come before the safe
// blocks and the gates, so the blocks erase stars and the gates cover the frame.
void CGame::DrawField(CDC& dc) const
{
    CBrush brushBlack(COLOR_BLACK);
    CBrush* pOldBrush = dc.SelectObject(&brushBlack);
    dc.Rectangle(&rcScreen);

    CPen penFrame(PS_SOLID, WIDE_PEN, COLOR_GREEN);
    CPen* pOldPen = dc.SelectObject(&penFrame);
    dc.Rectangle(&rcFrame);

    CPen penStar(PS_SOLID, THIN_PEN, COLOR_YELLOW);
    dc.SelectObject(&penStar);
    DrawStars(dc);

    CPen penSafe(PS_SOLID, THIN_PEN, COLOR_BLACK);
    dc.SelectObject(&penSafe);
    dc.Rectangle(&rcSafeLeft);
    dc.Rectangle(&rcSafeRight);

    CPen penGate(PS_SOLID, WIDE_PEN, COLOR_BLUE);
    dc.SelectObject(&penGate);
    dc.Rectangle(&rcGateLeft);
    dc.Rectangle(&rcGateRight);

    dc.SetBkColor(COLOR_BLACK);
    dc.SetTextColor(COLOR_WHITE);
    DrawLabels(dc);

    dc.SelectObject(pOldBrush);
    dc.SelectObject(pOldPen);
}

// Seeded from the clock in whole seconds, so fields drawn within the same
// second share their stars; x is drawn before y.
void CGame::DrawStars(CDC& dc) const
{
    m_runtime.Srand(static_cast<unsigned int>(m_runtime.Time()));
    const int nStars = (m_nStage - 1) * STARS_PER_STAGE + STARS_FIRST_STAGE;
    for (int i = 0; i < nStars; ++i) {
        const int x = m_runtime.Rand() % STAR_X_RANGE + STAR_X_MIN;
        const int y = m_runtime.Rand() % STAR_Y_RANGE + STAR_Y_MIN;
        dc.Ellipse(x, y, x + STAR_SIZE, y + STAR_SIZE);
    }
}

void CGame::DrawLabels(CDC& dc) const
{
    dc.TextOut(TITLE_LABEL_POS.x, TITLE_LABEL_POS.y, TITLE_LABEL);
    DrawNumber(dc, STAGE_LABEL_POS, STAGE_FORMAT, m_nStage);
    DrawNumber(dc, SCORE_LABEL_POS, SCORE_FORMAT, m_nScore);
}

void CGame::LoadBitmaps()
{
    m_bmpCrash.LoadBitmap(IDB_CRASH);
    m_bmpCrashMask.LoadBitmap(IDB_CRASHMASK);
}

void CGame::FreeBitmaps()
{
    m_bmpCrash.DeleteObject();
    m_bmpCrashMask.DeleteObject();
}
