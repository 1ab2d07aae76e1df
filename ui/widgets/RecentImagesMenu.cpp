// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/RecentImagesMenu.h"

#include "core/program/AppSettings.h"

#include <QDir>
#include <QFileInfo>

namespace zorvek::ui {

RecentImagesMenu::RecentImagesMenu(QWidget* parent) : QMenu(tr("Open &Recent"), parent)
{
    setObjectName(QStringLiteral("mnuRecent"));
    menuAction()->setObjectName(QStringLiteral("mnuRecent"));
    // The folder tells apart two images of one name.
    setToolTipsVisible(true);
    m_clear = new QAction(tr("&Clear List"), this);
    m_clear->setObjectName(QStringLiteral("mnuClearRecent"));
    connect(m_clear, &QAction::triggered, this, [this] {
        AppSettings().clearRecentImages();
        refresh();
    });
    // Stays in the menu for good: a menu drops every connection of an action taken out of it.
    addAction(m_clear);
    refresh();
}

void RecentImagesMenu::refresh()
{
    for (QAction* action : actions())
        if (action != m_clear) {
            removeAction(action);
            // Later, as its own trigger may be what refreshes; out of the
            // tree now, so that nobody finds it by name meanwhile.
            action->setParent(nullptr);
            action->deleteLater();
        }
    const QStringList images = AppSettings().recentImages();
    int number = 0;
    for (const QString& path : images) {
        const QFileInfo info(path);
        // A name such as "R&D.smc" must not turn a letter into an access key.
        auto* entry = new QAction(info.fileName().replace(u'&', QStringLiteral("&&")), this);
        entry->setObjectName(QStringLiteral("mnuRecentImage%1").arg(++number));
        entry->setStatusTip(QDir::toNativeSeparators(info.absolutePath()));
        entry->setToolTip(entry->statusTip());
        connect(entry, &QAction::triggered, this, [this, path] { emit imageChosen(path); });
        insertAction(m_clear, entry);
    }
    if (!images.isEmpty())
        insertSeparator(m_clear)->setObjectName(QStringLiteral("mnuDmy8"));
    m_clear->setEnabled(!images.isEmpty());
}

} // namespace zorvek::ui
