#include "platform/Clipboard.h"
#include "platform/Cursor.h"
#include "platform/WindowIcon.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace platform;

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

TEST(WindowIcon, NeedsAWindow) { EXPECT_FALSE(platform::SetWindowIcon("/nonexistent/icon.png")); }

TEST(Clipboard, CopyThenPasteGivesTheText)
{
    ASSERT_TRUE(SetClipboardText("参数 123"));
    EXPECT_EQ(GetClipboardText(), "参数 123");
}
