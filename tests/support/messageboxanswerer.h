#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

// Answers the next modal message box by clicking the button with the given
// text, and keeps what the box showed. It polls from the event loop the box
// runs, so a test never blocks on a box; a box that never appears leaves
// seen() false.
class MessageBoxAnswerer : public QObject
{
public:
    explicit MessageBoxAnswerer(const QString &buttonText) : m_buttonText(buttonText)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { answer(); });
        m_timer.start();
    }

    bool seen() const { return m_seen; }
    QString title() const { return m_title; }
    QString text() const { return m_text; }
    QStringList buttons() const { return m_buttons; }
    bool hasIcon() const { return m_hasIcon; }

private:
    void answer()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        m_timer.stop();
        m_seen = true;
        m_title = box->windowTitle();
        m_text = box->text();
        m_hasIcon = box->icon() != QMessageBox::NoIcon;
        QAbstractButton *target = nullptr;
        for (QAbstractButton *button : box->buttons()) {
            m_buttons << button->text();
            if (button->text() == m_buttonText)
                target = button;
        }
        if (target)
            target->click();
        else
            box->reject(); // the wanted button is missing: fail visibly, never hang
    }

    QString m_buttonText;
    QTimer m_timer;
    bool m_seen = false;
    bool m_hasIcon = false;
    QString m_title;
    QString m_text;
    QStringList m_buttons;
};
