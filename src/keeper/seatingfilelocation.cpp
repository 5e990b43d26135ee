// SPDX-License-Identifier: GPL-3.0-or-later
#include "seatingfilelocation.h"

#include "datafolder.h"
#include "folderprobe.h"
#include "keepermessages.h"
#include "seatingfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString inDataFolder()
{
    const QString folder = DataFolder::ensure();
    return QDir(folder.isEmpty() ? DataFolder::location() : folder)
        .filePath(SeatingFile::fileName());
}

} // namespace

SeatingFileLocation SeatingFileLocation::find(const QString &programFolder)
{
    const QFileInfo folder(programFolder);
    if (!folder.isAbsolute() || !folder.isDir()) {
        const QString path = inDataFolder();
        return {path, KeeperMessages::programFolderUnknown(path)};
    }
    const QString beside = QDir(folder.absoluteFilePath()).filePath(SeatingFile::fileName());
    // A file already there is the teacher's, writable or not: the start-up
    // warns about it as it always has.
    const QFileInfo file(beside);
    if (file.exists() || file.isSymLink() || FolderProbe::whyNotWritable(beside).isEmpty())
        return {beside, QString()};
    // An installed program. Should the data folder fail too, the file stays
    // beside the program, and the start-up says that nothing can be kept.
    if (!DataFolder::whyCannotTakeFile().isEmpty())
        return {beside, QString()};
    return {inDataFolder(), QString()};
}

SeatingFileLocation SeatingFileLocation::forThisProgram()
{
    return find(QCoreApplication::applicationDirPath());
}
