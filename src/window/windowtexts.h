// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The words of the window, all in windowtexts.cpp: its title, what screen
// readers call its controls, its menus, the buttons of its message boxes and
// the hints of the name boxes. The buttons' captions are the session's.
namespace WindowTexts {

QString title();
QString pupilBox(int pupil);
QString classNameBox();
QString classes();
QString desk(int desk);

QString print();
QString leaveFreeTip();
QString openFolder();

// The name boxes' own menu.
QString undoTyping();
QString redoTyping();
QString cut();
QString copy();
QString paste();
QString erase();
QString selectAll();

// The hints of the name boxes; a refusal ends with what was refused, in the
// words of refused().
QString listIntoClassName();
QString nothingPasted(int line, const QString &refused);
QString pasted(int names, int dropped);
QString refusedCharacter(const QString &refused);
QString refusedCharacters();
QString comma();
QString quotes();
QString tab();
QString lineBreak();
QString controlCharacter(const QString &codePoint);
QString notInFile(const QString &character);

} // namespace WindowTexts
