#include "games/ShuangKouHP/ScoreView.h"

#include "core/ClientGlobal.h"
#include "games/ShuangKouHP/HPHandler.h"
#include "games/ShuangKouHP/ShuangKouMobile.h"
#include "games/framework/BoardArt.h"
#include "games/framework/UserData.h"
#include "ui/GBKLabel.h"
#include "ui/VisibleRect.h"

#include <cinttypes>
#include <cstdio>
#include <new>

using namespace cocos2d;
using namespace cocos2d::extension;

namespace ShuangKouHP {

namespace {

const std::string kFolder = "shuangkouHP/theEnd/";
const float kRowY[GAME_PLAYER] = {100, -45};
// The title and the value under the picture's top edge, the value after its
// caption: the picture stops short of the other player's row of cards.
const CCPoint kTitlePoint(-180, 178);
const CCPoint kShownValuePoint(0, 178);
constexpr float kShownValueWidth = 210;
constexpr float kNameX = -180;
// A name centred on its point, clear of the score's sign; a score from its
// point to short of the row's mark.
constexpr float kNameWidth = 170;
constexpr float kScoreWidth = 195;
const ccColor3B kNameColour = {70, 45, 20};

std::string Path(const char* name) { return kFolder + name; }

CCLabelAtlas* Atlas(const std::string& text, const char* map, unsigned width, unsigned height)
{
    return CCLabelAtlas::create(text.c_str(), Path(map).c_str(), width, height, '0');
}

}  // namespace

CScoreView* CScoreView::create()
{
    auto* view = new (std::nothrow) CScoreView();
    if (view != nullptr && view->init())
    {
        view->autorelease();
        return view;
    }
    delete view;
    return nullptr;
}

bool CScoreView::init()
{
    if (!CCLayerRGBA::init())
        return false;
    CCSprite* background = CCSprite::create(Path("endLayer").c_str());
    background->setPosition(VisibleRect::leftBottom() + CCPoint(10, 100));
    addChild(background);
    m_pClose = AddCloseButton(Path("close").c_str(), CCPoint(250, 250));
    setVisible(true);
    return true;
}

std::string CScoreView::Digits(int64_t amount)
{
    // The magnitude as unsigned, so the lowest 64-bit value has one too.
    const uint64_t magnitude = amount < 0 ? 0 - static_cast<uint64_t>(amount) : static_cast<uint64_t>(amount);
    char text[32];
    std::snprintf(text, sizeof(text), "%" PRIu64, magnitude);
    return text;
}

void CScoreView::SetGameEnd(const CMD_S_GameEnd& end)
{
    HPHandler* handler = ShuangKouMobile::GetHandler();
    const uint16_t me = handler != nullptr ? handler->GetMeChairID() : 0;
    const int64_t mine = me < GAME_PLAYER ? end.lGameScore[me] : 0;

    m_pTitle = CCSprite::create(Path(mine > 0 ? "win" : "lose").c_str());
    m_pTitle->setPosition(kTitlePoint);
    addChild(m_pTitle);

    const int64_t shown = end.lShownValue;
    m_pShownValue = Atlas(Digits(shown), "nember5", 19, 25);
    m_pShownValue->setAnchorPoint(CCPoint(0, 0.5f));
    m_pShownValue->setPosition(kShownValuePoint);
    Sexy::FitToWidth(m_pShownValue, kShownValueWidth);
    addChild(m_pShownValue);
    if (shown < 0)
    {
        m_pShownSign = CCSprite::create(Path("fuhao").c_str());
        m_pShownSign->setPosition(kShownValuePoint - CCPoint(12, 0));
        addChild(m_pShownSign);
    }

    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        const float y = kRowY[chair];
        // A chair left empty since the hand has no name.
        const tagUserData* user = handler != nullptr ? handler->GetTableUserData(chair) : nullptr;
        const std::string name = user != nullptr ? CClientGlobal::WideToAnsi(FieldText(user->szNickName)) : "";
        m_pNames[chair] = CreateGBKLabel(name, "Arial", 16);
        m_pNames[chair]->setColor(kNameColour);
        m_pNames[chair]->setPosition(CCPoint(kNameX, y));
        Sexy::FitTextToWidth(m_pNames[chair], kNameWidth);
        addChild(m_pNames[chair]);

        const int64_t change = end.lGameScore[chair];
        if (change <= 0)
        {
            m_pSigns[chair] = CCSprite::create(Path("fuhao").c_str());
            m_pSigns[chair]->setPosition(CCPoint(-27, y));
            addChild(m_pSigns[chair]);
        }
        m_pScores[chair] = Atlas(Digits(change), change <= 0 ? "nember" : "nember2", 17, 21);
        m_pScores[chair]->setPosition(CCPoint(-17, y - 12));
        Sexy::FitToWidth(m_pScores[chair], kScoreWidth);
        addChild(m_pScores[chair]);

        int sum = 0;
        for (int i = 0; i < 9; ++i)
            sum += end.cbEndCounter[chair][i];
        m_pCounters[chair] = Atlas(std::to_string(sum), "nember7", 22, 33);
        m_pCounters[chair]->setAnchorPoint(CCPoint(0, 0.5f));
        m_pCounters[chair]->setPosition(CCPoint(210, y - 5));
        addChild(m_pCounters[chair]);

        CCSprite* mark = CCSprite::create(Path("ca").c_str());
        mark->setPosition(CCPoint(195, y + 10));
        addChild(mark);
    }
    setVisible(true);
}

}  // namespace ShuangKouHP
