// The ranking box of the main frame and the entry of a new record after a game over.
#include "MainFrame.h"

#include "FrameConstants.h"
#include "NameDlg.h"

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
    m_bSavePending = true;
    MessageBox(text.c_str(), FRAME_TITLE, MB_OK);
    SavePendingRanking();
}

void CMainFrame::SavePendingRanking()
{
    if (!m_bSavePending)
        return;
    m_bSavePending = false;
    m_ranking.Save();
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
