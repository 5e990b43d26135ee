// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "seatingproblem.h"

#include <QString>

// The words of the session, all in sessiontexts.cpp: the buttons' captions,
// which also name their steps in the undo history, the other steps' names,
// and the question about changes not stored.
namespace SessionTexts {

QString storeCaption();
QString fillCaption();
QString clearCaption();
QString deleteNamesCaption();

QString buttonStep(const QString &caption);
QString classNameEdit();
QString pupilNameEdit(int pupil);
QString namesPasted();
QString importStep();
QString deskPick(int desk);
QString swapBetween(int desk, int other);
QString swapFrom(int desk);

QString unstoredQuestion(const QString &classTitle);

// What a store did to the class's seating rules.
QString ruleKind(SeatingRule::Kind kind);
QString ruleRenamed(SeatingRule::Kind kind, const QString &name, const QString &before);
QString ruleRemoved(SeatingRule::Kind kind, const QString &name);
QString rulesOfOldPupilsRemoved(int count);
QString rulesTitle();

// The steps of the rules dialog.
QString ruleAdded();
QString ruleDeleted();

} // namespace SessionTexts
