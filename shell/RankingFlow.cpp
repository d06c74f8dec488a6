// The ranking box of the main frame and the entry of a new record after a game over.
#include "MainFrame.h"

#include "FrameConstants.h"
#include "NameDlg.h"

#include <cstdio>

void CMainFrame::ReportLoadProblem()
{
    const std::string& strProblem = m_ranking.GetLoadProblem();
    if (!strProblem.empty()) {
        MessageBox(strProblem.c_str(), FRAME_TITLE, MB_OK | MB_ICONEXCLAMATION);
    }
}

void CMainFrame::OnRanking()
{
    ShowRanking();
}

void CMainFrame::ShowRanking()
{
    // The tick timer is left as it is: a game goes on behind this box.
    m_ranking.Sort();
    const std::string text = m_ranking.Format();
    ++m_nRankingBoxesOpen;
    MessageBox(text.c_str(), FRAME_TITLE, MB_OK);
    --m_nRankingBoxesOpen;
    m_ranking.Save();
}

void CMainFrame::SavePendingRanking()
{
    if (m_nRankingBoxesOpen == 0)
        return;
    try {
        m_ranking.Save();
    } catch (const CFileException& e) {
        // No box can be shown any more.
        std::fprintf(stderr, "vantrel: %s not saved: %s\n", e.GetFileName().c_str(), e.GetReason().c_str());
    }
}

void CMainFrame::EnterNewRecord()
{
    const std::int32_t nScore = m_game.GetScore();
    if (m_ranking.Qualifies(nScore)) {
        CNameDlg dlg(this);
        if (dlg.DoModal() != IDOK) {
            return; // a cancelled name loses the score: no box, nothing saved
        }
        m_ranking.PutRecord(dlg.m_strName, nScore, m_game.GetStage());
        m_ranking.Sort();
    }
    ShowRanking();
}
