// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The words of the printed plan and of its preview, all in printtexts.cpp.
namespace PrintTexts {

QString previewTitle(const QString &classTitle);
// The two ways round, in the preview's choice and its tooltip.
QString pupilsViewChoice();
QString teacherViewChoice();
QString orientationTip();
// The line under the title of the page, saying which way round it is drawn.
QString pupilsViewCaption();
QString teacherViewCaption();
QString printedOn(const QString &date);
QString teacherDesk();
QString unseated(const QStringList &names);
QString savePdf();
QString savePdfTip();
QString savePdfTitle();
QString pdfFilter();
QString pdfNotSaved(const QString &path);
QString viewLabel();
QString documentName(const QString &classTitle);

} // namespace PrintTexts
