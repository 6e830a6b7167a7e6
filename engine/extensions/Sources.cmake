# Extension widgets (cocos2d::extension): nine-slice sprites, controls,
# scroll and table views. Reached through "cocos-ext.h".
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CCScale9Sprite.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CCControl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CCControlButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CCScrollView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CCTableView.cpp
)
target_include_directories(engine PUBLIC ${CMAKE_CURRENT_LIST_DIR})
