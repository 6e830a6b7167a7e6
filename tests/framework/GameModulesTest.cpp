#include "KernelFixture.h"
#include "games/framework/PlainGameBoard.h"

#include "games/registry/GameRegistry.h"

#include <map>
#include <string>
#include <vector>

using namespace Sexy;
using kt::KernelTest;

namespace {

// Pictures each kind's module waits for before the game may start.
const std::map<uint16_t, uint32_t> kExpectedImages = {
    {102, 9}, {27, 8},  {28, 8},  {106, 3}, {110, 3}, {233, 8}, {19, 7},  {401, 2}, {308, 2},
    {10, 2},  {404, 6}, {122, 5}, {104, 4}, {114, 1}, {200, 9}, {350, 4}, {108, 9}, {9, 9},
};

std::vector<GameKindModuleInfo> Kinds()
{
    size_t count = 0;
    const GameKindModuleInfo* kinds = games::GetGameKinds(count);
    return std::vector<GameKindModuleInfo>(kinds, kinds + count);
}

void FinishLoads() { cocos2d::CCTextureCache::sharedTextureCache()->waitForAsync(); }

}  // namespace

class GameModules : public KernelTest
{
protected:
    void SetUp() override
    {
        KernelTest::SetUp();
        games::InstallGameKinds();
    }
};

TEST_F(GameModules, EveryKindMakesItsModuleWithItsImageCount)
{
    ASSERT_EQ(kExpectedImages.size(), Kinds().size());
    for (const GameKindModuleInfo& info : Kinds())
    {
        const GameKindModuleInfo* entry = FindGameKindEntry(info.wKindID);
        ASSERT_NE(entry, nullptr) << info.wKindID;
        CGameKindModule* module = entry->makeModule();
        ASSERT_NE(module, nullptr) << info.wKindID;
        EXPECT_EQ(module->GetExpectedImageCount(), kExpectedImages.at(info.wKindID)) << info.wKindID;
        EXPECT_EQ(entry->dwExpectedImages, kExpectedImages.at(info.wKindID)) << info.wKindID;
        EXPECT_EQ(module->GetLoadedImageCount(), 0u);
        module->release();
        // Only the two kinds that borrow the landlord module create their game themselves.
        EXPECT_EQ(entry->createGame != nullptr, info.wKindID == 9 || info.wKindID == 108) << info.wKindID;
    }
}

TEST_F(GameModules, EveryKindLoadsReportsReadyOnceAndEntersItsGame)
{
    room.ready = false;
    for (const GameKindModuleInfo& info : Kinds())
    {
        SCOPED_TRACE(info.pszModule);
        Configure(3, info.wKindID);
        const auto record = KindRecord(info.wKindID);
        room.readySignals = 0;
        kernel->LoadGameResources(record.data());
        FinishLoads();
        // Many of these pictures do not exist here: the answers come all the same.
        EXPECT_EQ(room.readySignals, 1);
        kernel->EnterGame(record.data());
        ASSERT_NE(kernel->GetGameBoard(), nullptr);
        EXPECT_NE(kernel->GetGameHandler(), nullptr);
        EXPECT_TRUE(Enter(1000, 0));
        EXPECT_TRUE(kernel->OnChannelMessage(IPC_MAIN_CONFIG, IPC_SUB_SHOW_GAME));
        EXPECT_TRUE(Packet(MDM_GF_GAME, 100, {1, 2, 3}));
        // The plain table takes any message; a game's own handler refuses a
        // message of the wrong size, which the kernel reports.
        if (dynamic_cast<CPlainGameBoard*>(kernel->GetGameBoard()) != nullptr)
        {
            EXPECT_EQ(Boxes(), 0u);
        }
        cocos2d::CCMessageBoxClearHistory();
        kernel->ResetGameKernel();
        room.ready = false;
        Step();
    }
}

TEST_F(GameModules, OxNewCountsEightOfTheNineBullPictures)
{
    cocos2d::CCTextureCache* cache = cocos2d::CCTextureCache::sharedTextureCache();
    const auto ox27 = KindRecord(27);
    kernel->LoadGameResources(ox27.data());
    EXPECT_EQ(cache->pendingAsyncCount(), 9u);  // eight counted and the number sheet
    FinishLoads();
    EXPECT_EQ(kernel->GetKindModule(27)->GetLoadedImageCount(), 8u);
    EXPECT_EQ(room.readySignals, 1);
}

TEST_F(GameModules, LandlordUnloadKeepsTheSharedCardFrames)
{
    const auto land = KindRecord(200);
    kernel->LoadGameResources(land.data());
    FinishLoads();
    cocos2d::CCSpriteFrameCache* frames = cocos2d::CCSpriteFrameCache::sharedSpriteFrameCache();
    ASSERT_NE(frames->spriteFrameByName("Card-0"), nullptr);
    kernel->UnloadGameResources(200);
    EXPECT_NE(frames->spriteFrameByName("Card-0"), nullptr);
}

// The registry's one table: every module kind once, with the name the hall
// shows; kinds without a module are not in it.
TEST(GameRegistry, KindsAreListedOnceWithTheirNames)
{
    const std::map<uint16_t, std::string> names = {
        {9, "三公"},       {10, "二人麻将"}, {19, "梭哈"},    {27, "牛牛"},      {28, "通比牛牛"}, {102, "抢庄牛牛"},
        {104, "百人牛牛"}, {106, "红九"},    {108, "碰碰车"}, {110, "小九"},     {114, "赛马"},    {122, "百家乐"},
        {200, "斗地主"},   {233, "双扣"},    {308, "麻将"},   {350, "德州扑克"}, {401, "五子棋"},  {404, "四方神兽"},
    };
    std::map<uint16_t, int> seen;
    for (const GameKindModuleInfo& info : Kinds())
    {
        ++seen[info.wKindID];
        ASSERT_EQ(names.count(info.wKindID), 1u) << info.wKindID;
        EXPECT_EQ(info.pszName, names.at(info.wKindID));
        EXPECT_EQ(games::FindGameKind(info.wKindID)->pszModule, std::string(info.pszModule));
    }
    EXPECT_EQ(seen.size(), names.size());
    for (const auto& [kind, count] : seen)
        EXPECT_EQ(count, 1) << kind;
    for (uint16_t outside : {0, 1, 2055, 2060, 2070, 2075, 2080, 65535})
        EXPECT_EQ(games::FindGameKind(outside), nullptr) << outside;
}
