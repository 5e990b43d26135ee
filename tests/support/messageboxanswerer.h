// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

// Answers modal message boxes by clicking the buttons with the given texts,
// or by "Esc" (the key) or "×" (closing the box), one box after another, and keeps what each box
// showed. It polls from the event loop the box runs, so a test never blocks on a box. Boxes beyond
// the given answers are rejected and still counted, so a test can tell that one message too many
// appeared.
class MessageBoxAnswerer : public QObject
{
public:
    explicit MessageBoxAnswerer(const QString &buttonText)
        : MessageBoxAnswerer(QStringList{buttonText})
    {}
    explicit MessageBoxAnswerer(const QStringList &buttonTexts)
        : m_answers(buttonTexts)
    {
        startTimer(10);
    }

    int count() const { return int(m_titles.size()); }
    // The first box's title, text and buttons.
    QString title() const { return m_titles.value(0); }
    QString text() const { return m_texts.value(0); }
    QStringList buttons() const { return m_buttons.value(0); }
    bool hasIcon() const { return m_hasIcon; }
    // Every box's, in order.
    QStringList texts() const { return m_texts; }
    QList<QStringList> allButtons() const { return m_buttons; }
    // The button Return would press, box by box; empty where there is none.
    QStringList defaultButtons() const { return m_defaults; }

protected:
    void timerEvent(QTimerEvent *) override
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || box == m_lastBox)
            return;
        m_lastBox = box;
        m_hasIcon |= box->icon() != QMessageBox::NoIcon;
        m_titles << box->windowTitle();
        m_texts << box->text();
        const QString wanted = m_answers.value(m_titles.size() - 1);
        QAbstractButton *target = nullptr;
        m_buttons.append(QStringList());
        m_defaults << (box->defaultButton() ? box->defaultButton()->text() : QString());
        for (QAbstractButton *button : box->buttons()) {
            m_buttons.last() << button->text();
            if (!wanted.isEmpty() && button->text() == wanted)
                target = button;
        }
        // An unexpected box or button is rejected: the test fails, never hangs.
        if (wanted == QStringLiteral("Esc"))
            QTest::keyClick(box, Qt::Key_Escape);
        else if (wanted == QStringLiteral("×"))
            box->close();
        else
            target ? target->click() : box->reject();
    }

private:
    QStringList m_answers;
    QPointer<QMessageBox> m_lastBox;
    bool m_hasIcon = false;
    QStringList m_titles;
    QStringList m_texts;
    QList<QStringList> m_buttons;
    QStringList m_defaults;
};
