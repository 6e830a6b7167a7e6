// A table rebuilt from the scene the server sends when I enter a game that
// runs: the calling table and the playing table.
#include "games/Land/LandBoard.h"

#include "games/Land/LandHandler.h"

#include <algorithm>
#include <cstring>

using namespace cocos2d;
using Sexy::CardSprite;

namespace Land {

void LandBoard::BeginScene()
{
    ClearTable();
    m_nGameState = kStateNone;
}

void LandBoard::OnSceneFree()
{
    ResetGameView();
    m_nGameState = kStateNone;
}

void LandBoard::OnSceneCalling(const CMD_S_StatusScore& scene)
{
    BeginScene();
    LandHandler* handler = Handler();
    if (handler != nullptr)
    {
        handler->m_dwOutCardSeconds = scene.cbOutCardTime;
        handler->m_dwCallSeconds = scene.cbCallScoreTime;
        handler->m_dwFirstSeconds = scene.cbFirstOutTime;
        handler->SetGameClock(scene.wCurrentUser, handler->m_dwCallSeconds,
                              static_cast<int32_t>(handler->m_dwCallSeconds));
        // No card lies on the table yet: the landlord's first play leads.
        handler->ReleaseTableRecord();
        handler->m_cbFreeLead = 1;
    }
    m_nMyCardCount = HAND_COUNT;
    m_nViewCardCount[1] = m_nViewCardCount[2] = HAND_COUNT;
    std::memcpy(m_cbMyCards, scene.cbCardData, HAND_COUNT);
    const uint16_t me = MyChair();
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        const CardList& hand = m_HandCards[chair];
        const uint16_t view = ViewOf(chair, GAME_PLAYER);
        for (size_t place = 0; place < hand.size() && place < HAND_COUNT; ++place)
        {
            CardSprite* card = hand[place];
            card->stopAllActions();
            card->setTag(static_cast<int>((chair + 1) * (place + 1)));
            card->setVisible(true);
            card->setScale(1.0f);
            card->SetCardData(CardSprite::kCardBack);
            if (chair == me)
            {
                card->SetCardListener(this);
                continue;
            }
            card->setRotation(view == 1 ? -150.0f : 150.0f);
            card->setScale(0.3f);
            card->setPosition(m_ptPlace[view][place]);
            if (card->getParent() != nullptr)
                card->getParent()->reorderChild(card, 540 - static_cast<int>(place));
        }
    }
    // My cards face up at places 1 to 17 of my row, sorted as my hand is.
    LayoutHandCards(false);
    PlaceBottomCards(kBottomBacks);
    if (scene.wCurrentUser == me)
    {
        CreateCallButtons();
        ShowCallButtons(scene.cbCurrentScore);
    }
}

void LandBoard::OnScenePlaying(const CMD_S_StatusPlay& scene)
{
    BeginScene();
    LandHandler* handler = Handler();
    const uint16_t me = MyChair();
    if (handler != nullptr)
    {
        handler->m_dwOutCardSeconds = scene.cbOutCardTime;
        handler->m_dwCallSeconds = scene.cbCallScoreTime;
        handler->m_dwFirstSeconds = scene.cbFirstOutTime;
    }
    const uint16_t landlordView = ViewOf(scene.wBankerUser, GAME_PLAYER);
    m_cbBankerView = static_cast<uint8_t>(landlordView);
    for (uint16_t view = 0; view < GAME_PLAYER; ++view)
    {
        CCSprite* image = m_pIdentity[view];
        SetPicture(image, view == landlordView ? "Land/dizhu" : "Land/mongm");
        image->stopAllActions();
        image->setScale(1.0f);
        image->setPosition(m_ptLayout[kPtIdentity0 + view]);
        image->setVisible(true);
    }
    m_pPreviousButton->setEnabled(true);
    m_pTrusteeButton->setEnabled(true);
    m_pSortButton->setEnabled(true);
    // The landlord's three more cards.
    CardList& landlordHand = m_HandCards[scene.wBankerUser % GAME_PLAYER];
    for (int i = 0; i < BACK_COUNT; ++i)
        landlordHand.push_back(MakeCard(CardSprite::kCardBack, false));

    // I lead when the turn is mine and the cards on the table are mine or none.
    const bool myLead = scene.wCurrentUser == me && (scene.wTurnWinner == me || scene.cbTurnCardCount == 0);
    if (handler != nullptr)
    {
        handler->SetGameClock(scene.wCurrentUser, handler->m_dwOutCardSeconds,
                              static_cast<int32_t>(handler->m_dwOutCardSeconds));
        handler->m_cbRestoredTurnCount = scene.cbTurnCardCount;
        std::memcpy(handler->m_cbRestoredTurnCards, scene.cbTurnCardData, sizeof(scene.cbTurnCardData));
        handler->m_cbRestoredFreeLead = scene.wCurrentUser == me && scene.wTurnWinner == me ? 1 : 0;
        // What the table holds once the restore ends: the record of a play
        // made before the scene is no table of this trick, and the next
        // out-card message finds the free-lead flag as the scene left it.
        handler->ReleaseTableRecord();
        handler->m_cbFreeLead = myLead ? 1 : 0;
    }
    if (scene.wCurrentUser == me)
    {
        ShowPlayButtons();
        // A lead cannot be passed.
        if (myLead)
            m_pPassButton->setEnabled(false);
    }

    if (scene.cbTurnCardCount != 0 && IsChair(scene.wTurnWinner))
    {
        for (uint16_t i = 0; i < GAME_PLAYER; ++i)
        {
            const uint16_t chair = static_cast<uint16_t>((scene.wTurnWinner + 1 + i) % GAME_PLAYER);
            if (chair == scene.wCurrentUser)
                break;
            m_pPassSigns[ViewOf(chair, GAME_PLAYER)]->setVisible(true);
        }
    }
    if (scene.wTurnWinner != me && IsChair(scene.wTurnWinner))
    {
        const uint16_t view = ViewOf(scene.wTurnWinner, GAME_PLAYER);
        for (uint8_t i = 0; i < scene.cbTurnCardCount && i < MAX_COUNT; ++i)
        {
            CardSprite* card = MakeCard(scene.cbTurnCardData[i], true);
            if (card == nullptr)
                break;
            m_OutCards[view].push_back(card);
            card->setPosition(OutCardPoint(view, i));
            card->setScale(0.7f);
        }
    }

    // No more of my cards than my sprites can show.
    m_nMyCardCount =
        std::min<int>(scene.cbCardCount[me % GAME_PLAYER], static_cast<int>(m_HandCards[me % GAME_PLAYER].size()));
    m_nViewCardCount[1] = scene.cbCardCount[(me + 1) % GAME_PLAYER];
    m_nViewCardCount[2] = scene.cbCardCount[(me + 2) % GAME_PLAYER];
    std::memcpy(m_cbMyCards, scene.cbCardData, sizeof(m_cbMyCards));
    std::memcpy(m_cbBackCards, scene.cbBackCard, BACK_COUNT);
    PlaceBottomCards(scene.cbBackCard);
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        const CardList& hand = m_HandCards[chair];
        const uint16_t view = ViewOf(chair, GAME_PLAYER);
        const size_t count = std::min<size_t>(scene.cbCardCount[chair], hand.size());
        for (size_t place = 0; place < hand.size(); ++place)
        {
            CardSprite* card = hand[place];
            card->stopAllActions();
            // Sprites past the count stay off the table.
            card->setVisible(place < count);
            if (place >= count)
                continue;
            card->setTag(static_cast<int>((chair + 1) * (place + 1)));
            card->setScale(1.0f);
            if (chair == me)
            {
                card->SetCardListener(this);
                continue;
            }
            card->SetCardData(CardSprite::kCardBack);
            card->setRotation(view == 1 ? -130.0f : 130.0f);
            card->setScale(0.3f);
            card->setPosition(m_ptPlace[view][place % kPlaces]);
            if (card->getParent() != nullptr)
                card->getParent()->reorderChild(card, 540 - static_cast<int>(place));
        }
    }
    ShowCardCounts();
    LayoutHandCards(false);
}

}  // namespace Land
