// SPDX-License-Identifier: GPL-3.0-or-later
#include "qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::StringLiterals;

bool QtTranslations::installItalian()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    auto *translator = new QTranslator(QCoreApplication::instance());
    // Linux distributions keep them in Qt's own folder; a deployed Windows or
    // macOS program carries them in a folder beside the executable.
    for (const QString &folder : {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                  QCoreApplication::applicationDirPath() + u"/translations"_s}) {
        if (translator->load(u"qtbase_it"_s, folder))
            return QCoreApplication::installTranslator(translator);
    }
    delete translator;
    return false;
}
