// SPDX-License-Identifier: GPL-3.0-or-later
#include "safexml.h"

#include "importmessages.h"

SafeXml::SafeXml(const QByteArray &bytes)
    : QXmlStreamReader(bytes)
{
    setNamespaceProcessing(true);
}

QXmlStreamReader::TokenType SafeXml::next()
{
    const TokenType token = readNext();
    if (token == DTD) {
        m_declarations = true;
        raiseError(ImportMessages::xmlDeclarations());
        return Invalid;
    }
    return token;
}

bool SafeXml::nextStart()
{
    while (!atEnd()) {
        if (next() == StartElement)
            return true;
    }
    return false;
}

QStringView SafeXml::attribute(QStringView localName) const
{
    for (const QXmlStreamAttribute &attribute : attributes()) {
        if (attribute.name() == localName)
            return attribute.value();
    }
    return {};
}

QString SafeXml::problem(const QString &format) const
{
    if (!hasError())
        return QString();
    return m_declarations ? ImportMessages::xmlDeclarations() : ImportMessages::damaged(format);
}
