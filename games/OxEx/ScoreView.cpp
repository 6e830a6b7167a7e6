#include "games/OxEx/ScoreView.h"

#include "core/ClientGlobal.h"
#include "games/BullTable/BullBoard.h"
#include "games/BullTable/HandNames.h"
#include "games/OxEx/NNHandler.h"
#include "games/OxEx/OxExMobile.h"
#include "games/common/CreateNode.h"

using namespace cocos2d;

namespace OxEx {

CScoreView* CScoreView::create() { return games::CreateNode<CScoreView>(); }

bool CScoreView::init()
{
    if (!initWithFile("OxEx/SCOREVIEW_0"))
        return false;
    m_ptRows[0] = CCPoint(100, 75);
    m_ptRows[1] = CCPoint(100, 45);
    return true;
}

void CScoreView::ShowResult(const CMD_S_GameEnd& end)
{
    NNHandler* handler = OxExMobile::GetHandler();
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        const CCPoint& row = m_ptRows[chair];
        const tagUserData* user = handler != nullptr ? handler->GetTableUserData(chair) : nullptr;
        AddRowText(NickName(user), row, kNameWidth);
        AddRowText(Bull::OxExHandNames[end.cbCardType[chair]], CCPoint(row.x + 120, row.y), kHandWidth);
        AddRowText(CClientGlobal::GBKToUTF8(CClientGlobal::FormatScore(end.lGameScore[chair])),
                   CCPoint(row.x + 255, row.y), kScoreWidth);
    }
    setVisible(true);
}

}  // namespace OxEx
