// SPDX-License-Identifier: GPL-3.0-or-later
#include "importmessages.h"

#include "classlist.h"

using namespace Qt::StringLiterals;

namespace ImportMessages {

QString cannotOpen(const QString &reason)
{
    return u"Impossibile leggere il file: %1."_s.arg(reason);
}

QString empty()
{
    return u"Il file è vuoto."_s;
}

QString tooLarge()
{
    return u"Il file è troppo grande per un elenco di alunni: più di 10 MB."_s;
}

QString notAList()
{
    return u"Il file non è un elenco leggibile: si leggono i fogli di calcolo (.xlsx, .ods, "
           u".xls) e i testi CSV o TXT."_s;
}

QString unpackedTooLarge()
{
    return u"Il file, una volta decompresso, supera i 24 MB: non è un elenco di alunni."_s;
}

QString zipNotASpreadsheet()
{
    return u"Il file è un archivio compresso ma non un foglio di calcolo .xlsx o .ods."_s;
}

QString damaged(const QString &format)
{
    return u"Il foglio di calcolo (%1) è danneggiato e non si può leggere."_s.arg(format);
}

QString xmlDeclarations()
{
    return u"Il file contiene dichiarazioni XML (DTD) che per sicurezza non vengono lette."_s;
}

QString noSheet()
{
    return u"Il file non contiene nessun foglio."_s;
}

QString passwordProtected()
{
    return u"Il file è protetto da password: salvarlo senza password e riprovare."_s;
}

QString xlsReaderMissing()
{
    return u"Manca posti-xls, il programma che legge i file .xls: reinstallare posti, oppure "
           u"salvare il foglio come .xlsx o .ods e riprovare."_s;
}

QString xlsReaderStopped()
{
    return u"Il file .xls è danneggiato: la sua lettura si è interrotta. Salvarlo di nuovo dal "
           u"foglio di calcolo, meglio come .xlsx o .ods, e riprovare."_s;
}

QString xlsTooSlow()
{
    return u"La lettura del file .xls non è finita in 20 secondi ed è stata interrotta: il file "
           u"è forse danneggiato. Salvarlo come .xlsx o .ods e riprovare."_s;
}

QString noNames()
{
    return u"Nel foglio non c'è nessun nome di alunno."_s;
}

QString xlsFormat()
{
    return u"Excel 97-2003, .xls"_s;
}

QString xlsxFormat()
{
    return u"Excel, .xlsx"_s;
}

QString odsFormat()
{
    return u"OpenDocument, .ods"_s;
}

QString xmlSpreadsheetFormat()
{
    return u"XML di Excel 2003"_s;
}

QString sheetName(int number)
{
    return u"Foglio %1"_s.arg(number);
}

QString describe(const ImportChange &change)
{
    using Kind = ImportChange::Kind;
    switch (change.kind) {
    case Kind::Capitals:
        return u"riga %1: «%2» scritto come nome: «%3»"_s.arg(change.line)
            .arg(change.before, change.after);
    case Kind::Folded:
        return u"riga %1: «%2» scritto «%3»: il file dei posti non ha quelle lettere"_s
            .arg(change.line)
            .arg(change.before, change.after);
    case Kind::Skipped:
        return u"riga %1 saltata: non contiene un nome"_s.arg(change.line);
    case Kind::NotImported:
        return u"riga %1: «%2» non importato: il file dei posti non può contenere «%3»; "
               u"scriverlo a mano"_s.arg(change.line)
                   .arg(change.before, change.after);
    }
    return QString();
}

} // namespace ImportMessages
