# CocoStudio: the UI reader and widgets (cocos2d::ui), layout animations and
# armatures (cocos2d::extension). Reached through "cocos-ext.h".
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/JsonHelper.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TweenFunction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UIWidget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UILayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UIButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UIImageView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UIText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UIScrollView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UITouchGroup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UIAction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GUIReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CCArmatureData.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CCArmature.cpp
)
target_include_directories(engine PUBLIC ${CMAKE_CURRENT_LIST_DIR})
# The JSON reader's headers are public only through UIAction.h's forward declarations.
target_link_libraries(engine PUBLIC kest::rapidjson)
