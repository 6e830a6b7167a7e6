#include "games/OxTB/ScoreView.h"

#include "core/ClientGlobal.h"
#include "games/OxTB/HandNames.h"
#include "games/common/CreateNode.h"

using namespace cocos2d;

namespace OxTB {

CScoreView* CScoreView::create() { return games::CreateNode<CScoreView>(); }

bool CScoreView::init()
{
    if (!initWithFile("OxEx/SCOREVIEW_1"))
        return false;
    for (int row = 0; row < GAME_PLAYER; ++row)
        m_ptRows[row] = CCPoint(105, 140 - 25.0f * row);
    return true;
}

void CScoreView::ShowResult(const CMD_S_GameEnd& end, const std::vector<Bull::CBullBoard::SeatUser>& users)
{
    int row = 0;
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        if (end.cbPlayStatus[chair] != PLAYER_PLAYING)
            continue;
        const CCPoint& at = m_ptRows[row++];
        if (chair >= users.size())
            break;
        const Bull::CBullBoard::SeatUser& seat = users[chair];
        AddRowText(NickName(seat.present ? &seat.user : nullptr), at, kNameWidth);
        AddRowText(OxTBHandNames[end.cbCardType[chair]], CCPoint(at.x + 130, at.y), kHandWidth);
        AddRowText(CClientGlobal::GBKToUTF8(CClientGlobal::FormatScore(end.lGameScore[chair])),
                   CCPoint(at.x + 260, at.y), kScoreWidth);
    }
    setVisible(true);
}

}  // namespace OxTB
