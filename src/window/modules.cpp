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

// The module called name, loaded the first time it is asked for and kept;
// nullptr when it cannot be loaded, error (when given) then saying why in
// missing's words.
template <typename Engine>
const Engine *loadedOnce(const QString &name, QString (*missing)(const QString &), QString *error)
{
    static QString failure;
    static const Engine *const loaded = load<Engine>(name, failure);
    if (!loaded && error)
        *error = missing(failure);
    return loaded;
}

} // namespace

namespace ImportModule {

const ImportEngine *engine(QString *error)
{
    return loadedOnce<ImportEngine>(u"posti_import"_s, WindowTexts::moduleMissing, error);
}

} // namespace ImportModule

namespace PrintModule {

const PrintEngine *engine(QString *error)
{
    return loadedOnce<PrintEngine>(u"posti_printing"_s, WindowTexts::printModuleMissing, error);
}

} // namespace PrintModule
