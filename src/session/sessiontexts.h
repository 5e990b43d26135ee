// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
QString deskPick(int desk);
QString swapBetween(int desk, int other);
QString swapFrom(int desk);
QString unstoredRestored();

QString unstoredQuestion(const QString &classTitle);

} // namespace SessionTexts
