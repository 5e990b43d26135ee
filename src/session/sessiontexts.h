// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "seatingproblem.h"

#include <QString>

// The words of the session, all in sessiontexts.cpp: the buttons' captions,
// which also name their steps in the undo history, the other steps' names
// and the entries that undo and redo them, the session's questions, and the
// read-only copy's words.
namespace SessionTexts {

QString storeCaption();
QString fillCaption();
QString clearCaption();
QString deleteNamesCaption();
QString leaveFreeCaption();
QString reseatCaption();

QString buttonStep(const QString &caption);
QString classNameEdit();
QString pupilNameEdit(int pupil);
QString namesPasted();
QString importStep();
QString deskPick(int desk);
QString swapBetween(int desk, int other);
QString swapFrom(int desk);
QString unstoredRestored();
QString restoreStep();
QString clearHistoryStep();
QString clearHistoryQuestion(const QString &classTitle);

QString unstoredQuestion(const QString &classTitle);

// The start-up's questions that may leave the copy read-only, and their answers.
QString otherComputerQuestion(const QString &openOnOtherComputer);
QString openReadOnly();
QString openAnyway();
QString mostlyUnreadQuestion(const QString &filePath, const QString &copyPath);
QString leaveFile();
QString startAfresh();

// Why the copy is read-only, short and lower case.
QString openElsewhere();
QString openOnComputer(const QString &host);
QString leftAsItWas();

QString storedInMemoryOnly();
QString readOnlyCloseQuestion();
QString closeWithoutSaving();

// What a store did to the class's seating rules.
QString ruleKind(SeatingRule::Kind kind);
QString ruleRenamed(SeatingRule::Kind kind, const QString &name, const QString &before);
QString ruleRemoved(SeatingRule::Kind kind, const QString &name);
QString rulesOfOldPupilsRemoved(int count);
QString rulesTitle();

// The steps of the rules dialog.
QString ruleAdded();
QString ruleDeleted();

QString storeNamesQuestion();

// The entries that undo and redo a step. A No to the question is a step
// named for what its undo does, which its entry says alone.
QString undoEntry(const QString &step);
QString redoEntry(const QString &step);
QString discardedStep();
QString redoDiscard();

} // namespace SessionTexts
