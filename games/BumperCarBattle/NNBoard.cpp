// The board's construction: the track, the layout and its widgets, the car,
// the chip marker and the game-end background; the lookups and the label
// setters the other parts share.
#include "games/BumperCarBattle/NNBoard.h"

#include "core/ClientGlobal.h"
#include "games/BumperCarBattle/BumperCarGame.h"
#include "games/BumperCarBattle/NNHandler.h"
#include "games/common/BoardWidgets.h"
#include "games/common/CreateNode.h"
#include "games/framework/GameAudio.h"

#include <cstdio>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace cocos2d::extension;

namespace BumperCarBattle {

namespace {

const char* const kLayoutFile = "BumperCarBattle/NewUi_1/NewUi_1.ExportJson";
const char* const kArmatureFile = "BumperCarBattle/Car/Car.ExportJson";

const char* const kAreaButtons[AREA_COUNT] = {
    "btn_jetton_area_bsj_d", "btn_jetton_area_bm_d", "btn_jetton_area_bc_d", "btn_jetton_area_dz_d",
    "btn_jetton_area_bsj_x", "btn_jetton_area_bm_x", "btn_jetton_area_bc_x", "btn_jetton_area_dz_x",
};
const char* const kChipButtonNames[NNBoard::kChipButtons] = {
    "btn_jetton_100",    "btn_jetton_1000",    "btn_jetton_10000",
    "btn_jetton_100000", "btn_jetton_1000000", "btn_jetton_5000000",
};
// Where a chip of each area lands, in the area button's space: x, y, x range, y range.
const games::ChipScatter kChipBoxes[AREA_COUNT] = {
    {55, 30, 73, 61}, {32, 36, 80, 69}, {32, 36, 74, 70}, {32, 36, 53, 55},
    {60, 55, 63, 56}, {32, 36, 75, 71}, {32, 36, 74, 73}, {32, 60, 53, 48},
};

const char* const kWinCorners[4] = {"img_win_j_youshang", "img_win_j_youxia", "img_win_j_zuoxia",
                                    "img_win_j_zuoshang"};

struct TrackStop
{
    float x, y;
    float angle;  // the car's rotation there, clockwise
};

// Slots 1 to 32, clockwise from the left of the top straight.
const TrackStop kTrack[TRACK_SLOTS] = {
    {182, 612, 335}, {220, 630, 355}, {284, 634, 0},   {360, 634, 0},   {436, 634, 0},   {512, 634, 0},
    {588, 634, 0},   {664, 634, 0},   {740, 634, 0},   {795, 630, 5},   {845, 612, 25},  {888, 568, 50},
    {913, 518, 75},  {922, 464, 90},  {913, 408, 105}, {888, 358, 125}, {840, 312, 150}, {795, 298, 175},
    {740, 293, 180}, {664, 293, 180}, {588, 293, 180}, {512, 293, 180}, {436, 293, 180}, {360, 293, 180},
    {284, 293, 180}, {220, 298, 185}, {188, 312, 205}, {138, 358, 230}, {113, 408, 255}, {103, 464, 270},
    {113, 518, 285}, {138, 568, 305},
};

// Class c wins area kAreaOfClass[c]: big and small cars of one brand take
// neighbouring classes.
const int kAreaOfClass[AREA_COUNT] = {1, 5, 2, 6, 3, 7, 4, 8};

}  // namespace

constexpr int NNBoard::kChipValues[];

NNBoard::NNBoard() { PreloadSounds(); }

NNBoard::~NNBoard() = default;

NNBoard* NNBoard::create() { return games::CreateNode<NNBoard>(); }

std::string NNBoard::MakeResourcePath(const char* name) { return std::string("BumperCarBattle/") + name; }

int NNBoard::AreaOfClass(int cls) { return kAreaOfClass[((cls % AREA_COUNT) + AREA_COUNT) % AREA_COUNT]; }

int NNBoard::ClassOfArea(int area)
{
    for (int cls = 0; cls < AREA_COUNT; ++cls)
    {
        if (kAreaOfClass[cls] == area)
            return cls;
    }
    return 0;
}

CCPoint NNBoard::TrackPoint(int slot)
{
    const TrackStop& stop = kTrack[((slot - 1) % TRACK_SLOTS + TRACK_SLOTS) % TRACK_SLOTS];
    return CCPoint(stop.x, stop.y);
}

float NNBoard::SlotAngle(int slot) { return kTrack[((slot - 1) % TRACK_SLOTS + TRACK_SLOTS) % TRACK_SLOTS].angle; }

void NNBoard::PreloadSounds()
{
    Sexy::IGameAudio* audio = Sexy::GetGameAudio();
    audio->SetMusicVolume(1.0f);
    audio->SetEffectsVolume(1.0f);
    for (const char* music : {"sound/opencar1.mp3", "sound/opencar2.mp3"})
        audio->PreloadMusic(NNHandler::ResolveSoundPath(MakeResourcePath(music)));
}

bool NNBoard::init()
{
    if (!CCLayer::init())
        return false;
    CCArmatureDataManager::sharedArmatureDataManager()->addArmatureFileInfo(kArmatureFile);
    InitGameTable("BumperCarBattle/tile", "BumperCarBattle/centren", nullptr, CCPointZero);
    AddGameTitle("BumperCarBattle/The_car");

    m_pUILayer = TouchGroup::create();
    AddContentChild(m_pUILayer);
    m_pLayout = GUIReader::shareReader()->widgetFromJsonFile(kLayoutFile);
    if (m_pLayout != nullptr)
        m_pUILayer->addWidget(m_pLayout);

    m_pCar = CCSprite::create("BumperCarBattle/car");
    m_pCar->setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_pCar->setPosition(CCPoint(182, 609));
    m_pCar->setRotation(330);
    m_pCar->setVisible(false);
    AddContentChild(m_pCar, kCarZ);

    m_pChipMarker = CCSprite::create();
    m_pChipMarker->setTag(0);
    m_pChipMarker->setVisible(false);
    AddContentChild(m_pChipMarker, kMarkerZ);

    m_pApplyButton = GetWidget("btn_applay_banker");
    m_pCancelButton = GetWidget("btn_cancel_banker");
    Listen(m_pApplyButton, toucheventselector(NNBoard::OnApplyBankerButton));
    Listen(m_pCancelButton, toucheventselector(NNBoard::OnCancelBankerButton));
    Listen(GetWidget("btn_bank"), toucheventselector(NNBoard::OnBankButton));
    for (int i = 0; i < kChipButtons; ++i)
    {
        Widget* chip = GetWidget(kChipButtonNames[i]);
        if (chip == nullptr)
            continue;
        chip->setTag(kChipValues[i]);
        Listen(chip, toucheventselector(NNBoard::OnChipButton));
        m_Chips.Add(chip, kChipValues[i]);
    }
    UpdateChipButtons(true);
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        Widget* button = GetWidget(kAreaButtons[area - 1]);
        if (button == nullptr)
            continue;
        button->setTag(area);
        Listen(button, toucheventselector(NNBoard::OnAreaButtonTouch));
        m_AreaButtons.push_back(button);
        // The chips lie on the area button itself.
        m_Pile.SetArea(area, button, CCPointZero, kChipBoxes[area - 1]);
    }
    for (int t = 0; t < TRACK_SLOTS; ++t)
    {
        char name[24];
        std::snprintf(name, sizeof(name), "icon_32_%d", t);
        m_pTrackBadges[t] = GetWidget(name);
    }
    for (int i = 0; i < 4; ++i)
        m_pWinCorners[i] = GetWidget(kWinCorners[i]);

    m_pEndBackground = CCSprite::create("BumperCarBattle/bg_game_end");
    m_pEndBackground->setAnchorPoint(CCPointZero);
    m_pEndBackground->setPosition(CCPoint(300, 320));
    m_pEndBackground->setVisible(false);
    AddContentChild(m_pEndBackground);

    m_pHistoryLeft = GetWidget("btn_left");
    m_pHistoryRight = GetWidget("btn_right");
    Listen(m_pHistoryLeft, toucheventselector(NNBoard::OnHistoryLeft));
    Listen(m_pHistoryRight, toucheventselector(NNBoard::OnHistoryRight));
    games::BankerPanelStyle panel;
    panel.name = "label_banker_nick_name";
    panel.score = "label_banker_score";
    panel.rounds = "label_banker_times";
    panel.result = "label_banker_mark";
    panel.nobody = "系统坐庄";
    m_BankerPanel.Attach(m_pUILayer, panel);
    games::BankerRowStyle rows;
    rows.scoreX = 80;
    auto* bankerList = dynamic_cast<ListView*>(GetWidget("listView_banker_list"));
    if (bankerList != nullptr)
        bankerList->setItemsMargin(1.0f);
    m_BankerQueue.Attach(bankerList, rows);
    // The third row stands 2 spaces in, the fourth 6, the fifth 12, the
    // rest 20: by their place, so a row moving up stands where its new
    // place does.
    m_BankerQueue.IndentRows([](size_t row) -> size_t {
        static const size_t kIndents[] = {0, 0, 2, 6, 12, 20};
        return kIndents[row < 5 ? row : 5];
    });
    m_History.Attach(dynamic_cast<ListView*>(GetWidget("ListView_30")), kLayoutColumns, "BumperCarBattle/border.png");
    m_Clock.Attach(GetWidget("atlasLabel_game_timer"), "%d");
    return CGameBoard::init();
}

void NNBoard::LayoutGameTable(int width, int height, bool maximised, bool stretchBoth)
{
    FitContentToPlayArea(width, height, maximised, stretchBoth);
}

// --- lookups ------------------------------------------------------------------------------------

NNHandler* NNBoard::Handler() const { return GetHandler(); }

tagUserData* NNBoard::UserAt(uint16_t chair) const
{
    NNHandler* handler = Handler();
    if (handler == nullptr || chair == NO_BANKER)
        return nullptr;
    return handler->GetTableUserData(chair);
}

Widget* NNBoard::GetWidget(const char* name) const
{
    return m_pUILayer != nullptr ? m_pUILayer->getWidgetByName(name) : nullptr;
}

Widget* NNBoard::GetChipButton(int index) const
{
    return index >= 0 ? m_Chips.Button(static_cast<size_t>(index)) : nullptr;
}

Widget* NNBoard::GetAreaButton(int area) const
{
    for (Widget* button : m_AreaButtons)
    {
        if (button->getTag() == area)
            return button;
    }
    return nullptr;
}

const games::ChipScatter& NNBoard::ChipBox(int area)
{
    return kChipBoxes[ValidArea(area) ? area - 1 : 0];
}

Widget* NNBoard::GetTrackBadge(int index) const
{
    return index >= 0 && index < TRACK_SLOTS ? m_pTrackBadges[index] : nullptr;
}

std::string NNBoard::LabelText(const char* name) const { return games::WidgetText(m_pUILayer, name); }

// --- small parts --------------------------------------------------------------------------------

void NNBoard::Listen(Widget* widget, SEL_TouchEvent action)
{
    if (widget != nullptr)
        widget->addTouchEventListener(this, action);
}

void NNBoard::SetLabel(const char* name, const std::string& text) { games::SetWidgetText(m_pUILayer, name, text); }

void NNBoard::PlayEffect(const char* name) { PlaySound(MakeResourcePath(name).c_str()); }

void NNBoard::PlayMusicOnce(const char* name)
{
    // "Music" off keeps the table quiet, as the handler's music does.
    if (!CCUserDefault::sharedUserDefault()->getBoolForKey("Music", true))
        return;
    Sexy::IGameAudio* audio = Sexy::GetGameAudio();
    if (!audio->IsMusicPlaying())
        audio->PlayMusic(NNHandler::ResolveSoundPath(MakeResourcePath(name)), false);
}

// --- labels -------------------------------------------------------------------------------------

void NNBoard::SetBankerScore(int64_t score) { SetLabel("label_banker_score", CClientGlobal::FormatScore(score)); }

void NNBoard::SetMyMark(int64_t mark) { SetLabel("label_mark", CClientGlobal::FormatScore(mark)); }

void NNBoard::SetBankerTimes(int32_t times) { m_BankerPanel.ShowRounds(times); }

void NNBoard::SetMyNickName(const std::string& gbk) { SetLabel("label_nick_name", CClientGlobal::GBKToUTF8(gbk)); }

// The whole 64-bit total: a round's bets may pass 2^31.
void NNBoard::SetMyBetTotal(int64_t total) { SetLabel("label_jetton", std::to_string(total)); }

void NNBoard::SetMyScore(int64_t score)
{
    SetLabel("label_score", CClientGlobal::FormatScore(score));
    // Applicants who can no longer cover the banker's condition leave the
    // list; a row whose user has left the table stays for the server to drop.
    m_BankerQueue.RemoveRowsIf([this](uint16_t chair) {
        const tagUserData* user = UserAt(chair);
        return user != nullptr && user->lScore < m_lBankerCondition;
    });
}

// The banker's name and score; the system when nobody is banker, and an
// empty name with a score of 0 for a banker who has left the table.
void NNBoard::SetBankerName(uint16_t chair) { m_BankerPanel.ShowBanker(chair, UserAt(chair)); }

}  // namespace BumperCarBattle
