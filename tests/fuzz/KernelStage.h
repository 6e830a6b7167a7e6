// The stage of the fuzzers that drive a game: the room stand-in and its
// helpers (GameRoomStage.h) and the running scene on the UI stage.
#pragma once

#include "cocos2d.h"
#include "fuzz/GameRoomStage.h"
#include "fuzz/UiStage.h"

namespace fuzzstage {

// The running scene, made once; frames run without drawing.
inline cocos2d::CCScene* KernelScene()
{
    static cocos2d::CCScene* scene = nullptr;
    if (scene != nullptr)
        return scene;
    PrepareUi();
    cocos2d::CCDirector* director = cocos2d::CCDirector::sharedDirector();
    scene = cocos2d::CCScene::create();
    scene->retain();
    director->runWithScene(scene);
    director->stepFrames(1);
    director->stopAnimation();
    return scene;
}

}  // namespace fuzzstage
