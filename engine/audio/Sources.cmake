# CocosDenshion::SimpleAudioEngine on SDL2_mixer ("SimpleAudioEngine.h").
target_sources(engine PRIVATE ${CMAKE_CURRENT_LIST_DIR}/SimpleAudioEngine.cpp)
target_include_directories(engine PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(engine PRIVATE kest::sdl2_mixer)
