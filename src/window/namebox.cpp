// SPDX-License-Identifier: GPL-3.0-or-later
#include "namebox.h"

#include "importengine.h"
#include "modules.h"
#include "namevalidator.h"
#include "undokeys.h"
#include "windowtexts.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
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
    // Stray spaces and line ends around a copied cell or column.
    const QString trimmed = text.trimmed();
    const bool list = hasLineBreak(trimmed) || trimmed.contains(u'\t');
    if (list && m_takesLists) {
        pasteList(text);
        return;
    }
    if (hasLineBreak(trimmed)) {
        showHint(WindowTexts::listIntoClassName());
        return;
    }
    // A single name, perhaps a spreadsheet cell with its line end: inserted
    // at the cursor as any paste, folded and refused as typing is.
    insertFolded(hasLineBreak(text) ? trimmed : text);
}

// The whole list is one step of the class's history, undone at once; the
// boxes keep no undo of their own for it.
void NameBox::pasteList(const QString &text)
{
    QString error;
    const ImportEngine *engine = ImportModule::engine(&error);
    if (!engine) {
        showHint(error);
        return;
    }
    const ClassListReader::Paste paste = engine->readPaste(text);
    QList<NameBox *> boxes{this};
    boxes += m_followingBoxes;
    const int used = int(std::min(paste.names.size(), boxes.size()));
    for (int line = 0; line < used; ++line)
        boxes[line]->setName(paste.names[line]);
    if (used > 0)
        emit listPasted();
    QStringList hint{WindowTexts::pasted(used, int(paste.names.size()) - used)};
    for (const ImportChange &change : paste.changes)
        hint.append(engine->describe(change));
    showHint(hint.join(u'\n'));
}

// What the teacher types or pastes as one name, its letters folded first.
void NameBox::insertFolded(const QString &text)
{
    const QString folded = NameValidator::foldLetters(text);
    // A refusal empties m_attempt as it tells why.
    m_attempt = folded;
    insert(folded);
    const bool refused = std::exchange(m_attempt, QString()).isEmpty();
    if (!refused && folded != text)
        showHint(WindowTexts::typedFold(text, folded));
}

// Undo and redo keys are the box's while it has typing of its own to undo or
// redo; otherwise they go on to the window, which undoes the class's last step.
// The tooltip is worked out when asked for, not on every change of text, size
// or font.
bool NameBox::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip)
        updateToolTip();
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
    const QString typed = event->text();
    if (!typed.isEmpty() && NameValidator::firstRefused(typed) >= 0 &&
        NameValidator::foldLetters(typed) != typed) {
        insertFolded(typed);
        event->accept();
        return;
    }
    m_attempt = typed;
    QLineEdit::keyPressEvent(event);
}

// Letters composed by an input method are folded as typed ones are.
void NameBox::inputMethodEvent(QInputMethodEvent *event)
{
    const QString typed = event->commitString();
    const QString folded = NameValidator::foldLetters(typed);
    if (folded != typed) {
        QInputMethodEvent foldedEvent(event->preeditString(), event->attributes());
        foldedEvent.setCommitString(folded, event->replacementStart(), event->replacementLength());
        QLineEdit::inputMethodEvent(&foldedEvent);
        showHint(WindowTexts::typedFold(typed, folded));
        return;
    }
    m_attempt = typed;
    QLineEdit::inputMethodEvent(event);
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
