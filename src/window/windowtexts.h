// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The words of the window, all in windowtexts.cpp: its title, what screen
// readers call its controls, its menus, the buttons of its message boxes and
// the hints of the name boxes. The buttons' captions are the session's.
namespace WindowTexts {

QString title();
QString readOnlyTitle();
QString readOnlyBar(const QString &reason);
QString pupilBox(int pupil);
QString classNameBox();
QString classes();
QString desk(int desk);
// A desk's description with the rules its pupil breaks.
QString deskWithNote(const QString &occupant, const QString &note);

QString print();
QString leaveFreeTip();
QString reseatTip();
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
QString pasted(int names, int dropped);
QString refusedCharacter(const QString &refused);
QString refusedCharacters();
QString comma();
QString quotes();
QString tab();
QString lineBreak();
QString controlCharacter(const QString &codePoint);
QString notInFile(const QString &character);

// The paste by the importers' rules, and a typed letter folded.
QString typedFold(const QString &typed, const QString &written);

// A module of the program that cannot be loaded: the importers', printing.
QString moduleNotFound(const QString &module);
QString moduleMissing(const QString &reason);
QString printModuleMissing(const QString &reason);

// "Importa elenco…" and "Esporta…": the menu, the dialogs, the preview.
QString importList();
QString importListTip();
QString importTitle();
QString importFilter();
QString importFailed(const QString &fileName, const QString &reason);
QString sheetPicker();
QString classPicker();
QString classChoice(const QString &className, int pupils);
QString namesFrame();
QString changesFrame();
QString numberedName(int box, const QString &name);
QString noChanges();
QString tooManyPupils(int pupils);
QString importReplaces(int pupils, const QString &newClass, const QString &oldClass, int oldNames,
                       int seated);
QString importButton();
QString cancel();
QString exportPlan();
QString exportPlanTip();
QString exportTitle();
QString exportFilter();
QString exportFileName(const QString &classTitle);
QString exportFailed(const QString &fileName, const QString &reason);

// "Disposizioni precedenti…": the menu entry, the dialog, its two tabs.
QString plansAction();
QString plansActionTip();
QString plansTitle(const QString &classTitle);
QString plansTab();
QString plansList();
QString plansListDescription();
QString noPlans();
QString planRoom();
QString planRoomDescription(const QString &date);
QString deskList();
QString deskListDescription();
// One line of the desk-by-desk list: «Banco 3, fila 2: Rossi Anna».
QString deskLine(int desk, int row, const QString &occupant);
QString formerPupil(const QString &name);
QString restorePlan();
QString restorePlanTip();
QString clearHistory();
QString clearHistoryTip();
QString closePlans();
QString closePlansDescription();
QString matesTab();
QString matesIntro(int plans);
QString matesTable();
QString matesHeader(int column); // Alunno, Compagni, Chi erano
QString noMates();

} // namespace WindowTexts
