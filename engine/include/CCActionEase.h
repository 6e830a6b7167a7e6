#ifndef KEST_CC_ACTION_EASE_H
#define KEST_CC_ACTION_EASE_H

// Eases: the inner action's time is remapped by a curve.

#include "CCActionInterval.h"

NS_CC_BEGIN

class CCActionEase : public CCActionInterval {
 public:
  ~CCActionEase() override;
  static CCActionEase* create(CCActionInterval* pAction);
  bool initWithAction(CCActionInterval* pAction);
  void startWithTarget(CCNode* pTarget) override;
  void stop() override;
  void update(float time) override;
  CCActionInterval* reverse() override;
  CCActionInterval* getInnerAction() { return m_pInner; }

 protected:
  CCActionInterval* m_pInner = nullptr;
};

class CCEaseRateAction : public CCActionEase {
 public:
  static CCEaseRateAction* create(CCActionInterval* pAction, float fRate);
  bool initWithAction(CCActionInterval* pAction, float fRate);
  void setRate(float rate) { m_fRate = rate; }
  float getRate() { return m_fRate; }

 protected:
  float m_fRate = 1;
};

#define KEST_CC_EASE_RATE(Name)                                  \
  class Name : public CCEaseRateAction {                         \
   public:                                                       \
    static Name* create(CCActionInterval* pAction, float fRate); \
    void update(float time) override;                            \
    CCActionInterval* reverse() override;                        \
  };

KEST_CC_EASE_RATE(CCEaseIn)
KEST_CC_EASE_RATE(CCEaseOut)
KEST_CC_EASE_RATE(CCEaseInOut)

#define KEST_CC_EASE(Name)                          \
  class Name : public CCActionEase {                \
   public:                                          \
    static Name* create(CCActionInterval* pAction); \
    void update(float time) override;               \
    CCActionInterval* reverse() override;           \
  };

KEST_CC_EASE(CCEaseExponentialIn)
KEST_CC_EASE(CCEaseExponentialOut)
KEST_CC_EASE(CCEaseExponentialInOut)
KEST_CC_EASE(CCEaseSineIn)
KEST_CC_EASE(CCEaseSineOut)
KEST_CC_EASE(CCEaseSineInOut)
KEST_CC_EASE(CCEaseBounceIn)
KEST_CC_EASE(CCEaseBounceOut)
KEST_CC_EASE(CCEaseBounceInOut)
KEST_CC_EASE(CCEaseBackIn)
KEST_CC_EASE(CCEaseBackOut)
KEST_CC_EASE(CCEaseBackInOut)

class CCEaseElastic : public CCActionEase {
 public:
  bool initWithAction(CCActionInterval* pAction, float fPeriod = 0.3f);
  float getPeriod() { return m_fPeriod; }
  void setPeriod(float fPeriod) { m_fPeriod = fPeriod; }

 protected:
  float m_fPeriod = 0.3f;
};

#define KEST_CC_EASE_ELASTIC(Name)                                        \
  class Name : public CCEaseElastic {                                     \
   public:                                                                \
    static Name* create(CCActionInterval* pAction, float fPeriod = 0.3f); \
    void update(float time) override;                                     \
    CCActionInterval* reverse() override;                                 \
  };

KEST_CC_EASE_ELASTIC(CCEaseElasticIn)
KEST_CC_EASE_ELASTIC(CCEaseElasticOut)
KEST_CC_EASE_ELASTIC(CCEaseElasticInOut)

#undef KEST_CC_EASE_RATE
#undef KEST_CC_EASE
#undef KEST_CC_EASE_ELASTIC

// The curves themselves, for tests and for actions that ease by hand.
namespace ease {
float bounceOut(float t);
float bounceIn(float t);
float bounceInOut(float t);
float backIn(float t);
float backOut(float t);
float backInOut(float t);
float elasticIn(float t, float period);
float elasticOut(float t, float period);
float elasticInOut(float t, float period);
}  // namespace ease

NS_CC_END

#endif
