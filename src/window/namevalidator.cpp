// SPDX-License-Identifier: GPL-3.0-or-later
#include "namevalidator.h"

#include "cp1252.h"
#include "importengine.h"
#include "modules.h"
#include "seatingfile.h"
#include "windowtexts.h"

#include <algorithm>

NameValidator::NameValidator(QObject *parent)
    : QValidator(parent)
{}

QValidator::State NameValidator::validate(QString &input, int &pos) const
{
    Q_UNUSED(pos)
    for (const QChar c : std::as_const(input)) {
        if (!SeatingFile::isNameCharacter(c) && input.count(c) > m_allowedText.count(c))
            return Invalid;
    }
    return Acceptable;
}

qsizetype NameValidator::firstRefused(QStringView text)
{
    const auto bad = std::find_if_not(text.begin(), text.end(), SeatingFile::isNameCharacter);
    return bad == text.end() ? -1 : bad - text.begin();
}

QString NameValidator::describeRefused(QStringView text, qsizetype index)
{
    const QChar c = text[index];
    if (c == u',')
        return WindowTexts::comma();
    if (c == u'"')
        return WindowTexts::quotes();
    if (c == u'\t')
        return WindowTexts::tab();
    if (c == u'\r' || c == u'\n')
        return WindowTexts::lineBreak();
    if (c.category() == QChar::Other_Control)
        return WindowTexts::controlCharacter(Cp1252::codePoint(c));
    // Show a character beyond the first 65536 whole, not half of its pair.
    const bool pair =
        c.isHighSurrogate() && index + 1 < text.size() && text[index + 1].isLowSurrogate();
    const QStringView shown = text.mid(index, pair ? 2 : 1);
    return WindowTexts::notInFile(shown.toString());
}

QString NameValidator::foldLetters(const QString &text)
{
    if (firstRefused(text) < 0)
        return text;
    const ImportEngine *engine = ImportModule::engine();
    QString folded;
    for (qsizetype i = 0; i < text.size();) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const QString original = text.mid(i, pair ? 2 : 1);
        i += original.size();
        std::optional<QString> fold;
        if (engine && !SeatingFile::isNameCharacter(original[0]))
            fold = engine->foldCharacter(original.toUcs4().value(0));
        folded += fold && !fold->isEmpty() ? *fold : original;
    }
    return folded;
}
