# Core nodes of the second half (namespace cocos2d, reached through
# "cocos2d.h"): menus, progress timers, clipping, scene transitions.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CCMenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CCProgressTimer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CCClippingNode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CCTransition.cpp
)
target_include_directories(engine PUBLIC ${CMAKE_CURRENT_LIST_DIR})
