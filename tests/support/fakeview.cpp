// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakeview.h"

#include "seatingrules.h"

using namespace Qt::StringLiterals;

// A position the list does not hold selects nothing, as in a combo box.
void FakeSeatingView::setDeskSelection(int desk, int position)
{
    selection[desk] = position >= 0 && position < items.at(desk).size() ? position : -1;
    unflaggedChanges += aggiornamento() ? 0 : 1;
    if (rules)
        rules->seatChanged(desk);
}

int FakeSeatingView::ask(const Question &question)
{
    QStringList answers = question.answers;
    answers[question.defaultAnswer] = u'[' + answers[question.defaultAnswer] + u']';
    QString entry = question.title + u'|' + question.text + u'|' + answers.join(u'/');
    if (question.escapeAnswer != question.defaultAnswer)
        entry += u" Esc="_s + question.answers.at(question.escapeAnswer);
    log.append(entry);
    if (question.answers.size() == 1) // a message: nothing to answer
        return 0;
    const QString chosen = replies.isEmpty() ? reply : replies.takeFirst();
    const auto index = question.answers.indexOf(chosen);
    return index < 0 ? question.escapeAnswer : int(index);
}
