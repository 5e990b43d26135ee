// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpwindow.h"

#include "helptext.h"
#include "windowtexts.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(const QString &seatingFilePath, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(WindowTexts::helpTitle());
    auto *text = new QTextBrowser(this);
    text->setObjectName(QStringLiteral("helpText"));
    text->setOpenLinks(false);
    text->setHtml(HelpText::html(seatingFilePath));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(WindowTexts::quit());
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
    // Room for the text without scrolling where the screen has it; on a small
    // screen, most of it, the rest a scroll away.
    const QRect screen = parent->screen()->availableGeometry();
    resize(qMin(620, screen.width() * 9 / 10), qMin(640, screen.height() * 85 / 100));
}
