#include "KernelFixture.h"

#include "games/framework/GameKindTable.h"
#include "games/framework/modules/GameModules.h"

#include <map>

using namespace Sexy;
using kt::KernelTest;

namespace {

// Pictures each kind's module waits for before the game may start.
const std::map<uint16_t, uint32_t> kExpectedImages = {
    {102, 9}, {27, 8},  {28, 8},  {106, 3}, {110, 3}, {233, 8}, {19, 7},  {401, 2}, {308, 2},
    {10, 2},  {404, 6}, {122, 5}, {104, 4}, {114, 1}, {200, 9}, {350, 4}, {108, 9}, {9, 9},
};

void FinishLoads() { cocos2d::CCTextureCache::sharedTextureCache()->waitForAsync(); }

}  // namespace

class GameModules : public KernelTest
{
protected:
    void SetUp() override
    {
        KernelTest::SetUp();
        InstallGameModules();
    }
};

TEST_F(GameModules, EveryKindMakesItsModuleWithItsImageCount)
{
    ASSERT_EQ(kExpectedImages.size(), kGameKindCount);
    for (const GameKindInfo& info : kGameKinds)
    {
        const GameKindEntry* entry = FindGameKindEntry(info.wKindID);
        ASSERT_NE(entry, nullptr) << info.wKindID;
        CGameKindModule* module = entry->makeModule();
        ASSERT_NE(module, nullptr) << info.wKindID;
        EXPECT_EQ(module->GetExpectedImageCount(), kExpectedImages.at(info.wKindID)) << info.wKindID;
        EXPECT_EQ(module->GetLoadedImageCount(), 0u);
        module->release();
        // Only the two kinds that borrow the landlord module create their game themselves.
        EXPECT_EQ(entry->createGame != nullptr, info.wKindID == 9 || info.wKindID == 108) << info.wKindID;
    }
}

TEST_F(GameModules, EveryKindLoadsReportsReadyOnceAndEntersItsGame)
{
    room.ready = false;
    for (const GameKindInfo& info : kGameKinds)
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
        EXPECT_EQ(Boxes(), 0u);
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
