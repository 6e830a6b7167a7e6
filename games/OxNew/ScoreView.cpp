#include "games/OxNew/ScoreView.h"

#include "core/ClientGlobal.h"
#include "games/BullTable/HandNames.h"
#include "games/common/CreateNode.h"

using namespace cocos2d;

namespace OxNew {

CScoreView* CScoreView::create() { return games::CreateNode<CScoreView>(); }

bool CScoreView::init()
{
    if (!initWithFile("OxEx/SCOREVIEW_0"))
        return false;
    setZOrder(kZOrder);
    for (int row = 0; row < GAME_PLAYER; ++row)
        m_ptRows[row] = CCPoint(245, 75 - 20.0f * row);
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
        AddRowText(NickName(seat.present ? &seat.user : nullptr), CCPoint(at.x - 125, at.y), kNameWidth);
        const uint8_t type = end.cbCardType[chair] > 10 ? 10 : end.cbCardType[chair];
        AddRowText(Bull::OxNewHandNames[type], at, kHandWidth);
        AddRowText(CClientGlobal::GBKToUTF8(CClientGlobal::FormatScore(end.lGameScore[chair])),
                   CCPoint(at.x + 125, at.y), kScoreWidth);
    }
    setVisible(true);
}

}  // namespace OxNew
