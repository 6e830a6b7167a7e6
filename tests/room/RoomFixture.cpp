#include "RoomFixture.h"

#include "games/registry/GameRegistry.h"
#include "hall/GameHallScene.h"
#include "ui/Dialog.h"
#include "ui/WindyTopLayer.h"

using namespace cocos2d;

namespace roomtest {

namespace {

void CaptureBox(const std::string& gbkText) { Boxes().push_back(CClientGlobal::GBKToUTF8(gbkText)); }

}  // namespace

std::vector<std::string>& Boxes()
{
    static std::vector<std::string> boxes;
    return boxes;
}

void RoomFixture::SetUp()
{
    UiFixture::SetUp();
    games::InstallGameKinds();
    CClientGlobal::SetMessageBoxHandler(&CaptureBox);
    Boxes().clear();
    // A reset between tests takes the top layer off the director.
    CCDirector::sharedDirector()->setTopLayer(WindyTopLayer::sharedTopLayer());
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile("ClientGame/UserStatus.plist");
    CCUserDefault::sharedUserDefault()->setBoolForKey("Music", false);

    HallUser user;
    user.userId = 1001;
    user.gameId = 100001;
    user.account = "player";
    user.nickname = "玩家";
    hall::ApplyUser(user, CClientGlobal::GetInstance()->GetUserRecord());
    // The hall the room enters from, with nothing configured.
    hall = GameHallScene::create(HallConfig{});
    CCDirector::sharedDirector()->replaceScene(hall);
    Step(1);
}

void RoomFixture::TearDown()
{
    if (g_pRoomScene != nullptr)
        g_pRoomScene->CloseRoom();
    Step(2);
    room = nullptr;
    socket = nullptr;
    UiFixture::TearDown();
}

void RoomFixture::MakeRoom(uint16_t kindId, uint16_t port)
{
    room = RoomScene::create();
    ASSERT_NE(room, nullptr);
    room->retain();  // the hall's reference, which CloseRoom gives back
    socket = new FakeSocket();
    room->SetSocket(std::unique_ptr<IClientSocket>(socket));
    HallRoom config;
    config.kindId = kindId;
    config.port = port;
    config.name = "测试房间";
    config.host = "127.0.0.1";
    room->EnterRoom(hall::MakeKindRecord(config), hall::MakeServerRecord(config));
}

bool RoomFixture::Read(uint16_t main, uint16_t sub, const Bytes& data)
{
    return room->OnSocketRead(MakeCommand(main, sub), data.empty() ? nullptr : data.data(), data.size(), socket);
}

void RoomFixture::LogOn(uint16_t tables, uint16_t chairs, const std::vector<UserEntry>& users)
{
    if (room == nullptr)
        MakeRoom();
    room->OnSocketLink(0, "", socket);
    ASSERT_TRUE(Read(1, 100));
    ASSERT_TRUE(Read(2, 101, Config(tables, chairs)));
    for (const UserEntry& u : users)
        ASSERT_TRUE(Read(3, 100, UserEnter(u)));
    ASSERT_TRUE(Read(1, 102));
    Step(kTransitionFrames);
}

std::vector<UserEntry> RoomFixture::MeAnd(std::vector<UserEntry> others, uint16_t table, uint16_t chair, uint8_t status)
{
    UserEntry me = User(1001, u"玩家", table, chair, status);
    me.gameId = 100001;
    others.insert(others.begin(), me);
    return others;
}

UserEntry RoomFixture::User(uint32_t id, const std::u16string& nick, uint16_t table, uint16_t chair, uint8_t status)
{
    UserEntry u;
    u.userId = id;
    u.gameId = 200000 + id;
    u.nick = nick;
    u.table = table;
    u.chair = chair;
    u.status = status;
    u.score = 1000 * id;
    return u;
}

Bytes RoomFixture::Config(uint16_t tables, uint16_t chairs)
{
    Bytes b;
    PutU16(b, tables);
    PutU16(b, chairs);
    PutU16(b, 7);
    PutU32(b, 9);
    b.resize(26, 0);
    return b;
}

Bytes RoomFixture::TableList(const std::vector<std::pair<uint8_t, uint8_t>>& tables)
{
    Bytes b;
    PutU16(b, static_cast<uint16_t>(tables.size()));
    for (const auto& t : tables)
    {
        b.push_back(t.first);
        b.push_back(t.second);
    }
    return b;
}

Bytes RoomFixture::TableState(uint16_t table, uint8_t locked, uint8_t playing)
{
    Bytes b;
    PutU16(b, table);
    b.push_back(locked);
    b.push_back(playing);
    return b;
}

Bytes RoomFixture::StatusOf(uint32_t user, uint16_t table, uint16_t chair, uint8_t status)
{
    Bytes b;
    PutU32(b, user);
    PutU16(b, table);
    PutU16(b, chair);
    b.push_back(status);
    b.resize(25, 0);
    return b;
}

int RoomFixture::CountDialogs()
{
    int count = 0;
    if (CCArray* children = WindyTopLayer::sharedTopLayer()->getChildren())
        for (unsigned int i = 0; i < children->count(); ++i)
            count += dynamic_cast<Dialog*>(static_cast<CCNode*>(children->objectAtIndex(i))) != nullptr ? 1 : 0;
    return count;
}

Dialog* RoomFixture::TopDialog()
{
    Dialog* top = nullptr;
    if (CCArray* children = WindyTopLayer::sharedTopLayer()->getChildren())
        for (unsigned int i = 0; i < children->count(); ++i)
            if (auto* dialog = dynamic_cast<Dialog*>(static_cast<CCNode*>(children->objectAtIndex(i))))
                top = dialog;
    return top;
}

std::string RoomFixture::LastDialogText()
{
    std::string text;
    if (CCArray* children = WindyTopLayer::sharedTopLayer()->getChildren())
    {
        for (unsigned int i = 0; i < children->count(); ++i)
        {
            auto* dialog = dynamic_cast<Dialog*>(static_cast<CCNode*>(children->objectAtIndex(i)));
            CCNode* frame = dialog != nullptr ? dialog->getChildByTag(Dialog::kTagFrame) : nullptr;
            auto* label =
                frame != nullptr ? dynamic_cast<CCLabelTTF*>(frame->getChildByTag(Dialog::kTagText)) : nullptr;
            if (label != nullptr)
                text = label->getString();
        }
    }
    return text;
}

bool RoomFixture::HasStandIn(CCNode* node)
{
    if (node == nullptr)
        return false;
    if (auto* sprite = dynamic_cast<CCSprite*>(node); sprite != nullptr && sprite->isStandIn())
        return true;
    if (CCArray* children = node->getChildren())
        for (unsigned int i = 0; i < children->count(); ++i)
            if (HasStandIn(static_cast<CCNode*>(children->objectAtIndex(i))))
                return true;
    return false;
}

}  // namespace roomtest
