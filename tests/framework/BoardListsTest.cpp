// The right bar's lists and card: the in-game chat, the player list and the
// own-user card, fed as the board feeds them.
#include "KernelFixture.h"

#include "games/framework/GameChatLayer.h"
#include "games/framework/PlayerTableViewLayer.h"
#include "games/framework/UserInfoView.h"
#include "ui/CCCursorTextField.h"
#include "ui/CCTableSliderLayer.h"
#include "ui/Dialog.h"
#include "ui/MyPoint.h"
#include "ui/WindyTopLayer.h"

using namespace cocos2d;
using namespace cocos2d::extension;
using namespace Sexy;
using kt::KernelTest;

namespace {

// ASCII 6 pixels wide at size 12, anything else 12, scaled with the size and
// summed over the characters, so wrapping does not hang on a font.
float FakeMeasure(const std::string& utf8, const std::string&, float size)
{
    float width = 0;
    for (size_t i = 0; i < utf8.size(); i += textwidth::CharLength(utf8, i))
        width += static_cast<unsigned char>(utf8[i]) < 0x80 ? 6.0f : 12.0f;
    return width * size / 12.0f;
}

std::string GBK(const std::string& utf8) { return CClientGlobal::UTF8ToGBK(utf8); }

std::string Text(CCNode* label)
{
    auto* ttf = dynamic_cast<CCLabelTTF*>(label);
    return ttf != nullptr ? ttf->getString() : std::string("<none>");
}

bool ShowsFrame(CCNode* node, const char* frame)
{
    auto* sprite = dynamic_cast<CCSprite*>(node);
    return sprite != nullptr &&
           sprite->isFrameDisplayed(CCSpriteFrameCache::sharedSpriteFrameCache()->findFrame(frame));
}

std::string LastDialogText()
{
    std::string text;
    if (CCArray* children = WindyTopLayer::sharedTopLayer()->getChildren())
    {
        for (unsigned i = 0; i < children->count(); ++i)
        {
            auto* dialog = dynamic_cast<Dialog*>(static_cast<CCNode*>(children->objectAtIndex(i)));
            CCNode* frame = dialog != nullptr ? dialog->getChildByTag(Dialog::kTagFrame) : nullptr;
            if (frame != nullptr)
                text = Text(frame->getChildByTag(Dialog::kTagText));
        }
    }
    return text;
}

class ChatList : public KernelTest
{
protected:
    void SetUp() override
    {
        KernelTest::SetUp();
        CClientGlobal::SetTextMeasure(&FakeMeasure);
        chat = GameChatLayer::create();
        ASSERT_NE(chat, nullptr);
        chat->setPosition(CCPoint(1028, 0));
        chat->setContentSize(CCSize(258, 258));
        scene->addChild(chat);
        Step();
    }
    void TearDown() override
    {
        InstallUiCoreServices();
        while (CCNode* dialog = TopDialog())
            dialog->removeFromParentAndCleanup(true);
        KernelTest::TearDown();
    }
    static CCNode* TopDialog()
    {
        CCNode* top = nullptr;
        if (CCArray* children = WindyTopLayer::sharedTopLayer()->getChildren())
            for (unsigned i = 0; i < children->count(); ++i)
                if (auto* dialog = dynamic_cast<Dialog*>(static_cast<CCNode*>(children->objectAtIndex(i))))
                    top = dialog;
        return top;
    }
    void Add(const std::string& message, ChatKind kind = 0, const std::string& sender = "甲")
    {
        chat->AddChatItem(ChatLine{GBK(sender), GBK(message), kind});
    }
    CCNode* Row(unsigned index)
    {
        CCTableViewCell* cell = chat->GetTableView()->cellAtIndex(index);
        return cell != nullptr ? cell->getChildByTag(GameChatLayer::kRowLayerTag) : nullptr;
    }
    float Offset() { return chat->GetTableView()->getContentOffset().y; }
    float Lowest() { return chat->GetTableView()->minContainerOffset().y; }

    GameChatLayer* chat = nullptr;
};

TEST_F(ChatList, PaneIsLaidOutUnderTheList)
{
    EXPECT_EQ(chat->GetListHeight(), 198);  // 762 - 197 - 108 - 199 - 60
    CCTableView* table = chat->GetTableView();
    EXPECT_EQ(table->getTag(), GameChatLayer::kTableTag);
    EXPECT_EQ(table->getPosition(), CCPoint(1, 60));
    EXPECT_EQ(table->getViewSize(), CCSize(244, 198));
    CCTableSliderLayer* bar = chat->GetScrollBar();
    EXPECT_EQ(bar->getPosition(), CCPoint(244, 258));
    EXPECT_FLOAT_EQ(bar->getRotation(), 90);
    EXPECT_EQ(chat->GetInputField()->getMaxLength(), 100);
    for (int tag :
         {GameChatLayer::kTagSend, GameChatLayer::kTagExpression, GameChatLayer::kTagClear, GameChatLayer::kTagBan})
        EXPECT_NE(chat->getChildByTag(tag), nullptr) << tag;
}

TEST_F(ChatList, KeepsTheLatest21Lines)
{
    for (int i = 1; i <= 22; ++i)
        Add("line " + std::to_string(i));
    ASSERT_EQ(chat->GetItems().size(), 21u);
    EXPECT_EQ(chat->GetItems().front().message, "line 2");
    EXPECT_EQ(chat->GetItems().back().message, "line 22");
}

TEST_F(ChatList, RowsGrowWithEveryWrappedLine)
{
    // Kind 0: the head "甲说:" is 40 wide, so 189 pixels (32 letters) fit
    // beside it; every following line takes 38 letters.
    struct Case
    {
        size_t letters;
        int height;
    };
    const Case cases[] = {{1, 25}, {32, 25}, {33, 43}, {70, 43}, {71, 61}, {32 + 38 * 10, 205}, {900, 205}};
    for (const Case& c : cases)
    {
        Add(std::string(c.letters, 'a'));
        const unsigned last = static_cast<unsigned>(chat->GetItems().size() - 1);
        EXPECT_EQ(chat->GetRowHeight(last), c.height) << c.letters;
        EXPECT_LE(chat->GetItems().back().lines.size(), 11u);
    }
    // Carriage returns are dropped: nothing is left to show.
    Add("\r\r\r");
    EXPECT_EQ(chat->GetItems().back().lines.size(), 0u);
    EXPECT_EQ(chat->GetRowHeight(static_cast<unsigned>(chat->GetItems().size() - 1)), 25);
    EXPECT_EQ(chat->GetRowHeight(999), 25);  // past the items
}

TEST_F(ChatList, WrapsTwoAndFourByteCharactersWhole)
{
    // Greek letters and the middle dot are two bytes in UTF-8, the emoji four:
    // no line may end inside one, and no byte may be lost.
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "αβ·γ";
    Add(text);
    const ChatItem& item = chat->GetItems().back();
    ASSERT_GT(item.lines.size(), 1u);
    std::string joined;
    for (const std::string& line : item.lines)
    {
        EXPECT_EQ(CClientGlobal::UTF8ToGBK(line).empty(), line.empty());
        EXPECT_EQ(CClientGlobal::GBKToUTF8(CClientGlobal::UTF8ToGBK(line)), line) << "a line split a character";
        joined += line;
    }
    EXPECT_EQ(joined, text);
}

TEST_F(ChatList, EachKindHasItsHeadAndColours)
{
    Add("hello", 0);
    Add("notice", 1);
    Add("big", 2);
    Add("small", 3);
    Add("room", 4, "房间消息");
    Add("sender", 5);
    Add("odd", 9);
    Step();
    // Rows 0..6 all fit the list, so all are on screen.
    CCNode* chatRow = Row(0);
    ASSERT_NE(chatRow, nullptr);
    EXPECT_EQ(Text(chatRow->getChildByTag(GameChatLayer::kHeadTag)), "甲说:");
    auto* first = static_cast<CCLabelTTF*>(chatRow->getChildByTag(GameChatLayer::kFirstLineTag));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->getPosition(), CCPoint(45, 20));
    EXPECT_EQ(first->getColor().r, 23);
    CCNode* note = Row(1);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->getChildByTag(GameChatLayer::kHeadTag), nullptr);  // an animated note instead
    EXPECT_EQ(static_cast<CCLabelTTF*>(note->getChildByTag(GameChatLayer::kFirstLineTag))->getColor().r, 233);
    EXPECT_EQ(Text(Row(2)->getChildByTag(GameChatLayer::kHeadTag)), "甲发大喇叭:");
    EXPECT_EQ(Text(Row(3)->getChildByTag(GameChatLayer::kHeadTag)), "甲发小喇叭:");
    // A room message: the room-note picture, the sender hidden, blue text at 88.
    CCNode* roomRow = Row(4);
    EXPECT_EQ(roomRow->getChildByTag(GameChatLayer::kHeadTag), nullptr);
    auto* roomText = static_cast<CCLabelTTF*>(roomRow->getChildByTag(GameChatLayer::kFirstLineTag));
    EXPECT_EQ(roomText->getPositionX(), 88);
    EXPECT_EQ(roomText->getColor().b, 255);
    EXPECT_EQ(Text(Row(5)->getChildByTag(GameChatLayer::kHeadTag)), "甲");
    EXPECT_EQ(Text(Row(6)->getChildByTag(GameChatLayer::kHeadTag)), "");
}

TEST_F(ChatList, NewLinesKeepTheReadingPlace)
{
    // While all rows fit, adding leaves the list as the reload put it: the
    // first row at the top.
    Add("a");
    Add("b");
    EXPECT_GT(Lowest(), 0);
    EXPECT_FLOAT_EQ(Offset(), Lowest());
    // Longer than the list (198): at the newest end it follows new lines.
    for (int i = 0; i < 19; ++i)
        Add("line");
    EXPECT_LT(Lowest(), 0);
    EXPECT_FLOAT_EQ(Offset(), 0);
    // At the oldest end it stays there.
    chat->GetTableView()->setContentOffset(CCPoint(0, Lowest()), false);
    Add("more");
    EXPECT_FLOAT_EQ(Offset(), Lowest());
    EXPECT_EQ(chat->GetScrollBar()->getScrollRange(), static_cast<int>(Lowest()));
    // In between it keeps its offset.
    chat->GetTableView()->setContentOffset(CCPoint(0, -150), false);
    Add("more");
    EXPECT_FLOAT_EQ(Offset(), -150);
    // Near the newest end again: it follows.
    chat->GetTableView()->setContentOffset(CCPoint(0, -20), false);
    Add("more");
    EXPECT_FLOAT_EQ(Offset(), 0);
}

TEST_F(ChatList, ButtonsAnswerAndClear)
{
    Add("x");
    Add("y");
    chat->GetInputField()->setText(GBK("你好"));
    struct Press
    {
        int tag;
        const char* box;
    };
    for (const Press p :
         {Press{GameChatLayer::kTagSend, "本游戏禁止聊天"}, Press{GameChatLayer::kTagExpression, "正在建设中..."},
          Press{GameChatLayer::kTagBan, "正在建设中..."}})
    {
        chat->OnButtonClicked(chat->getChildByTag(p.tag), CCControlEventTouchDown);
        EXPECT_EQ(LastDialogText(), p.box);
    }
    // The field keeps its text: nothing is sent.
    EXPECT_EQ(chat->GetInputField()->getInputText(), GBK("你好"));
    EXPECT_TRUE(room.sent.empty());
    chat->OnButtonClicked(chat->getChildByTag(GameChatLayer::kTagClear), CCControlEventTouchDown);
    EXPECT_TRUE(chat->GetItems().empty());
    EXPECT_EQ(chat->GetTableView()->usedCellCount(), 0u);
}

TEST_F(ChatList, WheelScrollsOnlyUnderThePointer)
{
    for (int i = 0; i < 21; ++i)
        Add("line");
    CCNotificationCenter* centre = CCNotificationCenter::sharedNotificationCenter();
    centre->postNotification(notify::kCursor, CMyPoint::create(100, 100));  // off the pane
    EXPECT_FALSE(chat->IsHovered());
    centre->postNotification("ChatMouseWheel", CMyPoint::create(0, -30));
    EXPECT_FLOAT_EQ(Offset(), 0);
    centre->postNotification(notify::kCursor, CMyPoint::create(1100, 150));  // over the list
    EXPECT_TRUE(chat->IsHovered());
    centre->postNotification("ChatMouseWheel", CMyPoint::create(0, -30));
    EXPECT_FLOAT_EQ(Offset(), -30);
    centre->postNotification(notify::kCursor, CMyPoint::create(1100, 40));  // the input strip
    EXPECT_FALSE(chat->IsHovered());
}

// --- the player list ------------------------------------------------------------------------

class PlayerList : public KernelTest
{
protected:
    void SetUp() override
    {
        KernelTest::SetUp();
        CClientGlobal::SetTextMeasure(&FakeMeasure);
        Configure(8);
    }
    void TearDown() override
    {
        InstallUiCoreServices();
        KernelTest::TearDown();
    }
    void Make()
    {
        list = PlayerTableViewLayer::create();
        ASSERT_NE(list, nullptr);
        list->setPosition(CCPoint(1028, 366));
        list->setContentSize(CCSize(258, 199));
        scene->addChild(list);
        Step();
    }
    CCNode* RowBackground(unsigned index)
    {
        CCTableViewCell* cell = list->GetTableView()->cellAtIndex(index);
        return cell != nullptr ? cell->getChildByTag(PlayerTableViewLayer::kTagRowBackground) : nullptr;
    }
    std::string ScoreText(unsigned index)
    {
        CCNode* row = RowBackground(index);
        return row != nullptr ? Text(row->getChildByTag(PlayerTableViewLayer::kTagScore)) : "<no row>";
    }

    PlayerTableViewLayer* list = nullptr;
};

TEST_F(PlayerList, FillsTheListWithEmptyRowsBelowTheUsers)
{
    EXPECT_TRUE(Enter(1000, 1, US_SIT, 500));
    EXPECT_TRUE(Enter(2001, 3, US_PLAY, 700));
    Make();
    EXPECT_EQ(list->GetListHeight(), 150);
    EXPECT_EQ(list->GetRowCount(), 5);
    EXPECT_EQ(list->GetVerticalBar()->getScrollRange(), 0);
    EXPECT_EQ(list->GetHeader()->getPosition(), CCPoint(0, 166));
    EXPECT_EQ(list->GetTableView()->getPosition(), CCPoint(0, 16));
    // Users in chair order, then empty rows with alternating grounds.
    EXPECT_EQ(list->GetTableView()->cellAtIndex(0)->getTag(), 501000);
    EXPECT_EQ(list->GetTableView()->cellAtIndex(1)->getTag(), 502001);
    for (unsigned i = 2; i < 5; ++i)
    {
        CCTableViewCell* cell = list->GetTableView()->cellAtIndex(i);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->getTag(), 0);
        CCNode* row = RowBackground(i);
        EXPECT_EQ(Text(row->getChildByTag(PlayerTableViewLayer::kTagNickname)), "");
        EXPECT_TRUE(ShowsFrame(row->getChildByTag(PlayerTableViewLayer::kTagStatus), "people0-9999"));
    }
    auto* even = static_cast<CCSprite*>(RowBackground(2));
    auto* odd = static_cast<CCSprite*>(RowBackground(3));
    EXPECT_NE(even->getTexture(), odd->getTexture());
    EXPECT_EQ(even->getTextureRect().size, CCSize(365, 30));
    // Status 2 and 5 show their frames; no client kind, no badge.
    EXPECT_TRUE(ShowsFrame(RowBackground(0)->getChildByTag(PlayerTableViewLayer::kTagStatus), "status_2"));
    EXPECT_TRUE(ShowsFrame(RowBackground(1)->getChildByTag(PlayerTableViewLayer::kTagStatus), "status_5"));
    EXPECT_TRUE(ShowsFrame(RowBackground(0)->getChildByTag(PlayerTableViewLayer::kTagBadge), "people0-9999"));
    // Touching a row does nothing.
    Tap(1100, 500);
    EXPECT_EQ(list->GetItems().size(), 2u);
}

TEST_F(PlayerList, ScoresAreGroupedWhenAddedPlainWhenReloadedAndGroupedWhenUpdated)
{
    EXPECT_TRUE(Enter(1000, 1, US_SIT, 12345678));
    Make();
    EXPECT_EQ(ScoreText(0), "12345678");  // made from the kernel's seats
    tagUserData added = *kernel->GetMeUserData();
    added.dwGameID = 777;
    list->AddUser(&added);
    EXPECT_EQ(ScoreText(1), "1234,5678");
    list->UpdateRowCount();
    EXPECT_EQ(ScoreText(0), "12345678");
    EXPECT_EQ(list->GetItems().size(), 1u);
    EXPECT_TRUE(Score(1000, 87654321));
    list->UpdateUser(kernel->GetMeUserData());
    EXPECT_EQ(ScoreText(0), "8765,4321");
    // A user entering and leaving again leaves the list as it was.
    list->AddUser(&added);
    list->RemoveUser(777);
    EXPECT_EQ(list->GetItems().size(), 1u);
    // A game ID listed twice goes twice.
    list->AddUser(&added);
    list->AddUser(&added);
    EXPECT_EQ(list->GetItems().size(), 3u);
    list->RemoveUser(777);
    EXPECT_EQ(list->GetItems().size(), 1u);
}

TEST_F(PlayerList, RowsShowStatusBadgeAndShortenedNames)
{
    Make();
    struct Case
    {
        uint8_t status;
        uint32_t client;
        const char* statusFrame;
        const char* badgeFrame;
    };
    const Case cases[] = {{0, 0, "people0-9999", "people0-9999"},
                          {1, 4, "people0-9999", "people0-9999"},
                          {5, 2, "status_5", "expand_2"},
                          {3, 1, "status_3", "expand_1"},
                          {6, 3, "status_6", "expand_3"}};
    for (const Case& c : cases)
    {
        tagUserData user{};
        user.dwGameID = 9;
        user.cbUserStatus = c.status;
        user.dwClientKind = c.client;
        SetFieldText(user.szNickName, u"abcdefghijklmnop");  // 7.5 pixels a letter at 15
        list->RemoveUser(9);
        list->AddUser(&user);
        CCNode* row = RowBackground(0);
        ASSERT_NE(row, nullptr);
        EXPECT_TRUE(ShowsFrame(row->getChildByTag(PlayerTableViewLayer::kTagStatus), c.statusFrame)) << int(c.status);
        EXPECT_TRUE(ShowsFrame(row->getChildByTag(PlayerTableViewLayer::kTagBadge), c.badgeFrame)) << c.client;
        EXPECT_EQ(Text(row->getChildByTag(PlayerTableViewLayer::kTagNickname)), "abcdefghijk...");
    }
}

TEST_F(PlayerList, HorizontalBarShiftsRowsAndHeaderAndClips)
{
    for (uint16_t chair = 0; chair < 8; ++chair)
        EXPECT_TRUE(Enter(chair == 1 ? 1000 : 3000 + chair, chair));
    Make();
    EXPECT_EQ(list->GetRowCount(), 8);
    EXPECT_EQ(list->GetHorizontalBar()->getScrollRange(), -107);
    // Drag the horizontal bar's thumb to its right end.
    Touch(0, 1028 + 30, 366 + 8);
    Touch(1, 1028 + 200, 366 + 8);
    Touch(2, 1028 + 257, 366 + 8);
    EXPECT_FLOAT_EQ(list->GetHorizontalOffset(), -107);
    EXPECT_FLOAT_EQ(RowBackground(0)->getPositionX(), -107);
    EXPECT_FLOAT_EQ(list->GetHeader()->getPositionX(), -107);
    // Rows scrolled into view later take the same shift.
    list->GetTableView()->setContentOffset(CCPoint(0, 0), false);
    ASSERT_NE(RowBackground(7), nullptr);
    EXPECT_FLOAT_EQ(RowBackground(7)->getPositionX(), -107);
    // Nothing draws outside the layer.
    list->visit();
    EXPECT_TRUE(list->hasClipRect());
    EXPECT_EQ(list->getClipRect(), CCRect(0, 0, 260, 201));
}

TEST_F(PlayerList, FollowsTheBoardThroughUsersComingAndGoing)
{
    CGameBoard* board = EnterWithBoard(8);
    ASSERT_NE(board, nullptr);
    PlayerTableViewLayer* shown = board->GetPlayerList();
    EXPECT_TRUE(Enter(1000, 1, US_SIT, 100));
    EXPECT_TRUE(Enter(2001, 2, US_SIT, 200));
    EXPECT_EQ(shown->GetItems().size(), 2u);
    EXPECT_TRUE(Status(2001, US_READY, 2));
    EXPECT_TRUE(ShowsFrame(shown->GetTableView()
                               ->cellAtIndex(1)
                               ->getChildByTag(PlayerTableViewLayer::kTagRowBackground)
                               ->getChildByTag(PlayerTableViewLayer::kTagStatus),
                           "status_3"));
    EXPECT_TRUE(Status(2001, US_FREE, 2));
    EXPECT_EQ(shown->GetItems().size(), 1u);
}

// --- the own-user card -----------------------------------------------------------------------

using UserCard = KernelTest;

TEST_F(UserCard, StaysEmptyWithoutMyRecordAndThenTakesOnlyTheScore)
{
    Configure(3);
    CUserInfoView* card = CUserInfoView::create();
    ASSERT_NE(card, nullptr);
    scene->addChild(card);
    EXPECT_EQ(card->getChildrenCount(), 0u);
    // My record comes later: the score label is made, the missing face is left alone.
    EXPECT_TRUE(Enter(1000, 1, US_SIT, 5));
    card->UpdateUserInfo(12345678);
    EXPECT_EQ(card->getChildrenCount(), 1u);
    EXPECT_EQ(Text(card->GetScoreLabel()), "1234,5678");
    EXPECT_EQ(card->GetFace(), nullptr);
    card->UpdateUserInfo(-1234);
    EXPECT_EQ(card->getChildrenCount(), 1u);
    EXPECT_EQ(Text(card->GetScoreLabel()), "-1234");
}

TEST_F(UserCard, ShowsMyRecord)
{
    Configure(3);
    tagUserData user{};
    user.dwUserID = 1000;
    user.dwGameID = 501000;
    user.wTableID = 5;
    user.wChairID = 1;
    user.cbUserStatus = US_SIT;
    user.cbGender = 1;
    user.lScore = -98765;
    SetFieldText(user.szNickName, u"玩家甲");
    const std::vector<uint8_t> msg = UserEnterMessage(user);
    ASSERT_TRUE(
        kernel->OnChannelMessage(IPC_MAIN_USER, IPC_SUB_USER_ENTER, msg.data(), static_cast<uint16_t>(msg.size())));
    CUserInfoView* card = CUserInfoView::create();
    scene->addChild(card);
    EXPECT_EQ(Text(card->GetNickLabel()), "玩家甲");
    EXPECT_EQ(Text(card->GetIDLabel()), "501000");
    EXPECT_EQ(Text(card->GetGenderLabel()), "女");
    EXPECT_EQ(Text(card->GetScoreLabel()), "-9,8765");
    EXPECT_EQ(card->GetScoreLabel()->getTag(), CUserInfoView::kTagScore);
    EXPECT_EQ(card->GetScoreLabel()->getPosition(), CCPoint(106, -27));
    EXPECT_EQ(card->GetNickLabel()->getColor().b, 114);
    ASSERT_NE(card->GetFace(), nullptr);
    EXPECT_EQ(card->GetFace()->getTexture(), CCResolvePicture("ChangePhoto/people1-13")->getTexture());
}

}  // namespace
