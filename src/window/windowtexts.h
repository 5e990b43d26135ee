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

QString undo(const QString &step);
QString redo(const QString &step);
QString print();
QString openFolder();

// The room's menu, its button and its entries' one-line tooltips.
QString menu();
QString menuTip();
QString printTip();
QString openFolderTip(const QString &folder, bool fileWritten);
QString folderNotOpened(const QString &folder);
QString storeTip();
QString help();
QString helpTip();
QString helpTitle();
QString about();
QString aboutTip();
QString aboutText(const QString &filePath);
QString quit();
QString quitTip();

// The buttons' tooltips, one line each.
QString clearTip();
QString fillTip();
QString deleteNamesTip();

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
