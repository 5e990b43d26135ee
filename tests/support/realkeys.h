// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QProcess>
#include <QTest>

// Key presses as a teacher makes them. Under a real X server (the xcb
// platform) they go through the server, typed by xdotool, so that the
// keyboard map and Qt's shortcut matching see what a keyboard gives there;
// on other platforms Qt Test hands them to the widget.
namespace RealKeys {

// xdotool's name for one key combination: "ctrl+shift+Tab", "Next", "KP_Up"
// (a keypad key with NumLock off), "shift+m".
inline QString xdotoolName(QKeyCombination keys)
{
    const Qt::KeyboardModifiers mods = keys.keyboardModifiers();
    QStringList parts;
    if (mods & Qt::ControlModifier)
        parts << QStringLiteral("ctrl");
    if (mods & Qt::AltModifier)
        parts << QStringLiteral("alt");
    if (mods & Qt::ShiftModifier || keys.key() == Qt::Key_Backtab)
        parts << QStringLiteral("shift");
    static const QHash<int, QString> names{
        {Qt::Key_Tab, "Tab"},        {Qt::Key_Backtab, "Tab"},   {Qt::Key_Return, "Return"},
        {Qt::Key_Enter, "KP_Enter"}, {Qt::Key_Space, "space"},   {Qt::Key_PageDown, "Next"},
        {Qt::Key_PageUp, "Prior"},   {Qt::Key_Escape, "Escape"}, {Qt::Key_Delete, "Delete"}};
    const QString name = names.value(keys.key(), QKeySequence(keys.key()).toString());
    if (name.size() == 1)
        parts << name.toLower(); // a letter's key; Shift makes it a capital
    else
        parts << (mods & Qt::KeypadModifier && !name.startsWith("KP_") ? "KP_" + name : name);
    return parts.join(u'+');
}

// Waits for the release of the next key that is not a modifier.
class ReleaseWatcher : public QObject
{
public:
    ReleaseWatcher() { qApp->installEventFilter(this); }
    bool released = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyRelease) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            released |= key != Qt::Key_Control && key != Qt::Key_Shift;
        }
        return false;
    }
};

// Presses keys on target, which has the focus, and returns once the program
// has taken them in.
inline bool press(QWidget *target, const QKeySequence &keys)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        QTest::keySequence(target, keys);
        return true;
    }
    for (int i = 0; i < keys.count(); ++i) {
        ReleaseWatcher watcher;
        if (QProcess::execute(QStringLiteral("xdotool"),
                              {QStringLiteral("key"), xdotoolName(keys[i])}) != 0 ||
            !QTest::qWaitFor([&] { return watcher.released; }, 5000))
            return false;
    }
    return true;
}

} // namespace RealKeys
