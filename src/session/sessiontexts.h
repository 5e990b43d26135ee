// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The words of the session, all in sessiontexts.cpp: the buttons' captions,
// which also name their steps in the undo history, the other steps' names
// and the entries that undo and redo them, and the session's questions.
namespace SessionTexts {

QString storeCaption();
QString fillCaption();
QString clearCaption();
QString deleteNamesCaption();
QString leaveFreeCaption();

QString buttonStep(const QString &caption);
QString classNameEdit();
QString pupilNameEdit(int pupil);
QString namesPasted();
QString deskPick(int desk);
QString swapBetween(int desk, int other);
QString swapFrom(int desk);

QString unstoredQuestion(const QString &classTitle);
QString storeNamesQuestion();

// The entries that undo and redo a step. A No to the question is a step
// named for what its undo does, which its entry says alone.
QString undoEntry(const QString &step);
QString redoEntry(const QString &step);
QString discardedStep();
QString redoDiscard();

} // namespace SessionTexts
