// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindow.h"

#include "core/header/CopierHeader.h"
#include "core/header/InternalName.h"
#include "core/image/RomChecksum.h"
#include "core/program/AppInfo.h"
#include "ui/widgets/LimitedLineEdit.h"
#include "ui/widgets/ThemeColours.h"
#include "ui/widgets/WheelGuard.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace zorvek::ui {

namespace {

// A step named after a monster must not turn a letter of it into an access key.
QString menuText(const QString& verb, const QString& step)
{
    return step.isEmpty() ? verb : verb + u' ' + QString(step).replace(u'&', QStringLiteral("&&"));
}

} // namespace

void MainWindow::createCentralArea()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    m_frame1 = new QGroupBox(tr("Internal ROM Name:"), central);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    auto* frameLayout = new QHBoxLayout(m_frame1);
    m_nameText = new LimitedLineEdit(m_frame1);
    m_nameText->setObjectName(QStringLiteral("InternalROMNameTXT"));
    m_nameText->setInputLimit(internalname::kLength);
    m_nameText->setText(QString::fromLatin1(kNotLoadedText));
    m_nameText->setEnabled(false);
    theme::keepWindowColoured(m_nameText);
    // A file dropped on the box opens, as anywhere on the window; text still drops in.
    m_nameText->installEventFilter(this);
    m_changeName = new QPushButton(QStringLiteral(">"), m_frame1);
    m_changeName->setObjectName(QStringLiteral("ChangeROMNameCMD"));
    // A small square button, growing with the font.
    m_changeName->setFixedWidth(qMax(28, m_changeName->fontMetrics().height() + 10));
    m_changeName->setEnabled(false);
    m_changeName->setAccessibleName(tr("Internal name choices"));
    connect(m_changeName, &QPushButton::clicked, this, &MainWindow::ChangeROMNameCMD_Click);
    frameLayout->addWidget(m_nameText);
    frameLayout->addWidget(m_changeName);
    layout->addWidget(m_frame1);

    auto* copierRow = new QHBoxLayout;
    m_copierLabel = new QLabel(tr("Copier Type:"), central);
    m_copierLabel->setObjectName(QStringLiteral("CopierTypeLBL"));
    m_copierType = new QComboBox(central);
    WheelGuard::install(m_copierType);
    m_copierType->setObjectName(QStringLiteral("CopierTypeCBO"));
    m_copierLabel->setBuddy(m_copierType);
    for (const char* name : copier::typeNames())
        m_copierType->addItem(QString::fromLatin1(name));
    m_copierType->setEnabled(false);
    connect(m_copierType, &QComboBox::activated, this, [this] { m_copierPicked = true; });
    copierRow->addWidget(m_copierLabel);
    copierRow->addWidget(m_copierType, 1);
    layout->addLayout(copierRow);

    m_checksum = new QLabel(central);
    m_checksum->setObjectName(QStringLiteral("ChecksumLBL"));
    // Room for the longest state, also while no image is loaded: the window's
    // size is fixed, and nothing may move on open or be cut in a large font.
    m_checksum->setText(QStringLiteral("Checksum: stale complement (stored 0xFFFF, should be 0xFFFF)"));
    m_checksum->setMinimumSize(m_checksum->minimumSizeHint());
    m_checksum->clear();
    layout->addWidget(m_checksum);

    m_notice = new QLabel(tr(kDefaultNotice), central);
    m_notice->setObjectName(QStringLiteral("NoticeLBL"));
    // Set apart by colour, not by an italic or smaller face: a second face
    // is a second font file found and opened at every start.
    QPalette quiet = m_notice->palette();
    quiet.setColor(QPalette::WindowText, quiet.color(QPalette::Disabled, QPalette::WindowText));
    m_notice->setPalette(quiet);
    m_notice->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    layout->addWidget(m_notice);

    setCentralWidget(central);
}

bool MainWindow::isLoaded() const { return m_loaded && m_session.rom().isOpen(); }

void MainWindow::showNotice(const QString& text, const QString& details)
{
    m_notice->setText(text);
    m_notice->setToolTip(details);
}

void MainWindow::applyWriteOptions()
{
    m_session.writes().setOptions({m_backUp->isChecked(), m_fixChecksumOnSave->isChecked()});
}

void MainWindow::showWriteState()
{
    const bool loaded = isLoaded();
    m_undo->setEnabled(loaded && m_session.writes().canUndo());
    m_redo->setEnabled(loaded && m_session.writes().canRedo());
    m_undo->setText(menuText(tr("&Undo"), m_undo->isEnabled() ? m_session.writes().undoText() : QString()));
    m_redo->setText(menuText(tr("Re&do"), m_redo->isEnabled() ? m_session.writes().redoText() : QString()));
    m_createPatch->setEnabled(loaded);
    m_applyPatch->setEnabled(loaded);
    m_fixChecksum->setEnabled(loaded);
    if (!loaded) {
        m_checksum->clear();
        return;
    }
    const checksum::State state = checksum::readState(m_session.rom());
    const IoResult unread = m_session.rom().takeReadFailure();
    m_checksum->setText(QStringLiteral("Checksum: ")
                        + (unread.ok() ? checksum::stateText(state) : tr("not known (%1)").arg(unread.error)));
}

void MainWindow::enterLoadedState()
{
    m_loaded = true;
    m_nameText->setEnabled(true);
    m_changeName->setEnabled(true);
    m_save->setEnabled(true);
    m_toolbar2->setEnabled(true);
    m_monsterTable->setEnabled(true);
    m_monsters->setEnabled(true);
    m_characters->setEnabled(true);
    m_play->setEnabled(true);
    m_copierType->setEnabled(true);
    showWriteState();
    showOpenFile();
}

void MainWindow::enterNotLoadedState()
{
    m_loaded = false;
    m_nameText->setText(QString::fromLatin1(kNotLoadedText));
    m_nameText->setEnabled(false);
    m_changeName->setEnabled(false);
    m_save->setEnabled(false);
    m_toolbar2->setEnabled(false);
    m_monsterTable->setEnabled(false);
    m_monsters->setEnabled(false);
    m_characters->setEnabled(false);
    m_play->setEnabled(false);
    m_copierType->setEnabled(false);
    m_copierType->setCurrentIndex(static_cast<int>(zorvek::CopierType::Undetected));
    showWriteState();
    showOpenFile();
}

void MainWindow::showOpenFile()
{
    const QString path = isLoaded() ? m_session.rom().path() : QString();
    setWindowFilePath(path);
    const QString title = QString::fromLatin1(kAppTitle);
    setWindowTitle(path.isEmpty() ? title : QFileInfo(path).fileName() + QStringLiteral(" \u2014 ") + title);
}

} // namespace zorvek::ui
