// The layer drawn above every scene: dialogs shown from anywhere, the loading
// spinner and the loudspeaker ticker.
#pragma once

#include "cocos2d.h"

#include <deque>
#include <string>

class WindyTopLayer : public cocos2d::CCLayer
{
public:
    enum
    {
        kTagLoading = 9901,
        kTagTicker = 9902
    };
    static constexpr float kTickerHeight = 26;
    static constexpr float kTickerSpeed = 90;    // points a second
    static constexpr float kTickerShare = 0.5f;  // of the visible width
    static constexpr float kTickerTopGap = 4;

    // Made on first use and handed to the director as its top layer.
    static WindyTopLayer* sharedTopLayer();

    // Adds the spinner when it is not shown; hideLoading removes it.
    void showLoading();
    void hideLoading();
    bool isLoadingShown();

    // Re-places the spinner and the ticker for the visible size.
    void relayout();

    // Queues a GBK line for the ticker; lines run one after another.
    void pushMessage(const std::string& gbkText);
    size_t getQueuedMessageCount() const { return m_messages.size(); }
    bool isTickerRunning() const { return m_bTickerRunning; }

private:
    WindyTopLayer() = default;
    void clearContents();
    void startNextMessage();
    void tickTicker(float dt);

    std::deque<std::string> m_messages;
    cocos2d::CCLayerColor* m_pTicker = nullptr;
    cocos2d::CCLabelTTF* m_pTickerLabel = nullptr;
    bool m_bTickerRunning = false;
};
