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

CGame::CGame() : CGame(GetRuntime())
{
}

CGame::CGame(IRuntime& runtime) : m_runtime(runtime)
{
    Reset();
}

void CGame::Reset()
{
    m_nX = nStartX;
    m_nY = nStartY;
    m_nStage = nFirstStage;
    m_nScore = 0;
    m_nDY = nStartDY;
}

void CGame::Reverse()
{
    m_nDY = To16(-m_nDY);
    m_nScore = WrapAdd(m_nScore, -nFlipCost);
}

HitResult CGame::Classify(COLORREF cr)
{
    if (cr == crBlack)
        return HIT_NONE;
    if (cr == crBlue)
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
    dc.SetPixel(m_nX, m_nY, crRed);
    m_nX = To16(m_nX + 1);
    m_nY = To16(m_nY + m_nDY);
    m_nScore = WrapAdd(m_nScore, nTickPoints);
    dc.SetBkColor(crBlack);
    dc.SetTextColor(crWhite);
    DrawNumber(dc, ptScoreLabel, szTickScoreFormat, m_nScore);
}

void CGame::ClearStage(CDC& dc)
{
    m_nX = nStartX;
    m_nY = nStartY;
    m_nScore = WrapAdd(m_nScore, m_nStage * nStageBonus);
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
    const int x = m_nX - nCrashOffset;
    const int y = m_nY - nCrashOffset;
    dc.BitBlt(x, y, nCrashSize, nCrashSize, &dcMask, 0, 0, SRCAND);
    dc.BitBlt(x, y, nCrashSize, nCrashSize, &dcImage, 0, 0, SRCPAINT);
    dcMask.SelectObject(pOldMask);
    dcImage.SelectObject(pOldImage);
    dcMask.DeleteDC();
    dcImage.DeleteDC();
}

// Every figure is filled by the black brush. The stars come before the safe
// blocks and the gates, so the blocks erase stars and the gates cover the frame.
void CGame::DrawField(CDC& dc) const
{
    CBrush brushBlack(crBlack);
    CBrush* pOldBrush = dc.SelectObject(&brushBlack);
    dc.Rectangle(&rcScreen);

    CPen penFrame(PS_SOLID, nWidePen, crGreen);
    CPen* pOldPen = dc.SelectObject(&penFrame);
    dc.Rectangle(&rcFrame);

    CPen penStar(PS_SOLID, nThinPen, crYellow);
    dc.SelectObject(&penStar);
    DrawStars(dc);

    CPen penSafe(PS_SOLID, nThinPen, crBlack);
    dc.SelectObject(&penSafe);
    dc.Rectangle(&rcSafeLeft);
    dc.Rectangle(&rcSafeRight);

    CPen penGate(PS_SOLID, nWidePen, crBlue);
    dc.SelectObject(&penGate);
    dc.Rectangle(&rcGateLeft);
    dc.Rectangle(&rcGateRight);

    dc.SetBkColor(crBlack);
    dc.SetTextColor(crWhite);
    DrawLabels(dc);

    dc.SelectObject(pOldBrush);
    dc.SelectObject(pOldPen);
}

// Seeded from the clock in whole seconds, so fields drawn within the same
// second share their stars; x is drawn before y.
void CGame::DrawStars(CDC& dc) const
{
    IRuntime& runtime = m_runtime;
    runtime.Srand(static_cast<unsigned int>(runtime.Time()));
    const int nStars = (m_nStage - 1) * nStarsPerStage + nStarsFirstStage;
    for (int i = 0; i < nStars; ++i) {
        const int x = runtime.Rand() % nStarXRange + nStarXMin;
        const int y = runtime.Rand() % nStarYRange + nStarYMin;
        dc.Ellipse(x, y, x + nStarSize, y + nStarSize);
    }
}

void CGame::DrawLabels(CDC& dc) const
{
    dc.TextOut(ptTitleLabel.x, ptTitleLabel.y, szTitleLabel);
    DrawNumber(dc, ptStageLabel, szStageFormat, m_nStage);
    DrawNumber(dc, ptScoreLabel, szScoreFormat, m_nScore);
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
