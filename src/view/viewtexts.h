// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The words of the view, all in viewtexts.cpp: what the desks' lists and the
// message boxes show, and how a desk and a class are named to the teacher.

namespace SeatList {
constexpr int Blank = 0;
constexpr int Marker = 1;
constexpr int FirstPupil = 2;
QString markerText();
} // namespace SeatList

// The titles of the program's message boxes.
namespace MessageTitle {
QString error();
QString warning();
} // namespace MessageTitle

// The answers of the program's plain message boxes.
namespace AnswerText {
QString ok();
QString yes();
QString no();
QString cancel();
} // namespace AnswerText

namespace ViewTexts {
// A desk nobody sits at, and one marked not to be used.
QString freeDesk();
QString unusedDesk();
// A class not named yet, by its tab.
QString unnamedClass(int tab);
} // namespace ViewTexts
