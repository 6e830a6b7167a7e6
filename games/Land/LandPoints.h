// The landlord table's layout points, read from "Land/Point.xml": a plist
// whose key "point_moblie_list" holds an array of dictionaries, each with a
// "point_moblie" string "x,y" (content-root coordinates).
#pragma once

#include "cocos2d.h"

#include <cstddef>

namespace Land {

// What each entry is for.
enum LandPoint : size_t
{
    kPtClock0 = 0,      // 0..2: clock of view 0, 1, 2
    kPtSeatPanel0 = 3,  // 3..5: seat panels
    kPtStatus0 = 6,     // 6..8: ready signs (in the seat panel's space)
    kPtIdentity0 = 9,   // 9..11: landlord / farmer pictures
    kPtStartButton = 12,
    kPtCallButton1 = 13,  // 13..16: call 1, 2, 3 and no call
    kPtPlayButton = 17,   // 17..22: play, pass, hint, previous plays, trustee, sort
    kPtHandRow0 = 23,     // 23..25: first place of each view's hand row
    kPtCardCount1 = 26,   // 26, 27: card-count labels of views 1 and 2
    kPtBottomBackground = 28,
    kPtBottomCards = 29,
    kPtOutRow1 = 30,    // 30, 31: first and second out-card rows of view 1
    kPtOutRow2 = 32,    // 32, 33: the same for view 2
    kPtSpacing = 34,    // x: my hand's card spacing
    kPtFanRadius = 35,  // x: the deal's fan radius
    kLandPointCount = 36
};

constexpr const char* kPointFile = "Land/Point.xml";

// Reads the file once into points; an entry that is missing or has no comma
// becomes (0, 0) and is logged. Returns the number of entries read well.
size_t ReadLandPoints(const char* file, cocos2d::CCPoint (&points)[kLandPointCount]);

// "x,y" split at the comma, each part read as atoi reads it; false (and
// (0, 0)) without a comma.
bool ParsePointText(const char* text, cocos2d::CCPoint& point);

}  // namespace Land
