// The ranking box of the main frame and the entry of a new record after a game over.
#include "MainFrame.h"

#include "FrameConstants.h"
#include "NameDlg.h"
#include "RankTable.h"

#include <cstring>

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
    MessageBox(text.c_str(), FRAME_TITLE, MB_OK);
    m_ranking.Save();
}

void CMainFrame::EnterNewRecord()
{
    const std::int32_t nScore = m_game.GetScore();
    RankEntry& last = g_rankTable[RANK_COUNT - 1];
    if (nScore > last.nScore) {
        CNameDlg dlg(this);
        if (dlg.DoModal() != IDOK) {
            return; // a cancelled name loses the score: no box, nothing saved
        }
        // Like strcpy: the name and its NUL, the bytes behind it untouched.
        // The dialog holds names to 16 bytes; a longer one is cut so that it
        // can never run past the field.
        const std::size_t nLength = strnlen(dlg.m_strName.c_str(), RANK_NAME_SIZE - 1);
        std::memcpy(last.szName, dlg.m_strName.c_str(), nLength);
        last.szName[nLength] = '\0';
        last.nScore = nScore;
        last.nStage = m_game.GetStage();
        m_ranking.Sort();
    }
    ShowRanking();
}
