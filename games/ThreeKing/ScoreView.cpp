#include "games/ThreeKing/ScoreView.h"

#include "core/ClientGlobal.h"
#include "games/ThreeKing/HandNames.h"
#include "games/framework/BoardArt.h"
#include "games/common/CreateNode.h"

using namespace cocos2d;

namespace ThreeKing {

CScoreView* CScoreView::create() { return games::CreateNode<CScoreView>(); }

bool CScoreView::init()
{
    if (!CCSprite::init())
        return false;
    initWithFile("ThreeKing/SCOREVIEW");
    for (int r = 0; r < kRows; ++r)
        m_ptRows[r] = CCPoint(80, 155 - 25 * r);
    return true;
}

void CScoreView::AddText(const std::string& utf8, const CCPoint& at, float width)
{
    CCLabelTTF* label = CCLabelTTF::create(utf8.c_str(), "Arial", 14);
    Sexy::FitToWidth(label, width);
    label->setPosition(at);
    addChild(label, 10);
}

void CScoreView::ShowResult(const CMD_S_GameEnd& result, const tagUserData* const (&users)[GAME_PLAYER])
{
    m_Rows.clear();
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        const tagUserData* user = users[chair];
        if (user == nullptr)
            continue;
        Row row;
        row.name = CClientGlobal::GBKToUTF8(CClientGlobal::WideToAnsi(FieldText(user->szNickName)));
        // The index is the server's: one past the names shows no text.
        row.hand = ThreeKingHandNames[result.cbHandIndex[chair]];
        row.score = CClientGlobal::GBKToUTF8(CClientGlobal::FormatScore(result.lGameScore[chair]));
        const CCPoint& at = m_ptRows[m_Rows.size()];
        AddText(row.score, CCPoint(at.x + 235, at.y), kScoreWidth);
        AddText(row.hand, CCPoint(at.x + 110, at.y), kHandWidth);
        AddText(row.name, at, kNameWidth);
        m_Rows.push_back(row);
    }
    setVisible(true);
}

}  // namespace ThreeKing
