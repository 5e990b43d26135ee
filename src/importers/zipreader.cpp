// SPDX-License-Identifier: GPL-3.0-or-later
#include "zipreader.h"

#include "importmessages.h"
#include "odsreader.h"
#include "xlsxreader.h"

#include <QBuffer>

#include <quazip.h>
#include <quazipfile.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace ZipReader {
namespace {

constexpr qint64 ChunkBytes = 64 * 1024;

class Archive
{
public:
    explicit Archive(const QByteArray &bytes)
        : m_buffer()
        , m_zip(&m_buffer)
    {
        m_buffer.setData(bytes);
        m_open = m_zip.open(QuaZip::mdUnzip);
    }

    bool isOpen() const { return m_open; }
    bool overBudget() const { return m_read > ImportLimits::MaxUnpackedBytes; }

    // The part's bytes; nothing when it is missing, damaged, or would take
    // the whole reading past the budget.
    std::optional<QByteArray> read(const QString &name)
    {
        if (overBudget() || !m_zip.setCurrentFile(name, QuaZip::csInsensitive))
            return std::nullopt;
        QuaZipFile file(&m_zip);
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        QByteArray bytes;
        while (true) {
            const QByteArray chunk = file.read(ChunkBytes);
            m_read += chunk.size();
            if (overBudget() || file.getZipError() != UNZ_OK)
                return std::nullopt;
            if (chunk.isEmpty())
                break;
            bytes += chunk;
        }
        file.close();
        if (file.getZipError() != UNZ_OK) // a wrong checksum
            return std::nullopt;
        return bytes;
    }

private:
    QBuffer m_buffer;
    QuaZip m_zip;
    qint64 m_read = 0;
    bool m_open = false;
};

bool isOds(Archive &archive)
{
    if (const auto type = archive.read(u"mimetype"_s))
        return type->trimmed().startsWith("application/vnd.oasis.opendocument.spreadsheet");
    const auto manifest = archive.read(u"META-INF/manifest.xml"_s);
    return manifest && manifest->contains("application/vnd.oasis.opendocument.spreadsheet\"");
}

Workbook readOds(Archive &archive)
{
    const auto content = archive.read(u"content.xml"_s);
    if (!content) {
        return Workbook::failure(archive.overBudget()
                                     ? ImportMessages::unpackedTooLarge()
                                     : ImportMessages::damaged(ImportMessages::odsFormat()));
    }
    return OdsReader::read(*content);
}

} // namespace

Workbook read(const QByteArray &bytes)
{
    Archive archive(bytes);
    if (!archive.isOpen())
        return Workbook::failure(ImportMessages::notAList());
    if (isOds(archive))
        return readOds(archive);
    if (archive.overBudget())
        return Workbook::failure(ImportMessages::unpackedTooLarge());
    const auto contentTypes = archive.read(u"[Content_Types].xml"_s);
    if (!contentTypes) {
        return Workbook::failure(archive.overBudget() ? ImportMessages::unpackedTooLarge()
                                                      : ImportMessages::zipNotASpreadsheet());
    }
    Workbook workbook = XlsxReader::read(
        *contentTypes, [&archive](const QString &name) { return archive.read(name); });
    if (archive.overBudget())
        return Workbook::failure(ImportMessages::unpackedTooLarge());
    return workbook;
}

} // namespace ZipReader
