// SPDX-License-Identifier: GPL-3.0-or-later
#include "helptext.h"

using namespace Qt::StringLiterals;

namespace HelpText {

QString html(const QString &seatingFilePath)
{
    return u"<h3>Le classi e gli alunni</h3>"
           u"<p>Si sceglie la classe con le schede da «1» a «10». Nelle 30 caselle a destra "
           u"si scrivono i nomi degli alunni, in quella grande il nome della classe.</p>"
           u"<h3>I pulsanti</h3><ul>"
           u"<li><b>Memorizza</b> conserva la classe com'è sullo schermo.</li>"
           u"<li><b>Assegna mancanti</b> mette a caso gli alunni senza banco nei banchi "
           u"liberi; alunni e banchi segnati «-&gt; Non assegnare &lt;-» devono fare 30.</li>"
           u"<li><b>Svuota</b> libera tutti i banchi, tranne quelli segnati da non usare.</li>"
           u"<li><b>Cancella nomi</b> cancella nomi e banchi della classe, dopo averlo "
           u"chiesto.</li>"
           u"<li><b>Menu</b>, in alto a destra, o un clic destro sull'aula: stampa, annulla, "
           u"questa guida e le altre voci.</li></ul>"
           u"<p>Ogni banco offre il banco vuoto, «-&gt; Non assegnare &lt;-» e gli alunni "
           u"della classe. Con tutti i banchi occupati, dare a un alunno il banco di un "
           u"altro scambia i due alunni.</p>"
           u"<h3>L'asterisco</h3>"
           u"<p>Un <b>*</b> nel titolo della finestra e nella scheda della classe dice che lo "
           u"schermo ha modifiche non ancora memorizzate: cambiando classe o chiudendo, il "
           u"programma chiede se memorizzarle.</p>"
           u"<h3>Annullare</h3>"
           u"<p><b>Ctrl+Z</b> annulla l'ultima modifica della classe, <b>Ctrl+Y</b> la ripete; "
           u"le voci «Annulla» e «Ripeti» in cima al menu dicono quale. Ogni classe tiene le "
           u"sue modifiche finché il programma resta aperto.</p>"
           u"<h3>Il file dei posti</h3>"
           u"<p>Tutte le classi stanno in un file, letto all'apertura e scritto alla "
           u"chiusura:<br><tt>%1</tt><br>La voce «Apri la cartella del file dei posti» del "
           u"menu apre la sua cartella, per copiarlo o conservarne una copia.</p>"
           u"<h3>I tasti</h3><table cellspacing=\"4\">"
           u"<tr><td><b>F1</b></td><td>questa guida</td></tr>"
           u"<tr><td><b>F10</b></td><td>apre il menu</td></tr>"
           u"<tr><td><b>Ctrl+S</b></td><td>Memorizza</td></tr>"
           u"<tr><td><b>Ctrl+P</b></td><td>stampa la classe</td></tr>"
           u"<tr><td><b>Ctrl+Z, Ctrl+Y</b></td><td>annulla, ripete</td></tr>"
           u"<tr><td><b>Ctrl+Tab, Ctrl+Maiusc+Tab</b></td>"
           u"<td>classe seguente, precedente</td></tr>"
           u"<tr><td><b>Tab, Invio</b></td><td>casella seguente</td></tr>"
           u"<tr><td><b>Frecce, F4, Spazio</b></td><td>aprono l'elenco di un banco; Invio "
           u"sceglie, Esc lo chiude</td></tr>"
           u"<tr><td><b>Ctrl+Q</b></td><td>chiude la finestra</td></tr>"
           u"</table>"_s.arg(seatingFilePath.toHtmlEscaped());
}

} // namespace HelpText
