// SPDX-License-Identifier: GPL-3.0-or-later
#include "namebox.h"

#include "namevalidator.h"
#include "undokeys.h"
#include "windowtexts.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QStyleOptionFrame>
#include <QToolTip>

#include <algorithm>
#include <functional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

bool hasLineBreak(const QString &text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

// One name a line. Spreadsheets end lines with CR LF, older Mac programs
// with CR; a copied column ends with a line end, and cells often carry
// stray spaces, so lines are trimmed and empty lines at the end dropped.
// An empty line within the list stays: it leaves its box empty, so the
// names after it land where the register has them.
QStringList pastedLines(QString text)
{
    text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    for (QString &line : lines)
        line = line.trimmed();
    while (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

void addMenuAction(QMenu *menu, const QString &text, QKeySequence::StandardKey key, bool enabled,
                   QObject *context, const std::function<void()> &function)
{
    QString caption = text;
    if (key != QKeySequence::UnknownKey &&
        !QCoreApplication::testAttribute(Qt::AA_DontShowShortcutsInContextMenus))
        caption += u'\t' + QKeySequence(key).toString(QKeySequence::NativeText);
    QAction *action = menu->addAction(caption);
    action->setEnabled(enabled);
    QObject::connect(action, &QAction::triggered, context, function);
}

} // namespace

NameBox::NameBox(QWidget *parent)
    : QLineEdit(parent)
    , m_validator(new NameValidator(this))
{
    setValidator(m_validator);
    connect(this, &QLineEdit::inputRejected, this, [this] { explainRefusal(); });
    connect(this, &QLineEdit::textChanged, this, [this] { updateToolTip(); });
}

void NameBox::setName(const QString &name)
{
    m_validator->setAllowedText(name);
    setText(name);
    // A name longer than the box shows its beginning, not its end.
    setCursorPosition(0);
}

void NameBox::setFollowingBoxes(const QList<NameBox *> &boxes)
{
    m_followingBoxes = boxes;
    m_takesLists = true;
}

void NameBox::pasteFromClipboard()
{
    if (isReadOnly())
        return;
    const QString text = QGuiApplication::clipboard()->text();
    const QStringList lines = hasLineBreak(text) ? pastedLines(text) : QStringList{text};
    if (lines.size() > 1 && m_takesLists) {
        pasteList(lines);
        return;
    }
    if (lines.size() > 1) {
        showHint(WindowTexts::listIntoClassName());
        return;
    }
    // A single name, perhaps a spreadsheet cell with its line end: inserted
    // at the cursor as any paste, and refused as typing is.
    m_attempt = lines.value(0);
    insert(m_attempt);
}

void NameBox::pasteList(const QStringList &names)
{
    QList<NameBox *> boxes{this};
    boxes += m_followingBoxes;
    const int used = int(std::min(names.size(), boxes.size()));
    const int dropped = int(names.size()) - used;

    // All or nothing: half a list in the boxes is harder to put right than none.
    for (int line = 0; line < used; ++line) {
        const qsizetype bad = NameValidator::firstRefused(names[line]);
        if (bad >= 0) {
            showHint(WindowTexts::nothingPasted(line + 1,
                                                NameValidator::describeRefused(names[line], bad)));
            return;
        }
    }

    // The whole list is one step of the class's history, undone at once; the
    // boxes keep no undo of their own for it.
    for (int line = 0; line < used; ++line)
        boxes[line]->setName(names[line]);
    emit listPasted();

    showHint(WindowTexts::pasted(used, dropped));
}

// Undo and redo keys are the box's while it has typing of its own to undo or
// redo; otherwise they go on to the window, which undoes the class's last step.
bool NameBox::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool undoKey = UndoKeys::matches(key, UndoKeys::undo());
        if (undoKey || UndoKeys::matches(key, UndoKeys::redo())) {
            event->setAccepted(!isReadOnly() && (undoKey ? isUndoAvailable() : isRedoAvailable()));
            return true;
        }
    }
    return QLineEdit::event(event);
}

void NameBox::keyPressEvent(QKeyEvent *event)
{
    // The window's keys, which need not be the platform's own.
    const bool undoKey = UndoKeys::matches(event, UndoKeys::undo());
    if (undoKey || UndoKeys::matches(event, UndoKeys::redo())) {
        if (!isReadOnly())
            undoKey ? undo() : redo();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteFromClipboard();
        event->accept();
        return;
    }
    m_attempt = event->text();
    QLineEdit::keyPressEvent(event);
}

void NameBox::contextMenuEvent(QContextMenuEvent *event)
{
    // Qt's own menu would paste past the list and speaks English unless its
    // translations ship too; the box's own menu does neither.
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool editable = !isReadOnly();
    const bool hasText = !text().isEmpty();
    addMenuAction(menu, WindowTexts::undoTyping(), QKeySequence::Undo,
                  editable && isUndoAvailable(), this, [this] { undo(); });
    addMenuAction(menu, WindowTexts::redoTyping(), QKeySequence::Redo,
                  editable && isRedoAvailable(), this, [this] { redo(); });
    menu->addSeparator();
    addMenuAction(menu, WindowTexts::cut(), QKeySequence::Cut, editable && hasSelectedText(), this,
                  [this] { cut(); });
    addMenuAction(menu, WindowTexts::copy(), QKeySequence::Copy, hasSelectedText(), this,
                  [this] { copy(); });
    addMenuAction(menu, WindowTexts::paste(), QKeySequence::Paste,
                  editable && !QGuiApplication::clipboard()->text().isEmpty(), this,
                  [this] { pasteFromClipboard(); });
    addMenuAction(menu, WindowTexts::erase(), QKeySequence::UnknownKey,
                  editable && hasSelectedText(), this, [this] { del(); });
    menu->addSeparator();
    addMenuAction(menu, WindowTexts::selectAll(), QKeySequence::SelectAll,
                  hasText && selectedText() != text(), this, [this] { selectAll(); });
    if (m_roomMenu) {
        menu->addSeparator();
        menu->addMenu(m_roomMenu);
    }
    menu->popup(event->globalPos());
}

// Leaving the box for another control shows the name's start again; a menu
// or another window taking the focus for a moment leaves the cursor be.
void NameBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        setCursorPosition(0);
}

void NameBox::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    updateToolTip();
}

void NameBox::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateToolTip();
}

// The space QLineEdit draws its text in: its contents, less the text margins
// and the two pixels it keeps clear on either side.
void NameBox::updateToolTip()
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, this)
                               .marginsRemoved(textMargins());
    const bool cut = fontMetrics().horizontalAdvance(text()) > contents.width() - 2 * 2;
    setToolTip(cut ? text() : QString());
}

void NameBox::explainRefusal()
{
    const QString attempt = std::exchange(m_attempt, QString());
    const qsizetype bad = NameValidator::firstRefused(attempt);
    if (bad >= 0) {
        showHint(WindowTexts::refusedCharacter(NameValidator::describeRefused(attempt, bad)));
        return;
    }
    // Dropped or inserted some other way: name every kind of refused character.
    showHint(WindowTexts::refusedCharacters());
}

void NameBox::showHint(const QString &text)
{
    QToolTip::showText(mapToGlobal(QPoint(0, height())), text, this);
}
