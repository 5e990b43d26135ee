// SPDX-License-Identifier: GPL-3.0-or-later
#include "modules.h"

#include "importengine.h"
#include "modulefolders.h"
#include "printengine.h"
#include "windowtexts.h"

#include <QDir>
#include <QPluginLoader>

using namespace Qt::StringLiterals;

namespace {

// The object of the module called name that implements Engine, looked for in
// the module folders in turn; nullptr and the reason in failure when none loads.
template <typename Engine> const Engine *load(const QString &name, QString &failure)
{
    for (const QString &folder : ModuleFolders::all()) {
        // The platform's suffix (.so, .dll) is the loader's to add.
        QPluginLoader loader(QDir(folder).filePath(name));
        if (loader.fileName().isEmpty())
            continue;
        if (auto *engine = qobject_cast<Engine *>(loader.instance()))
            return engine;
        failure = loader.errorString();
    }
    if (failure.isEmpty())
        failure = WindowTexts::moduleNotFound(name);
    return nullptr;
}

} // namespace

namespace ImportModule {

const ImportEngine *engine(QString *error)
{
    static QString failure;
    static const ImportEngine *const loaded = load<ImportEngine>(u"posti_import"_s, failure);
    if (!loaded && error)
        *error = WindowTexts::moduleMissing(failure);
    return loaded;
}

} // namespace ImportModule

namespace PrintModule {

const PrintEngine *engine(QString *error)
{
    static QString failure;
    static const PrintEngine *const loaded = load<PrintEngine>(u"posti_printing"_s, failure);
    if (!loaded && error)
        *error = WindowTexts::printModuleMissing(failure);
    return loaded;
}

} // namespace PrintModule
