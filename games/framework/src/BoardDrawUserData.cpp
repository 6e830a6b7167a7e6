#include "games/framework/BoardDrawUserData.h"

#include "core/ClientGlobal.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/BoardArt.h"
#include "games/framework/GameBoard.h"
#include "games/framework/GameRoom.h"
#include "ui/GBKLabel.h"

#include <cstdio>
#include <new>

using namespace cocos2d;

namespace Sexy {

namespace {

CCLabelTTF* Label(const std::string& gbk, int size) { return CreateGBKLabel(gbk, "Arial", static_cast<float>(size)); }

// Another player's panel picture is 80 wide: its name is centred at 38, its
// score at 41, each kept 2 inside the edge.
constexpr float kOtherNameWidth = 68;
constexpr float kOtherScoreWidth = 74;

// The card tables' own panel picture spans 60 either side of its point
// (-9 or -7 from the seat's): the name and score centred at -12 and -10
// keep 4 inside it.
constexpr float kCardTableTextWidth = 106;
// The bull tables' own panel picture ends 160 right of the seat: the name
// centred at 90 keeps right of the face (its right edge at 26), the score
// centred at 120 keeps 4 inside the edge.
constexpr float kBullTableNameWidth = 120;
constexpr float kBullTableScoreWidth = 72;

}  // namespace

CBoardDrawUserData* CBoardDrawUserData::create()
{
    auto* panel = new (std::nothrow) CBoardDrawUserData();
    if (panel != nullptr && panel->init())
    {
        panel->autorelease();
        return panel;
    }
    delete panel;
    return nullptr;
}

void CBoardDrawUserData::SetTextLayout(const CCPoint& face, const CCPoint& name, int nameFontSize, const CCPoint& score,
                                       int scoreFontSize, const char* backgroundImage, float nameWidth,
                                       float scoreWidth)
{
    m_fNameWidth = nameWidth;
    m_fScoreWidth = scoreWidth;
    m_ptFace = face;
    m_ptName = name;
    m_nNameFontSize = nameFontSize;
    m_ptScore = score;
    m_nScoreFontSize = scoreFontSize;
    m_strBackground = backgroundImage != nullptr ? backgroundImage : "";
}

std::string CBoardDrawUserData::FaceOf(const tagUserData* user)
{
    return CClientGlobal::FacePicture(CClientGlobal::GetUserLevel(user));
}

std::string CBoardDrawUserData::NickOf(const tagUserData* user, size_t maxBytes)
{
    return CClientGlobal::TruncateText(CClientGlobal::WideToAnsi(FieldText(user->szNickName)), maxBytes, false);
}

void CBoardDrawUserData::SetFace(const tagUserData* user)
{
    m_strFace = FaceOf(user);
    if (m_pFace == nullptr)
        return;
    if (CCSpriteFrame* frame = CCResolvePicture(m_strFace.c_str()))
        m_pFace->setDisplayFrame(frame);
}

void CBoardDrawUserData::FitTexts()
{
    if (m_fNameWidth > 0)
        FitToWidth(m_pNameLabel, m_fNameWidth);
    if (m_fScoreWidth > 0)
        FitToWidth(m_pScoreLabel, m_fScoreWidth);
}

void CBoardDrawUserData::Build(CGameBoard* board, uint16_t view, const tagUserData* user)
{
    if (user == nullptr || !IsSeatedGame())
        return;
    m_dwGameID = user->dwGameID;
    m_wViewID = view;
    const std::string score = CClientGlobal::FormatScore(user->lScore);
    m_strFace = FaceOf(user);
    if (view == 0)
    {
        if (board != nullptr)
            board->LayoutMyInfo(this);
        m_pBackground = m_strBackground.empty() ? CCSprite::create() : CCSprite::create(m_strBackground.c_str());
        addChild(m_pBackground);
        m_pFace = CCSprite::create(m_strFace.c_str());
        m_pFace->setScale(0.7f);
        m_pFace->setPosition(m_ptFace);
        m_pBackground->addChild(m_pFace);
        m_pNameLabel = Label(NickOf(user, 12), m_nNameFontSize);
        m_pNameLabel->setPosition(m_ptName);
        m_pBackground->addChild(m_pNameLabel);
        m_pScoreLabel = Label(score, m_nScoreFontSize);
        m_pScoreLabel->setPosition(m_ptScore);
        m_pBackground->addChild(m_pScoreLabel);
        FitTexts();
        return;
    }
    m_pBackground = CCSprite::create("ClientGame/UserDataBg");
    addChild(m_pBackground);
    m_pFace = CCSprite::create(m_strFace.c_str());
    m_pFace->setScale(0.68f);
    m_pFace->setPosition(CCPoint(37, 50));
    m_pBackground->addChild(m_pFace);
    const uint32_t kind = user->dwClientKind;
    const char* device = kind == CLIENT_KIND_APPLE     ? "iphone"
                         : kind == CLIENT_KIND_ANDROID ? "android"
                         : kind == CLIENT_KIND_PC      ? "pc"
                                                       : nullptr;
    if (device != nullptr)
    {
        m_pDeviceIcon = CCSprite::createWithSpriteFrameName(device);
        m_pDeviceIcon->setPosition(CCPoint(65, 25));
        m_pBackground->addChild(m_pDeviceIcon);
    }
    m_pNameLabel = Label(NickOf(user, 11), 11);
    m_pNameLabel->setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_pNameLabel->setHorizontalAlignment(kCCTextAlignmentCenter);
    m_pNameLabel->setPosition(CCPoint(38, 92));
    m_pBackground->addChild(m_pNameLabel);
    m_pScoreLabel = Label(score, 11);
    m_pScoreLabel->setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_pScoreLabel->setHorizontalAlignment(kCCTextAlignmentCenter);
    // Its foot clear of the panel's bottom border, which the cards of a
    // seat below the panel make stand out.
    m_pScoreLabel->setPosition(CCPoint(41, 9));
    m_pBackground->addChild(m_pScoreLabel);
    // Within the panel's picture, whatever name a later update brings.
    m_fNameWidth = kOtherNameWidth;
    m_fScoreWidth = kOtherScoreWidth;
    FitTexts();
}

void CBoardDrawUserData::Update(const tagUserData* user)
{
    if (user == nullptr)
        return;
    if (m_pScoreLabel != nullptr)
        m_pScoreLabel->setString(CClientGlobal::GBKToUTF8(CClientGlobal::FormatScore(user->lScore)).c_str());
    SetFace(user);
    // The panel keeps the game ID it was built for, so a panel taken over by
    // another user sets the name on every update.
    if (user->dwGameID != m_dwGameID && m_pNameLabel != nullptr)
        m_pNameLabel->setString(CClientGlobal::GBKToUTF8(NickOf(user, 18)).c_str());
    FitTexts();
}

void CBoardDrawUserData::ShowReadySign(const CCPoint& point, uint16_t view, uint8_t status)
{
    if (!IsSeatedGame())
        return;
    const int tag = kReadySignTagBase + view;
    // One sign at a time: a second would stay when the status changes.
    if (getChildByTag(tag) != nullptr)
        removeChildByTag(tag, true);
    if (status != US_READY)
        return;
    CCSprite* sign = CCSprite::createWithSpriteFrameName("Ready1");
    sign->setPosition(point);
    sign->runAction(RunFramesForever("Ready%d", 1, 4, 0.25f));
    addChild(sign, 0, tag);
}

void LayoutCardTableMyInfo(CBoardDrawUserData* panel)
{
    if (panel != nullptr)
        panel->SetTextLayout(CCPoint(-9, 32), CCPoint(-12, 74), 13, CCPoint(-10, -10), 14, "", kCardTableTextWidth,
                             kCardTableTextWidth);
}

void LayoutBullTableMyInfo(CBoardDrawUserData* panel)
{
    if (panel != nullptr)
        panel->SetTextLayout(CCPoint(-9, 32), CCPoint(90, 42), 18, CCPoint(120, 11), 14, "", kBullTableNameWidth,
                             kBullTableScoreWidth);
}

}  // namespace Sexy
