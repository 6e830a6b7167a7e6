#include "platform/Clipboard.h"
#include "platform/Cursor.h"
#include "platform/Window.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace platform;

TEST(WindowMessages, MouseAndKeysBecomeTheMessagesTheHooksExpect)
{
    WindowMessage out[2];
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 40;
    e.motion.y = 700;
    ASSERT_EQ(TranslateEvent(e, out), 2);
    EXPECT_EQ(out[0].type, WindowMessageType::SetCursor);
    EXPECT_EQ(out[1].type, WindowMessageType::MouseMove);
    EXPECT_EQ(out[1].x, 40);
    EXPECT_EQ(out[1].y, 700);

    e = SDL_Event{};
    e.type = SDL_MOUSEBUTTONUP;
    e.button.button = SDL_BUTTON_RIGHT;
    e.button.x = 5;
    ASSERT_EQ(TranslateEvent(e, out), 1);
    EXPECT_EQ(out[0].type, WindowMessageType::RButtonUp);
    e.button.button = SDL_BUTTON_LEFT;
    EXPECT_EQ(TranslateEvent(e, out), 0);

    e = SDL_Event{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.clicks = 1;
    EXPECT_EQ(TranslateEvent(e, out), 0);
    e.button.clicks = 2;
    ASSERT_EQ(TranslateEvent(e, out), 1);
    EXPECT_EQ(out[0].type, WindowMessageType::LButtonDblClk);

    e = SDL_Event{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = -2;
    e.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
    ASSERT_EQ(TranslateEvent(e, out), 1);
    EXPECT_EQ(out[0].delta, 240);

    e = SDL_Event{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = SDLK_TAB;
    ASSERT_EQ(TranslateEvent(e, out), 1);
    EXPECT_EQ(out[0].key, 9);
    e.key.keysym.sym = SDLK_KP_ENTER;
    ASSERT_EQ(TranslateEvent(e, out), 1);
    EXPECT_EQ(out[0].key, 13);
    e.key.keysym.sym = SDLK_c;
    EXPECT_EQ(TranslateEvent(e, out), 0);  // plain 'c' is typing, not copy
    e.key.keysym.mod = KMOD_LCTRL;
    ASSERT_EQ(TranslateEvent(e, out), 1);
    EXPECT_EQ(out[0].key, 'C');
}

TEST(WindowMessages, WindowCallsWithoutAWindowFail)
{
    SetMainWindow(nullptr);
    Rect rect;
    EXPECT_FALSE(GetWindowRect(rect));
    EXPECT_FALSE(SetWindowRect(Rect{0, 0, 100, 100}));
    MinimizeWindow();  // no window: nothing happens
}

TEST(Cursors, PicturesBecome48PixelCursorsAndNullHidesThePointer)
{
    EXPECT_EQ(LoadCursorFromFile("/nonexistent/chip.png", 0, 0), nullptr);

    char path[] = "/tmp/kest-cursor-XXXXXX.png";
    int fd = mkstemps(path, 4);
    ASSERT_GE(fd, 0);
    close(fd);
    SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_RGBA32);
    SDL_FillRect(picture, nullptr, SDL_MapRGBA(picture->format, 200, 30, 30, 255));
    ASSERT_EQ(IMG_SavePNG(picture, path), 0);
    SDL_FreeSurface(picture);

    Cursor* chip = LoadCursorFromFile(path, 24, 24);
    ASSERT_NE(chip, nullptr);
    EXPECT_EQ(GetCursorSource(chip), path);
    SetCursor(chip);
    EXPECT_EQ(GetCursor(), chip);
    SetCursor(nullptr);
    EXPECT_EQ(GetCursor(), nullptr);
    SetCursor(GetArrowCursor());
    EXPECT_EQ(GetCursorSource(GetCursor()), "arrow");
    std::remove(path);
}

TEST(Clipboard, CopyThenPasteGivesTheText)
{
    ASSERT_TRUE(SetClipboardText("参数 123"));
    EXPECT_EQ(GetClipboardText(), "参数 123");
}
