// SPDX-License-Identifier: GPL-3.0-or-later
#include "importpreview.h"

#include "archivio.h"
#include "importengine.h"
#include "windowtexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QGroupBox *framed(const QString &title, QWidget *inside)
{
    auto *box = new QGroupBox(title);
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(inside);
    return box;
}

} // namespace

ImportPreview::ImportPreview(const ImportEngine &engine, const Workbook &workbook,
                             const Screen &screen, QWidget *parent)
    : QDialog(parent)
    , m_engine(engine)
    , m_workbook(workbook)
    , m_screen(screen)
    , m_sheets(new QComboBox)
    , m_classes(new QComboBox)
    , m_names(new QListWidget)
    , m_changes(new QPlainTextEdit)
    , m_outcome(new QLabel)
{
    setObjectName(u"importPreview"_s);
    setWindowTitle(WindowTexts::importTitle());
    m_sheets->setObjectName(u"sheetCombo"_s);
    m_classes->setObjectName(u"classCombo"_s);
    m_names->setObjectName(u"namesList"_s);
    m_changes->setObjectName(u"changesText"_s);
    m_changes->setReadOnly(true);
    m_outcome->setObjectName(u"outcomeLabel"_s);
    m_outcome->setWordWrap(true);

    auto *pickers = new QFormLayout;
    pickers->addRow(WindowTexts::sheetPicker(), m_sheets);
    pickers->addRow(WindowTexts::classPicker(), m_classes);
    m_classLabel = qobject_cast<QLabel *>(pickers->labelForField(m_classes));
    for (const Sheet &sheet : m_workbook.sheets)
        m_sheets->addItem(sheet.name);
    const bool severalSheets = m_workbook.sheets.size() > 1;
    m_sheets->setVisible(severalSheets);
    pickers->labelForField(m_sheets)->setVisible(severalSheets);

    auto *lists = new QHBoxLayout;
    lists->addWidget(framed(WindowTexts::namesFrame(), m_names), 2);
    lists->addWidget(framed(WindowTexts::changesFrame(), m_changes), 3);

    auto *buttons = new QDialogButtonBox;
    m_import = buttons->addButton(WindowTexts::importButton(), QDialogButtonBox::AcceptRole);
    m_import->setObjectName(u"importButton"_s);
    m_import->setDefault(true);
    buttons->addButton(WindowTexts::cancel(), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(pickers);
    layout->addLayout(lists, 1);
    layout->addWidget(m_outcome);
    layout->addWidget(buttons);
    resize(760, 540);

    connect(m_sheets, &QComboBox::currentIndexChanged, this, &ImportPreview::sheetPicked);
    connect(m_classes, &QComboBox::currentIndexChanged, this, &ImportPreview::classPicked);
    sheetPicked();
}

ImportedClass ImportPreview::chosen() const
{
    return m_list.classes.value(m_classes->currentIndex());
}

void ImportPreview::sheetPicked()
{
    m_list = m_engine.classList(m_workbook.sheets.value(m_sheets->currentIndex()));
    const QSignalBlocker blocker(m_classes);
    m_classes->clear();
    for (const ImportedClass &group : std::as_const(m_list.classes))
        m_classes->addItem(WindowTexts::classChoice(group.name, int(group.pupils.size())));
    const bool severalClasses = m_list.classes.size() > 1;
    m_classes->setVisible(severalClasses);
    m_classLabel->setVisible(severalClasses);
    classPicked();
}

void ImportPreview::classPicked()
{
    const ImportedClass group = chosen();
    m_names->clear();
    for (int i = 0; i < group.pupils.size(); ++i)
        m_names->addItem(WindowTexts::numberedName(i + 1, group.pupils.at(i)));
    QStringList changes;
    for (const ImportChange &change : group.changes)
        changes.append(m_engine.describe(change));
    m_changes->setPlainText(changes.isEmpty() ? WindowTexts::noChanges() : changes.join(u'\n'));

    const int count = int(group.pupils.size());
    const bool fits = m_list.error.isEmpty() && count <= Archivio::Pupils;
    m_import->setEnabled(fits);
    if (!m_list.error.isEmpty())
        m_outcome->setText(m_list.error);
    else if (!fits)
        m_outcome->setText(WindowTexts::tooManyPupils(count));
    else
        m_outcome->setText(WindowTexts::importReplaces(count, group.name, m_screen.className,
                                                       m_screen.names, m_screen.seated));
}
