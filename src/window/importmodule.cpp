// SPDX-License-Identifier: GPL-3.0-or-later
#include "importmodule.h"

#include "importengine.h"
#include "modulefolders.h"
#include "windowtexts.h"

#include <QDir>
#include <QPluginLoader>

using namespace Qt::StringLiterals;

namespace ImportModule {

const ImportEngine *engine(QString *error)
{
    static QString failure;
    static const ImportEngine *const loaded = []() -> const ImportEngine * {
        for (const QString &folder : ModuleFolders::all()) {
            // The platform's suffix (.so, .dll) is the loader's to add.
            QPluginLoader loader(QDir(folder).filePath(u"posti_import"_s));
            if (loader.fileName().isEmpty())
                continue;
            if (auto *engine = qobject_cast<ImportEngine *>(loader.instance()))
                return engine;
            failure = loader.errorString();
        }
        if (failure.isEmpty())
            failure = WindowTexts::moduleNotFound();
        return nullptr;
    }();
    if (!loaded && error)
        *error = WindowTexts::moduleMissing(failure);
    return loaded;
}

} // namespace ImportModule
