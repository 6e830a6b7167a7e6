#include "KernelFixture.h"

using namespace Sexy;
using kt::KernelTest;
using kt::TestModule;

namespace {

void FinishLoads() { cocos2d::CCTextureCache::sharedTextureCache()->waitForAsync(); }

}  // namespace

using ModuleTable = KernelTest;

TEST_F(ModuleTable, AKindIsLoadedOnceAndReportsReadyOnceEvenWithMissingPictures)
{
    RegisterGameKind(200, &TestModule::Make);
    const auto record = KindRecord(200);
    kernel->LoadGameResources(record.data());
    kernel->LoadGameResources(record.data());
    EXPECT_EQ(TestModule::made, 1);
    EXPECT_EQ(TestModule::loads, 1);
    EXPECT_EQ(kernel->GetCurrentKind(), 200u);
    FinishLoads();
    EXPECT_EQ(room.readySignals, 1);
    EXPECT_EQ(kernel->GetKindModule(200)->GetLoadedImageCount(), 2u);
}

TEST_F(ModuleTable, BorrowingKindsTakeANewModuleOnEveryLoad)
{
    RegisterGameKind(9, &TestModule::Make, &TestModule::MakeBorrowedGame);
    const auto record = KindRecord(9);
    kernel->LoadGameResources(record.data());
    kernel->LoadGameResources(record.data());
    EXPECT_EQ(TestModule::made, 2);
    EXPECT_EQ(TestModule::loads, 2);
    // The replaced module is still waited for by its pictures.
    EXPECT_EQ(TestModule::destroyed, 0);
    FinishLoads();
    Step();
    EXPECT_EQ(TestModule::destroyed, 1);
    EXPECT_EQ(room.readySignals, 2);

    room.ready = true;
    kernel->EnterGame(record.data());
    EXPECT_EQ(TestModule::games, 1);  // made by the kind's own creator
    EXPECT_NE(kernel->GetGameBoard(), nullptr);
}

TEST_F(ModuleTable, ModulesWithPendingLoadsOutliveTheKernel)
{
    RegisterGameKind(200, &TestModule::Make);
    const auto record = KindRecord(200);
    kernel->LoadGameResources(record.data());
    kernel->removeFromParentAndCleanup(true);
    room.kernel = kernel = nullptr;
    EXPECT_EQ(TestModule::unloads, 1);  // the current kind is unloaded on the way out
    EXPECT_EQ(TestModule::destroyed, 0);
    FinishLoads();
    Step();
    EXPECT_EQ(TestModule::destroyed, 1);
    kernel = Sexy::CBaseKernelLayer::create();  // for the tear-down
    room.kernel = kernel;
    scene->addChild(kernel);
}

TEST_F(ModuleTable, UnloadMakesAMissingModuleAndUnknownKindsDoNothing)
{
    RegisterGameKind(200, &TestModule::Make);
    kernel->UnloadGameResources(200);
    EXPECT_EQ(TestModule::made, 1);
    EXPECT_EQ(TestModule::unloads, 1);
    EXPECT_EQ(TestModule::loads, 0);
    kernel->UnloadGameResources(2060);
    kernel->UnloadGameResources(0x10000 + 200);
    const auto outside = KindRecord(2055);
    kernel->LoadGameResources(outside.data());
    EXPECT_EQ(TestModule::made, 1);
    EXPECT_EQ(TestModule::unloads, 1);
}

TEST_F(ModuleTable, EnteringBeforeTheResourcesAreReadyOnlyShowsTheSpinner)
{
    RegisterGameKind(200, &TestModule::Make);
    const auto record = KindRecord(200);
    kernel->LoadGameResources(record.data());
    EXPECT_TRUE(kernel->EnterGame(record.data()));
    EXPECT_TRUE(WindyTopLayer::sharedTopLayer()->isLoadingShown());
    EXPECT_EQ(kernel->GetGameBoard(), nullptr);
    EXPECT_EQ(room.gameViews, 0);

    FinishLoads();  // the room hears it is ready; it hides the spinner and enters again
    EXPECT_TRUE(room.ready);
    WindyTopLayer::sharedTopLayer()->hideLoading();
    EXPECT_TRUE(kernel->EnterGame(record.data()));
    EXPECT_NE(kernel->GetGameBoard(), nullptr);
    EXPECT_EQ(room.gameViews, 1);
    EXPECT_EQ(kernel->GetGameBoard()->getParent(), kernel);
    EXPECT_EQ(kernel->GetGameBoard()->getZOrder(), CBaseKernelLayer::kBoardZOrder);
}

TEST_F(ModuleTable, OneBoardPerGameUntilTheTableIsReset)
{
    CGameBoard* first = EnterWithBoard(3);
    ASSERT_NE(first, nullptr);
    kt::RecordingHandler* firstHandler = handler.get();
    EXPECT_EQ(kernel->GetGameHandler(), firstHandler);
    const auto record = KindRecord(200);
    kernel->EnterGame(record.data());
    EXPECT_EQ(kernel->GetGameBoard(), first);
    EXPECT_EQ(TestModule::games, 1);
    EXPECT_EQ(room.gameViews, 2);

    kernel->ResetGameKernel();
    kernel->EnterGame(record.data());
    EXPECT_EQ(TestModule::games, 2);
    EXPECT_NE(kernel->GetGameHandler(), nullptr);
    EXPECT_EQ(kernel->GetGameHandler(), handler.get());
    EXPECT_NE(kernel->GetGameBoard(), nullptr);
    EXPECT_EQ(kernel->GetGameBoard()->getParent(), kernel);
}

TEST_F(ModuleTable, AClosedBoardIsNoLongerHeard)
{
    ASSERT_NE(EnterWithBoard(3), nullptr);
    audio.playing = true;
    audio.log.clear();
    kernel->ResetGameKernel();
    EXPECT_EQ(audio.log, (std::vector<std::string>{"stop music", "stop effects"}));
    EXPECT_FALSE(audio.playing);
    // Without a board whatever plays is the room's, and stays.
    audio.playing = true;
    audio.log.clear();
    kernel->ResetGameKernel();
    EXPECT_TRUE(audio.log.empty());
    EXPECT_TRUE(audio.playing);
}

TEST_F(ModuleTable, KindsWithoutAModuleStillShowTheGameView)
{
    room.ready = true;
    const auto record = KindRecord(2055);
    kernel->LoadGameResources(record.data());
    EXPECT_TRUE(kernel->EnterGame(record.data()));
    EXPECT_EQ(kernel->GetGameBoard(), nullptr);
    EXPECT_EQ(room.gameViews, 1);

    const auto notInstalled = KindRecord(350);  // a kind of the table nobody installed
    kernel->LoadGameResources(notInstalled.data());
    EXPECT_TRUE(kernel->EnterGame(notInstalled.data()));
    EXPECT_EQ(kernel->GetGameBoard(), nullptr);
}
