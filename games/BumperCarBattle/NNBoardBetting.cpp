// Bets and what shows them: the chips a player may use and the chip he
// holds, betting by a click on an area or by dragging the chip onto one, the
// highlight and track flash under a dragged chip, the chips and totals on
// the areas, and the banker's waiting list and buttons.
#include "core/ClientGlobal.h"
#include "games/BumperCarBattle/NNBoard.h"
#include "games/BumperCarBattle/NNHandler.h"
#include "games/common/BankerBetting.h"
#include "games/common/BoardWidgets.h"
#include "games/framework/BoardArt.h"

#include <cstdio>
#include <cstdlib>

using namespace cocos2d;
using namespace cocos2d::ui;

namespace BumperCarBattle {

namespace {

// Largest first, for laying an amount out as chips.
const int64_t kDenominations[] = {5000000, 1000000, 100000, 10000, 1000, 100};
constexpr size_t kDenominationCount = sizeof(kDenominations) / sizeof(kDenominations[0]);

const char* const kTotalLabels[AREA_COUNT] = {
    "atlasLabel_bsj_d", "atlasLabel_bm_d", "atlasLabel_bc_d", "atlasLabel_dz_d",
    "atlasLabel_bsj_x", "atlasLabel_bm_x", "atlasLabel_bc_x", "atlasLabel_dz_x",
};
const char* const kMyLabels[AREA_COUNT] = {
    "atlasLabel_bsj_d_self", "atlasLabel_bm_d_self", "atlasLabel_bc_d_self", "atlasLabel_dz_d_self",
    "atlasLabel_bsj_x_self", "atlasLabel_bm_x_self", "atlasLabel_bc_x_self", "atlasLabel_dz_x_self",
};

}  // namespace

// --- chips --------------------------------------------------------------------------------------

void NNBoard::UpdateChipButtons(bool disableAll)
{
    if (disableAll || IsMeBanker())
    {
        m_Chips.DisableAll();
        return;
    }
    const tagUserData* me = UserAt(MyChair());
    if (me == nullptr)
        return;
    // What I hold less what I have bet this round.
    m_Chips.Limit(games::SaturatingSub(me->lScore, m_lMyRoundBet));
}

void NNBoard::OnChipButton(CCObject* sender, TouchEventType event)
{
    auto* chip = dynamic_cast<Widget*>(sender);
    if (event != TOUCH_EVENT_ENDED || chip == nullptr)
        return;
    PlayEffect("sound/add_score.mp3");
    const int value = chip->getTag();
    // The pointer is where the button was released.
    if (m_pContentRoot != nullptr)
        m_ptPointer = m_pContentRoot->convertToNodeSpace(chip->getTouchEndPos());
    // The marker shows the same picture as the chips on the areas.
    char picture[48];
    std::snprintf(picture, sizeof(picture), "jetton_%d", value);
    m_pChipMarker->setDisplayFrame(CCResolvePicture(MakeResourcePath(picture).c_str()));
    m_pChipMarker->setPosition(m_ptPointer);
    m_pChipMarker->setVisible(true);
    m_pChipMarker->setTag(value);
    SetSelectedChip(true, value);
}

void NNBoard::DropChip()
{
    m_pChipMarker->setVisible(false);
    m_pChipMarker->setTag(0);
    SetSelectedChip(true, 0);
}

void NNBoard::SendBet(int area, int64_t amount)
{
    NNHandler* handler = Handler();
    if (handler == nullptr || !ValidArea(area))
        return;
    BetRequest request;
    request.cbArea = static_cast<uint8_t>(area);
    request.lAmount = amount;
    handler->SendGameData(SUB_C_PLACE_JETTON, &request, sizeof(request));
}

// --- betting by a click -------------------------------------------------------------------------

void NNBoard::OnAreaButtonTouch(CCObject* sender, TouchEventType event)
{
    auto* area = dynamic_cast<Widget*>(sender);
    if (event != TOUCH_EVENT_BEGAN || area == nullptr || m_pChipMarker->getTag() < 1)
        return;
    // The chip stays in the hand: each click bets it again.
    SendBet(area->getTag(), m_pChipMarker->getTag());
}

// --- betting by a drag --------------------------------------------------------------------------
// The layout's widgets take their touches first (a later registration at
// the same priority); the board gets those that begin elsewhere.

bool NNBoard::ccTouchBegan(CCTouch* touch, CCEvent* event)
{
    if (!CGameBoard::ccTouchBegan(touch, event) || m_pContentRoot == nullptr)
        return false;
    m_ptPointer = m_pContentRoot->convertToNodeSpace(touch->getLocation());
    return true;
}

void NNBoard::ccTouchMoved(CCTouch* touch, CCEvent*)
{
    if (m_pContentRoot == nullptr)
        return;
    m_ptPointer = m_pContentRoot->convertToNodeSpace(touch->getLocation());
    m_pChipMarker->setPosition(m_ptPointer);
    if (m_pChipMarker->getTag() >= 1)
        HighlightAreaUnderPointer(m_ptPointer);
}

void NNBoard::ccTouchEnded(CCTouch* touch, CCEvent*)
{
    if (m_pContentRoot != nullptr)
        m_ptPointer = m_pContentRoot->convertToNodeSpace(touch->getLocation());
    const int chip = m_pChipMarker->getTag();
    if (chip >= 1)
    {
        const int area = AreaAt(m_ptPointer);
        if (area != 0)
            SendBet(area, chip);
    }
    DropChip();
    ClearAreaHighlights();
}

void NNBoard::ccTouchCancelled(CCTouch*, CCEvent*)
{
    DropChip();
    ClearAreaHighlights();
}

int NNBoard::AreaAt(const CCPoint& point) const
{
    if (m_pContentRoot == nullptr)
        return 0;
    const CCPoint world = m_pContentRoot->convertToWorldSpace(point);
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        Widget* button = GetAreaButton(area);
        if (button == nullptr || button->getParent() == nullptr || !button->isShownWithParents())
            continue;
        // From the button's position, as big as the button.
        const CCPoint at = button->getParent()->convertToNodeSpace(world);
        const CCSize size = button->getSize();
        const CCPoint anchor = button->getAnchorPoint();
        const CCRect box(button->getPositionX() - size.width * anchor.x, button->getPositionY() - size.height * anchor.y,
                         size.width, size.height);
        if (box.containsPoint(at))
            return area;
    }
    return 0;
}

void NNBoard::HighlightAreaUnderPointer(const CCPoint& point)
{
    const int under = AreaAt(point);
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        Widget* button = GetAreaButton(area);
        if (button == nullptr)
            continue;
        if (area != under)
        {
            button->setBrightStyle(BRIGHT_NORMAL);
            continue;
        }
        button->setBrightStyle(BRIGHT_HIGHLIGHT);
        // The badges flash when the chip enters the area, not while it stays.
        if (area != m_nSelectedArea)
            FlashAreaTrackLights(ClassOfArea(area));
    }
    m_nSelectedArea = under;
}

void NNBoard::FlashAreaTrackLights(int firstTrackIndex)
{
    for (int t = firstTrackIndex; t < TRACK_SLOTS; t += AREA_COUNT)
    {
        Widget* badge = GetTrackBadge(t);
        // The badge under a standing car stays lit through a flash.
        if (badge == nullptr || t == m_nParkedBadge)
            continue;
        badge->setVisible(true);
        badge->setOpacity(255);
        CCFiniteTimeAction* blink =
            CCSequence::create(CCShow::create(), CCFadeOut::create(0.1f), CCHide::create(), nullptr);
        badge->runAction(CCRepeat::create(blink, 2));
    }
}

void NNBoard::ClearAreaHighlights()
{
    for (Widget* button : m_AreaButtons)
        button->setBrightStyle(BRIGHT_NORMAL);
    m_nSelectedArea = 0;
}

// --- chips on the areas -------------------------------------------------------------------------

void NNBoard::AddAreaChip(const BetPlacedMessage& bet)
{
    // The chip picture of the amount; an amount no chip shows goes on the
    // area as the chips that make it up.
    m_Pile.LayAmount(bet.cbArea, bet.lAmount, kDenominations, kDenominationCount, [](int64_t value) -> Widget* {
        char name[48];
        std::snprintf(name, sizeof(name), "jetton_%lld", static_cast<long long>(value));
        ImageView* chip = ImageView::create();
        chip->loadTexture(MakeResourcePath(name).c_str());
        return chip;
    });
}

void NNBoard::PlaceChipsForAmount(uint32_t area, int64_t amount)
{
    if (!ValidArea(static_cast<int>(area)))
        return;
    m_Pile.LayAmount(static_cast<int>(area), amount, kDenominations, kDenominationCount, [this](int64_t value) {
        // As small as the chips of live bets, to stay clear of the labels.
        Widget* chip = m_Chips.MakeTableChip(value);
        if (chip != nullptr && chip->getSize().width > 0)
            chip->setScale(kTableChipSize / chip->getSize().width);
        return chip;
    });
}

void NNBoard::ResetAreaBets()
{
    m_Pile.Clear();
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        if (Widget* total = GetWidget(kTotalLabels[area - 1]))
            total->setVisible(false);
        if (Widget* mine = GetWidget(kMyLabels[area - 1]))
            mine->setVisible(false);
        m_lAreaTotals[area - 1] = 0;
        m_lMyAreaBets[area - 1] = 0;
    }
}

void NNBoard::RefreshAreaBetLabels()
{
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        const int64_t amounts[2] = {m_lAreaTotals[area - 1], m_lMyAreaBets[area - 1]};
        const char* const names[2] = {kTotalLabels[area - 1], kMyLabels[area - 1]};
        const float rooms[2] = {kAreaTotalRoom, kAreaMyBetRoom};
        for (int i = 0; i < 2; ++i)
        {
            Widget* label = GetWidget(names[i]);
            if (label == nullptr)
                continue;
            label->setVisible(amounts[i] > 0);
            if (amounts[i] <= 0)
                continue;
            SetLabel(names[i], std::to_string(amounts[i]));
            // A long amount is drawn narrower rather than run into the
            // area's name or out of the area.
            Sexy::FitToWidth(label, rooms[i]);
        }
    }
}

// --- the pointer --------------------------------------------------------------------------------

void NNBoard::OnMouseMove(const CCPoint& point)
{
    CGameBoard::OnMouseMove(point);
    if (m_pContentRoot == nullptr)
        return;
    m_ptPointer = m_pContentRoot->convertToNodeSpace(point);
    // The held chip is the pointer: the kind has no chip cursors.
    if (m_pChipMarker->isVisible())
        m_pChipMarker->setPosition(m_ptPointer);
}

void NNBoard::OnRButtonUp()
{
    m_pChipMarker->setVisible(false);
    m_pChipMarker->setTag(0);
    CGameBoard::OnRButtonUp();
}

void NNBoard::OnBetFailed(const BetFailedMessage& message)
{
    // Another player's refused bet shows nothing.
    if (!IsMyChair(message.wChairID) || m_pContentRoot == nullptr)
        return;
    const CCSize size = m_pContentRoot->getContentSize();
    games::ShowFadingNotice(this, "BumperCarBattle/msg_jet_fail", CCPoint(size.width / 2, size.height / 2 + 100), 0.5f);
}

void NNBoard::OnBankButton(CCObject*, TouchEventType event)
{
    if (event == TOUCH_EVENT_BEGAN && UserAt(MyChair()) != nullptr)
        OpenBank();
}

// --- the banker's waiting list ------------------------------------------------------------------

void NNBoard::ShowBankerButtons(bool applyShown, bool cancelBright)
{
    if (m_pApplyButton != nullptr)
    {
        m_pApplyButton->setVisible(applyShown);
        m_pApplyButton->setZOrder(applyShown ? 1 : 0);
    }
    if (m_pCancelButton != nullptr)
    {
        m_pCancelButton->setVisible(!applyShown);
        m_pCancelButton->setZOrder(applyShown ? 0 : 1);
        m_pCancelButton->setBright(cancelBright);
    }
}

void NNBoard::OnApplyBanker(const ApplyBankerMessage& message)
{
    const uint16_t chair = message.wApplyUser;
    if (IsMyChair(chair))
        ShowBankerButtons(false, !IsMeBanker());
    // A chair whose user has left gets no row.
    const tagUserData* user = UserAt(chair);
    if (user == nullptr)
        return;
    m_BankerQueue.AddRow(chair, user);
}

void NNBoard::RemoveBankerCandidate(uint16_t chair)
{
    if (IsMyChair(chair))
        ShowBankerButtons(true, true);
    m_BankerQueue.RemoveRows(chair);
}

void NNBoard::OnCancelBanker(const CancelBankerMessage& message) { RemoveBankerCandidate(message.wCancelUser); }

void NNBoard::OnApplyBankerButton(CCObject*, TouchEventType event)
{
    NNHandler* handler = Handler();
    const tagUserData* me = UserAt(MyChair());
    if (event != TOUCH_EVENT_BEGAN || handler == nullptr || me == nullptr)
        return;
    if (me->lScore >= m_lApplyMinimum)
        handler->SendGameData(SUB_C_APPLY_BANKER);
    else
        games::AddRoomMessage(this, games::ApplyBankerRefusal(m_lBankerCondition));
}

void NNBoard::OnCancelBankerButton(CCObject*, TouchEventType event)
{
    NNHandler* handler = Handler();
    if (event != TOUCH_EVENT_BEGAN || handler == nullptr)
        return;
    // The refusal is the banker's of now: the banker chair stays until the
    // next round starts, and a banker replaced in the free time before it
    // may be queued again and take his place back out.
    if (IsMeBanker())
        games::AddRoomMessage(this, games::CancelBankerRefusal());
    else
        handler->SendGameData(SUB_C_CANCEL_BANKER);
}

}  // namespace BumperCarBattle
