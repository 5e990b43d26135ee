// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <QValidator>

// Keeps a name box to the characters the seating file can hold and any other
// program reading it takes the same way: no commas, double quotes, control
// characters or characters outside Windows-1252 (see SeatingFile::isNameCharacter).
//
// A name read from a file written elsewhere may already hold such characters.
// The box shows it as it is, and the teacher may still edit it: an edit is
// refused only when it adds a refused character the name did not hold.
class NameValidator : public QValidator
{
    Q_OBJECT

public:
    explicit NameValidator(QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;

    // The text the program put in the box; its refused characters may stay.
    void setAllowedText(const QString &text) { m_allowedText = text; }

    // The index of the first character of text a name may not hold, or -1.
    static qsizetype firstRefused(QStringView text);

    // What is wrong with the character at index of text, in Italian, as the
    // end of "Carattere non ammesso in un nome: ...": "la virgola" and so on.
    static QString describeRefused(QStringView text, qsizetype index);

    // text with each letter the seating file lacks folded to the nearest it
    // holds (Ș → S, Ł → L, Cyrillic spelt in Latin letters), as typing and a
    // one-line paste put it in a box. Characters with no fold stay, for the
    // box to refuse; the importers' module is loaded only for such a letter.
    static QString foldLetters(const QString &text);

private:
    QString m_allowedText;
};
