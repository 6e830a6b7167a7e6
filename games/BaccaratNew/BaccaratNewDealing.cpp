// The result side of the board: the phase clock, the deal card by card with
// its points and tips, the result panel, the close of a round, the record
// store with its strip, bead grid and totals, and the chart window.
#include "games/BaccaratNew/BaccaratNewBoard.h"

#include "games/BaccaratNew/BaccaratNewHandler.h"
#include "games/common/BoardWidgets.h"
#include "games/common/RecordStrip.h"
#include "games/framework/BoardArt.h"
#include "games/framework/CardSprite.h"
#include "ui/VisibleRect.h"

#include <cstdio>
#include <cstring>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace cocos2d::extension;
using Sexy::CardSprite;

namespace BaccaratNew {

namespace {

const char* const kArmatureFile = "BaccaratNew/UI/GameEndAnimation/GameEndAnimation.ExportJson";
const CCPoint kShoe(930, 310);
const CCPoint kPlayerTarget(410, 310);
const CCPoint kBankerTarget(620, 310);
const CCPoint kCardHome(930, 570);
const CCPoint kArmaturePlaces[SIDE_COUNT] = {{410, 425}, {620, 425}};
const char* const kMovements[SIDE_COUNT] = {"Animation1", "Animation2"};
// My result on areas 0..7 goes into these labels.
const char* const kResultLabels[AREA_COUNT] = {"Label_result_4", "Label_result_5", "Label_result_6",
                                               "Label_result_7", "Label_result_9", "Label_result_8",
                                               "Label_result_2", "Label_result_3"};

std::string Format(const char* format, long long value)
{
    char text[32];
    std::snprintf(text, sizeof(text), format, value);
    return text;
}

std::string Percent(double value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f%%", value);
    return text;
}

// Winners of a record: player, tie or banker by the two points.
uint8_t WinnerOf(const tagGameRecord& record)
{
    if (record.cbPlayerPoint > record.cbBankerPoint)
        return WINNER_XIAN;
    if (record.cbPlayerPoint < record.cbBankerPoint)
        return WINNER_ZHUANG;
    return WINNER_PING;
}

ImageView* MakeItem(const char* picture)
{
    ImageView* item = ImageView::create();
    item->loadTexture(picture);
    return item;
}

// A hidden cell of a chart item, anchored at its bottom middle.
ImageView* AddCell(Widget* item, const CCPoint& at, int tag)
{
    ImageView* cell = ImageView::create();
    cell->setAnchorPoint(CCPoint(0.5f, 0));
    cell->setPosition(at);
    cell->setVisible(false);
    cell->setTag(tag);
    item->addChild(cell);
    return cell;
}

Label* AddText(Widget* item, const CCPoint& at, int tag, int fontSize, const char* text)
{
    Label* label = Label::create();
    label->setFontSize(fontSize);
    label->setText(text);
    label->setPosition(at);
    label->setTag(tag);
    item->addChild(label);
    return label;
}

}  // namespace

// --- building ----------------------------------------------------------------------------------

void BaccaratNewBoard::InitGameEndAnimation()
{
    m_pFlyingCard = CardSprite::create();
    m_pFlyingCard->SetCardData(CardSprite::kCardBack);
    m_pFlyingCard->SetCardListener(this);
    m_pFlyingCard->setPosition(kCardHome);
    m_pFlyingCard->setVisible(false);
    m_pOverlay->addChild(m_pFlyingCard, kCardZ);
    for (int i = 0; i < 6; ++i)
    {
        CardSprite* card = CardSprite::create();
        card->SetCardData(CardSprite::kCardBack);
        card->setPosition(kCardHome);
        card->setVisible(false);
        card->SetDisabled(1);
        m_pOverlay->addChild(card, kCardZ);
        m_pTableCards[i] = card;
    }

    CCArmatureDataManager::sharedArmatureDataManager()->addArmatureFileInfo(kArmatureFile);
    for (uint8_t side = 0; side < SIDE_COUNT; ++side)
    {
        CCArmature* armature = CCArmature::create("GameEndAnimation");
        armature->setPosition(kArmaturePlaces[side]);
        armature->getAnimation()->play(kMovements[side]);
        armature->getAnimation()->stop();
        armature->setVisible(false);
        m_pOverlay->addChild(armature);
        m_pArmatures[side] = armature;
    }
    for (const char* name : {"WIN_TYPE_01", "GAME_POINT_XIAN", "GAME_POINT_ZHUANG", "GAME_END_TIPS"})
        if (Widget* widget = GetWidget(name))
            widget->setVisible(false);
}

Widget* BaccaratNewBoard::ListItem(const char* listName, int item) const
{
    auto* list = dynamic_cast<ListView*>(GetWidget(listName));
    return list != nullptr && item >= 0 ? list->getItem(static_cast<unsigned>(item)) : nullptr;
}

Widget* BaccaratNewBoard::ItemChild(Widget* item, int tag) const
{
    return item != nullptr ? dynamic_cast<Widget*>(item->getChildByTag(tag)) : nullptr;
}

void BaccaratNewBoard::InitRecordLists()
{
    if (auto* strip = dynamic_cast<ListView*>(GetWidget("ListView_ZHUANG-XIAN")))
    {
        for (int i = 0; i < kListItems; ++i)
        {
            ImageView* item = MakeItem("BaccaratNew/list_ZX_cellImage");
            const float half = item->getSize().height / 2;
            AddText(item, CCPoint(0, 33 - half), kStripLabelTag + 10 * i, 16, " ")->setAnchorPoint(CCPoint(0.5f, 0));
            AddText(item, CCPoint(0, 8 - half), kStripLabelTag + 10 * i + 1, 16, " ")
                ->setAnchorPoint(CCPoint(0.5f, 0));
            strip->pushBackCustomItem(item);
        }
    }
    if (auto* beads = dynamic_cast<ListView*>(GetWidget("ListView_bottom_record")))
    {
        for (int i = 0; i < kListItems; ++i)
        {
            ImageView* item = MakeItem("BaccaratNew/chart_cellImage2");
            const float half = item->getSize().height / 2;
            for (int r = 0; r < kBeadRows; ++r)
                AddCell(item, CCPoint(0, 105 - 20 * r - half), kBeadCellTag + r);
            beads->pushBackCustomItem(item);
        }
    }
    if (auto* queue = dynamic_cast<ListView*>(GetWidget("ListView_Wait")))
    {
        for (int k = 0; k < kQueueRows; ++k)
        {
            ImageView* item = MakeItem("BaccaratNew/list_WAIT_cellImage");
            const float half = item->getSize().width / 2;
            AddText(item, CCPoint(40 - half, -10), kQueueLabelTag + 10 * k, 12, "  ");
            AddText(item, CCPoint(140 - half, -10), kQueueLabelTag + 10 * k + 1, 12, "      ");
            queue->pushBackCustomItem(item);
        }
    }
}

void BaccaratNewBoard::BuildChartLists()
{
    if (m_bChartsBuilt)
        return;
    m_bChartsBuilt = true;
    for (int chart = 1; chart <= 5; ++chart)
    {
        char name[32];
        std::snprintf(name, sizeof(name), "ListView_Chart%d", chart);
        auto* list = dynamic_cast<ListView*>(GetWidget(name));
        if (list == nullptr)
            continue;
        if (chart >= 3)
            list->setTouchEnabled(false);
        for (int i = 0; i < kListItems; ++i)
        {
            ImageView* item = nullptr;
            if (chart == 1)
            {
                item = MakeItem("BaccaratNew/chart_cellImage1");
                const float half = item->getSize().height / 2;
                for (int r = 0; r < 6; ++r)
                    AddCell(item, CCPoint(0, 160 - 31 * r - half), kChart1CellTag + r);
            }
            else if (chart == 2)
            {
                item = MakeItem("BaccaratNew/chart_cellImage2");
                const float half = item->getSize().height / 2;
                for (int r = 0; r < kBeadRows; ++r)
                    AddCell(item, CCPoint(0, 105 - 20 * r - half), kChart2CellTag + r);
            }
            else
            {
                item = MakeItem("BaccaratNew/chart_cellImage3");
                const float half = item->getSize().height / 2;
                const float top = chart == 4 ? 54 : 52;
                for (int k = 0; k < 12; ++k)
                    AddCell(item, CCPoint(k < 6 ? -5 : 5, top - 10 * (k % 6) - half), kRoadCellTag[chart - 3] + k);
            }
            list->pushBackCustomItem(item);
        }
    }
}

// --- the deal ----------------------------------------------------------------------------------

void BaccaratNewBoard::SetCards(const uint8_t* counts, const uint8_t (*cards)[MAX_HAND_COUNT])
{
    std::memset(m_cbCardCount, 0, sizeof(m_cbCardCount));
    std::memset(m_cbCards, 0, sizeof(m_cbCards));
    if (counts == nullptr || cards == nullptr)
        return;
    for (uint8_t side = 0; side < SIDE_COUNT; ++side)
    {
        // The handler let only 0, 2 or 3 through; three places a side whatever.
        m_cbCardCount[side] = counts[side] <= MAX_HAND_COUNT ? counts[side] : 0;
        for (uint8_t i = 0; i < m_cbCardCount[side]; ++i)
        {
            m_cbCards[side][i] = cards[side][i];
            if (CardSprite* card = m_pTableCards[side * MAX_HAND_COUNT + i])
                card->SetCardData(cards[side][i]);
        }
    }
}

bool BaccaratNewBoard::IsDealComplete() const
{
    return m_Dealt[SIDE_XIAN].size() >= m_cbCardCount[SIDE_XIAN] &&
           m_Dealt[SIDE_ZHUANG].size() >= m_cbCardCount[SIDE_ZHUANG];
}

CCPoint BaccaratNewBoard::PlayerCardPlace(size_t shown, size_t index)
{
    if (shown >= 3)
        return CCPoint(390 + 20.0f * index, 310);
    return CCPoint(395 + 30.0f * index, 310);
}

CCPoint BaccaratNewBoard::BankerCardPlace(size_t shown, size_t index)
{
    if (shown >= 3)
        return CCPoint(600 + 20.0f * index, 310);
    return CCPoint(605 + 30.0f * index, 310);
}

void BaccaratNewBoard::DealCard(int step, const CCPoint& target)
{
    m_nDealStep = step;
    const size_t shown = m_Dealt[SIDE_XIAN].size() + m_Dealt[SIDE_ZHUANG].size();
    // The banker's turn waits for the tip to be read.
    const float delay = shown == 4 ? 3.0f : (step == 0 ? 0.5f : 0.1f);
    m_pFlyingCard->stopAllActions();
    m_pFlyingCard->setOpacity(0);
    m_pFlyingCard->setScale(1.0f);
    m_pFlyingCard->setVisible(true);
    m_pFlyingCard->runAction(CCSequence::create(
        CCDelayTime::create(delay), CCFadeTo::create(0, 255), CCMoveTo::create(0.2f, kShoe),
        CCMoveTo::create(0.3f, target), CCScaleTo::create(0.1f, 0, 1), CCScaleTo::create(0.1f, 1, 1),
        CCCallFuncN::create(this, callfuncN_selector(BaccaratNewBoard::DealNextCard)), nullptr));
}

void BaccaratNewBoard::DealNextCard(CCNode*)
{
    if (IsDealComplete())
    {
        ShowDealtCard(m_nDealStep);
        ShowResultPanel();
        return;
    }
    auto take = [this](uint8_t side) {
        const size_t next = m_Dealt[side].size();
        if (next < m_cbCardCount[side])
            m_Dealt[side].push_back(m_cbCards[side][next]);
    };
    switch (m_nDealStep)
    {
        case 0:
            for (CCArmature* armature : m_pArmatures)
                armature->setVisible(true);
            take(SIDE_XIAN);
            ShowDealtCard(0);
            DealCard(3, kBankerTarget);
            break;
        case 3:
            take(SIDE_ZHUANG);
            ShowDealtCard(3);
            DealCard(1, kPlayerTarget);
            break;
        case 1:
            take(SIDE_XIAN);
            ShowDealtCard(1);
            DealCard(4, kBankerTarget);
            break;
        case 4:
            take(SIDE_ZHUANG);
            ShowDealtCard(4);
            if (IsDealComplete())
                ShowResultPanel();
            else if (m_Dealt[SIDE_XIAN].size() >= m_cbCardCount[SIDE_XIAN])
                DealCard(5, kBankerTarget);
            else
                DealCard(2, kPlayerTarget);
            break;
        case 2:
            take(SIDE_XIAN);
            ShowDealtCard(2);
            if (m_Dealt[SIDE_ZHUANG].size() < m_cbCardCount[SIDE_ZHUANG])
                DealCard(5, kBankerTarget);
            else
                ShowResultPanel();
            break;
        case 5:
            take(SIDE_ZHUANG);
            ShowDealtCard(5);
            ShowResultPanel();
            break;
        default: break;
    }
}

void BaccaratNewBoard::ShowPointImage(uint8_t side)
{
    auto* image = dynamic_cast<ImageView*>(GetWidget(side == SIDE_ZHUANG ? "GAME_POINT_ZHUANG" : "GAME_POINT_XIAN"));
    if (image == nullptr)
        return;
    const std::vector<uint8_t>& dealt = m_Dealt[side];
    char picture[40];
    std::snprintf(picture, sizeof(picture), "BaccaratNew/GAME_POINT_%02d",
                  CGameLogic::GetHandPoint(dealt.data(), dealt.size()) + 1);
    image->loadTexture(picture);
    image->setVisible(true);
}

void BaccaratNewBoard::ShowDealtCard(int step)
{
    if (step < 0 || step > 5)
        return;
    m_pFlyingCard->setVisible(false);
    CardSprite* card = m_pTableCards[step];
    card->setPosition(m_pFlyingCard->getPosition());
    card->setVisible(true);
    m_pFlyingCard->stopAllActions();
    m_pFlyingCard->setPosition(kCardHome);
    const uint8_t side = step >= 3 ? SIDE_ZHUANG : SIDE_XIAN;
    const size_t shown = m_Dealt[side].size();
    if (shown >= 2)
    {
        for (size_t i = 0; i < shown && i < MAX_HAND_COUNT; ++i)
        {
            CardSprite* laid = m_pTableCards[side * MAX_HAND_COUNT + i];
            const CCPoint place = side == SIDE_ZHUANG ? BankerCardPlace(shown, i) : PlayerCardPlace(shown, i);
            laid->runAction(CCMoveTo::create(0.1f, place));
        }
    }
    ShowPointImage(side);
    ShowPointTips();
}

void BaccaratNewBoard::ShowCardsAsTheyStand()
{
    if (m_cbCardCount[SIDE_XIAN] == 0 || m_cbCardCount[SIDE_ZHUANG] == 0)
        return;
    if (Widget* frame = GetWidget("GAME_END_FRAME"))
    {
        frame->stopAllActions();
        frame->setPosition(CCPoint(513, 346));
        frame->setVisible(true);
    }
    for (uint8_t side = 0; side < SIDE_COUNT; ++side)
    {
        const uint8_t count = m_cbCardCount[side];
        m_Dealt[side].assign(m_cbCards[side], m_cbCards[side] + count);
        for (uint8_t i = 0; i < count; ++i)
        {
            CardSprite* card = m_pTableCards[side * MAX_HAND_COUNT + i];
            card->stopAllActions();
            card->setPosition(side == SIDE_ZHUANG ? BankerCardPlace(count, i) : PlayerCardPlace(count, i));
            card->setVisible(true);
        }
        ShowPointImage(side);
    }
    ShowResultPanel();
}

void BaccaratNewBoard::ShowPointTips()
{
    const std::vector<uint8_t>& player = m_Dealt[SIDE_XIAN];
    const std::vector<uint8_t>& banker = m_Dealt[SIDE_ZHUANG];
    if (player.size() + banker.size() < 4)
        return;
    SetLabelText("GAME_END_TIPS", CGameLogic::GetDrawTip(player.data(), player.size(), banker.data(), banker.size()));
}

tagRoundResult BaccaratNewBoard::GetResultFlags() const
{
    return CGameLogic::ClassifyRound(m_cbCards[SIDE_XIAN], m_cbCardCount[SIDE_XIAN], m_cbCards[SIDE_ZHUANG],
                                     m_cbCardCount[SIDE_ZHUANG]);
}

void BaccaratNewBoard::ShowResultPanel()
{
    const uint8_t p = CGameLogic::GetHandPoint(m_cbCards[SIDE_XIAN], m_cbCardCount[SIDE_XIAN]);
    const uint8_t b = CGameLogic::GetHandPoint(m_cbCards[SIDE_ZHUANG], m_cbCardCount[SIDE_ZHUANG]);
    if (p == b)
    {
        if (Widget* tie = GetWidget("WIN_TYPE_01"))
            tie->setVisible(true);
        for (CCArmature* armature : m_pArmatures)
            armature->setVisible(false);
    }
    else
    {
        const uint8_t side = p > b ? SIDE_XIAN : SIDE_ZHUANG;
        m_pArmatures[side]->setVisible(true);
        m_pArmatures[side]->getAnimation()->play(kMovements[side], -1, -1, -1, 10000);
    }
    m_pFlyingCard->setVisible(false);
    // A long result is drawn smaller rather than over its caption.
    for (size_t area = 0; area < AREA_COUNT; ++area)
    {
        SetLabelText(kResultLabels[area], Format("%lld", m_lMyAreaResults[area]));
        Sexy::FitToWidth(GetWidget(kResultLabels[area]), kResultFigureWidth);
        if (m_lMyAreaResults[area] != 0)
            m_bTookPart = true;
    }
    SetLabelText("Label_result_0", Format("%lld", p));
    SetLabelText("Label_result_1", Format("%lld", b));
    SetLabelText("Label_result_10", Format("%lld", m_lMyRoundTotal));
    Sexy::FitToWidth(GetWidget("Label_result_10"), kRoundTotalWidth);
    SetLabelText("GAME_END_TIPS", "");
}

void BaccaratNewBoard::CheckResultPanel(float)
{
    if ((m_bTookPart || IsMeBanker()) && m_cbStatus == GS_GAME_END && m_nClockSeconds < 12)
    {
        m_bTookPart = false;
        for (CCArmature* armature : m_pArmatures)
            armature->setVisible(false);
        if (Widget* tie = GetWidget("WIN_TYPE_01"))
            tie->setVisible(false);
        for (CardSprite* card : m_pTableCards)
            card->setVisible(false);
        MoveAway("GAME_END_FRAME", 513, 1300);
        ShowWidget("GAME_END", CCPoint(511, 356));
    }
    UpdateClockDisplay();
}

void BaccaratNewBoard::UpdateClockDisplay()
{
    const bool shown = m_nClockSeconds >= 0;
    for (const char* name : {"TIME_BACK", "TIME_TYPE_01", "TIME_PALY_01"})
        if (Widget* widget = GetWidget(name))
            widget->setVisible(shown);
    if (!shown)
        return;
    const int phase = m_cbStatus == GS_PLACE_BET ? 1 : m_cbStatus == GS_GAME_END ? 2 : 0;
    auto show = [this](const char* name, const char* format, int number) {
        auto* image = dynamic_cast<ImageView*>(GetWidget(name));
        char picture[40];
        std::snprintf(picture, sizeof(picture), format, number);
        // The clock ticks each second: a picture that stays is not loaded again.
        if (image != nullptr && image->getFileName() != picture)
            image->loadTexture(picture);
    };
    show("TIME_1", "BaccaratNew/TIME_NUMBER_%02d", (m_nClockSeconds / 10) % 10 + 1);
    show("TIME_0", "BaccaratNew/TIME_NUMBER_%02d", m_nClockSeconds % 10 + 1);
    show("TIME_TYPE_01", "BaccaratNew/TIME_TYPE_%02d", phase + 1);
    show("TIME_PALY_01", "BaccaratNew/TIME_FLAG_%02d", phase + 1);
    if (phase == 1 && m_nClockSeconds < 5)
        PlaySound("BaccaratNew/music/TIME_WARING");
}

// --- the close of a round ------------------------------------------------------------------------

void BaccaratNewBoard::FinishRound()
{
    if (!m_bRoundDealt)
        return;
    m_bRoundDealt = false;
    const tagRoundResult result = GetResultFlags();
    AddGameRecord(tagGameRecord{result.cbPlayerPoint, result.cbBankerPoint, result.cbSpecial, result.cbPlayerPair,
                                result.cbBankerPair});
    m_lRunningTotal = games::SaturatingAdd(m_lRunningTotal, m_lMyRoundTotal);
    m_lBankerWin = m_lBankerWinKept;
    if (m_lMyRoundTotal > 0)
        PlaySound("BaccaratNew/music/END_WIN");
    else if (m_lMyRoundTotal == 0)
        PlaySound("BaccaratNew/music/END_DRAW");
    else
        PlaySound("BaccaratNew/music/END_LOST");
}

void BaccaratNewBoard::AddGameRecord(const tagServerGameRecord& record)
{
    AddGameRecord(tagGameRecord{record.cbPlayerCount, record.cbBankerCount, record.cbKingWinner, record.bPlayerTwoPair,
                                record.bBankerTwoPair});
}

void BaccaratNewBoard::AddGameRecord(const tagGameRecord& record)
{
    // A cycle holds 68 rounds; the next starts a new one.
    if (m_Records.size() >= kRecordCycle)
        m_Records.clear();
    m_Records.push_back(record);
    const uint8_t winner = WinnerOf(record);
    m_pRoads->AddResult(winner == WINNER_ZHUANG ? CRecord::RESULT_ZHUANG
                                                : winner == WINNER_PING ? CRecord::RESULT_PING : CRecord::RESULT_XIAN);
}

void BaccaratNewBoard::ClearTable()
{
    m_ChipPile.Clear();
    for (std::vector<int>& pending : m_PendingChips)
        pending.clear();
    for (int area = 0; area < static_cast<int>(AREA_COUNT); ++area)
    {
        char name[24];
        for (const char* format : {"Image_%02d", "Label_%03d", "Label_%04d"})
        {
            std::snprintf(name, sizeof(name), format, area);
            if (Widget* widget = GetWidget(name))
                widget->setVisible(false);
        }
    }
    m_Bets.Clear();
    std::memset(m_lMyAreaResults, 0, sizeof(m_lMyAreaResults));
    m_lMyRoundTotal = 0;
    if (BaccaratNewHandler* handler = Handler())
        for (uint32_t clock : {100u, 103u, 104u, 106u, 107u, 108u})
            handler->KillGameClock(clock);
    SetCards(nullptr, nullptr);
    if (m_pFlyingCard != nullptr)
    {
        m_pFlyingCard->stopAllActions();
        m_pFlyingCard->SetCardData(CardSprite::kCardBack);
        m_pFlyingCard->setPosition(kCardHome);
        m_pFlyingCard->setScale(1.0f);
        m_pFlyingCard->setVisible(false);
    }
    for (CardSprite* card : m_pTableCards)
    {
        if (card == nullptr)
            continue;
        card->stopAllActions();
        card->SetCardData(CardSprite::kCardBack);
        card->setVisible(false);
    }
    for (std::vector<uint8_t>& dealt : m_Dealt)
        dealt.clear();
    for (CCArmature* armature : m_pArmatures)
    {
        if (armature == nullptr)
            continue;
        armature->getAnimation()->stop();
        armature->setVisible(false);
    }
    for (const char* name : {"GAME_POINT_XIAN", "GAME_POINT_ZHUANG", "WIN_TYPE_01"})
        if (Widget* widget = GetWidget(name))
            widget->setVisible(false);
    m_nDealStep = 0;
    m_bTookPart = false;
}

// --- the record views --------------------------------------------------------------------------

void BaccaratNewBoard::ShowRecordStrip()
{
    for (int j = 0; j < kListItems; ++j)
    {
        Widget* item = ListItem("ListView_ZHUANG-XIAN", j);
        if (item == nullptr)
            continue;
        if (static_cast<size_t>(j) >= m_Records.size())
        {
            item->setVisible(false);
            continue;
        }
        item->setVisible(true);
        const tagGameRecord& record = m_Records[static_cast<size_t>(j)];
        if (auto* banker = dynamic_cast<Label*>(ItemChild(item, kStripLabelTag + 10 * j)))
            banker->setText(Format("%lld", record.cbBankerPoint));
        if (auto* player = dynamic_cast<Label*>(ItemChild(item, kStripLabelTag + 10 * j + 1)))
            player->setText(Format("%lld", record.cbPlayerPoint));
    }
    // The newest round in view.
    if (!m_Records.empty())
        games::ShowListItemAtEnd(dynamic_cast<ListView*>(GetWidget("ListView_ZHUANG-XIAN")),
                                 static_cast<int>(m_Records.size()) - 1);
}

void BaccaratNewBoard::DrawBeadGrid(const char* listName, int cellTag)
{
    // Every draw starts from an empty grid: a new cycle shows only its own.
    for (int item = 0; item < kListItems; ++item)
        for (int r = 0; r < kBeadRows; ++r)
            if (Widget* cell = ItemChild(ListItem(listName, item), cellTag + r))
                cell->setVisible(false);
    std::memset(m_bBeadGrid, 0, sizeof(m_bBeadGrid));
    int column = 0;
    int row = 0;
    uint8_t current = WINNER_PING;
    for (size_t j = 0; j < m_Records.size(); ++j)
    {
        const uint8_t winner = WinnerOf(m_Records[j]);
        int c = column;
        int r = row;
        if (j == 0 || (winner != WINNER_PING && winner != current))
        {
            // A new column: the first whose top is free, else this one.
            c = column;
            for (int free = 0; free < kBeadColumns; ++free)
                if (!m_bBeadGrid[free][0])
                {
                    c = free;
                    break;
                }
            r = 0;
            current = winner;
        }
        else if (row < kBeadRows - 1 && !m_bBeadGrid[column][row + 1])
        {
            r = row + 1;
        }
        else
        {
            c = column + 1;
        }
        if (c >= kBeadColumns)
        {
            std::memset(m_bBeadGrid, 0, sizeof(m_bBeadGrid));
            return;
        }
        m_bBeadGrid[c][r] = true;
        column = c;
        row = r;
        if (auto* cell = dynamic_cast<ImageView*>(ItemChild(ListItem(listName, c), cellTag + r)))
        {
            cell->loadTexture(winner == WINNER_ZHUANG ? "BaccaratNew/chart_list2_ZHUANG_EX"
                              : winner == WINNER_XIAN ? "BaccaratNew/chart_list2_XIAN_EX"
                                                      : "BaccaratNew/chart_list2_PING_EX");
            cell->setVisible(true);
        }
    }
}

void BaccaratNewBoard::ShowBigRoad() { DrawBeadGrid("ListView_bottom_record", kBeadCellTag); }

bool BaccaratNewBoard::BeadCellTaken(int column, int row) const
{
    Widget* cell = ItemChild(ListItem("ListView_bottom_record", column), kBeadCellTag + row);
    return cell != nullptr && cell->isVisible();
}

void BaccaratNewBoard::ShowRecordTotals()
{
    int banker = 0, player = 0, ties = 0;
    for (const tagGameRecord& record : m_Records)
    {
        const uint8_t winner = WinnerOf(record);
        banker += winner == WINNER_ZHUANG;
        player += winner == WINNER_XIAN;
        ties += winner == WINNER_PING;
    }
    SetLabelText("bottom_zhuang_num", std::to_string(banker));
    SetLabelText("bottom_xian_num", std::to_string(player));
    SetLabelText("bottom_ping_num", std::to_string(ties));
}

void BaccaratNewBoard::DrawRoadChart(const char* listName, int road, int cellTag, const char* markPicture1,
                                     const char* markPicture2)
{
    for (int i = 0; i < kListItems; ++i)
    {
        Widget* item = ListItem(listName, i);
        for (int k = 0; k < 12; ++k)
        {
            auto* cell = dynamic_cast<ImageView*>(ItemChild(item, cellTag + k));
            if (cell == nullptr)
                continue;
            // Items past the grid's hundred columns read as empty.
            const uint32_t mark = m_pRoads->GetRoadCell(static_cast<size_t>(road), static_cast<size_t>(2 * i + k / 6),
                                                        static_cast<size_t>(k % 6));
            if (mark == 0)
            {
                cell->setVisible(false);
                continue;
            }
            cell->loadTexture(mark == 1 ? markPicture1 : markPicture2);
            cell->setVisible(true);
        }
    }
}

void BaccaratNewBoard::RefreshCharts()
{
    for (int item = 0; item < kListItems; ++item)
        for (int r = 0; r < 6; ++r)
            if (Widget* cell = ItemChild(ListItem("ListView_Chart1", item), kChart1CellTag + r))
                cell->setVisible(false);
    for (size_t n = 0; n < m_Records.size(); ++n)
    {
        const tagGameRecord& record = m_Records[n];
        auto* cell = dynamic_cast<ImageView*>(
            ItemChild(ListItem("ListView_Chart1", static_cast<int>(n / 6)), kChart1CellTag + static_cast<int>(n % 6)));
        if (cell == nullptr)
            continue;
        const uint8_t winner = WinnerOf(record);
        const char* picture = winner == WINNER_XIAN    ? "BaccaratNew/chart_list1_XIAN"
                              : winner == WINNER_ZHUANG ? "BaccaratNew/chart_list1_ZHUANG"
                                                        : "BaccaratNew/chart_list1_PING";
        if (winner == WINNER_ZHUANG && record.cbBankerPair == 1)
            picture = "BaccaratNew/chart_list1_ZHUANG_TOW_PAIR";
        else if (winner == WINNER_XIAN && record.cbPlayerPair == 1)
            picture = "BaccaratNew/chart_list1_XIAN_TOW_PAIR";
        cell->loadTexture(picture);
        cell->setVisible(true);
    }
    DrawBeadGrid("ListView_Chart2", kChart2CellTag);
    DrawRoadChart("ListView_Chart3", 0, kRoadCellTag[0], "BaccaratNew/chart_list3_XIAN",
                  "BaccaratNew/chart_list3_ZHUANG");
    DrawRoadChart("ListView_Chart4", 1, kRoadCellTag[1], "BaccaratNew/chart_list4_XIAN",
                  "BaccaratNew/chart_list4_ZHUANG");
    DrawRoadChart("ListView_Chart5", 2, kRoadCellTag[2], "BaccaratNew/chart_list5_XIAN",
                  "BaccaratNew/chart_list5_ZHUANG");
}

void BaccaratNewBoard::ShowChartStats()
{
    int player = 0, ties = 0, banker = 0, playerPairs = 0, bankerPairs = 0, playerNaturals = 0, bankerNaturals = 0;
    for (const tagGameRecord& record : m_Records)
    {
        const uint8_t winner = WinnerOf(record);
        player += winner == WINNER_XIAN;
        ties += winner == WINNER_PING;
        banker += winner == WINNER_ZHUANG;
        playerPairs += record.cbPlayerPair == 1;
        bankerPairs += record.cbBankerPair == 1;
        playerNaturals += record.cbSpecial == AREA_XIAN_TIAN_WANG;
        bankerNaturals += record.cbSpecial == AREA_ZHUANG_TIAN_WANG;
    }
    const int all = player + ties + banker;
    const double divisor = all > 0 ? all : 1;
    SetLabelText("Label_CHART_xianNum", std::to_string(player));
    SetLabelText("Label_CHART_pingNum", std::to_string(ties));
    SetLabelText("Label_CHART_zhuangNum", std::to_string(banker));
    SetLabelText("Label_CHART_xianBili", Percent(100.0 * player / divisor));
    SetLabelText("Label_CHART_pingBili", Percent(100.0 * ties / divisor));
    SetLabelText("Label_CHART_zhuangBili", Percent(100.0 * banker / divisor));
    SetLabelText("Label_CHART_xdzNum", std::to_string(playerPairs));
    SetLabelText("Label_CHART_zdzNum", std::to_string(bankerPairs));
    SetLabelText("Label_CHART_xtwNum", std::to_string(playerNaturals));
    SetLabelText("Label_CHART_ztwNum", std::to_string(bankerNaturals));
}

void BaccaratNewBoard::OpenCharts()
{
    BuildChartLists();
    if (Widget* chart = GetWidget("Image_CHART"))
    {
        chart->stopAllActions();
        chart->setPosition(CCPoint(513, VisibleRect::center().y));
        chart->setZOrder(kChartZ);
        chart->setVisible(true);
    }
    m_pOverlay->setVisible(false);
    RefreshCharts();
    ShowChartStats();
}

void BaccaratNewBoard::CloseCharts()
{
    if (Widget* chart = GetWidget("Image_CHART"))
    {
        chart->setVisible(false);
        chart->setPosition(CCPoint(VisibleRect::center().x, VisibleRect::top().y + 1400));
    }
    m_pOverlay->setVisible(true);
}

}  // namespace BaccaratNew
