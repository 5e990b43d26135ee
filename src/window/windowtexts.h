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
// A desk's description with the rules its pupil breaks.
QString deskWithNote(const QString &occupant, const QString &note);

QString undo(const QString &step);
QString redo(const QString &step);
QString print();
QString openFolder();

// The rules dialog, its menu entry and its controls; captions with their
// mnemonic, accessible names without.
QString rulesAction();
QString rulesActionTip();
QString rulesTitle(const QString &classTitle);
QString rulesList();
QString ruleState(const QString &sentence, bool kept);
QString removeRule();
QString newRule();
QString ruleKind();
QString ruleKinds(int kind); // Separati, Compagni di banco, Davanti, Banco fisso
QString rulePupil();
QString ruleOtherPupil();
QString ruleRows();
QString ruleDesk();
QString addRule();
QString closeRules();
QString pupilChoice(const QString &name, int slot);
QString noStoredNames(const QString &storeCaption);
QString samePupilTwice();
QString ruleThereAlready();
QString withoutMnemonic(const QString &caption);

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
