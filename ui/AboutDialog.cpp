// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AboutDialog.h"

#include "ui_AboutDialog.h"

#include "core/header/EditorStamp.h"
#include "data/Artwork.h"

#include <QPixmap>

namespace zorvek::ui {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), m_form(std::make_unique<Ui::AboutDialog>())
{
    // Controls, names, fixed texts and layout are in the form; what the
    // program knows only when it runs is filled in here.
    m_form->setupUi(this);
    m_form->Image1->setPixmap(QPixmap::fromImage(data::aboutPicture()));
    // A form can only fix a point size; the title grows with the desktop's font.
    QFont big = m_form->lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    m_form->lblTitle->setFont(big);
    connect(m_form->cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    // Filled when the window loads.
    m_form->lblDescription->setText(descriptionText());
    m_form->lblVersion->setText(versionText());
    setFixedSize(sizeHint().expandedTo(QSize(420, 0)));
}

AboutDialog::~AboutDialog() = default;

QString AboutDialog::versionText() { return QStringLiteral("Version: ") + stamp::versionText(); }

QString AboutDialog::descriptionText()
{
    return QStringLiteral("This program edits the Zorvek ROM file in various ways.  \r\n\r\n")
        + tr("Thanks to everyone who mapped this game's tables by hand.");
}

} // namespace zorvek::ui
