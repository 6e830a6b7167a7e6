# CocosDenshion::SimpleAudioEngine ("SimpleAudioEngine.h") on the back end's
# sound device.
target_sources(engine PRIVATE ${CMAKE_CURRENT_LIST_DIR}/SimpleAudioEngine.cpp)
target_include_directories(engine PUBLIC ${CMAKE_CURRENT_LIST_DIR})
