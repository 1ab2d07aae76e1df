#include "ui/AboutDialog.h"

#include "data/Artwork.h"
#include "core/header/EditorStamp.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvek::ui {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("About"));
    setWindowTitle(tr("About"));

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setPixmap(QPixmap::fromImage(data::aboutPicture()));
    m_image->setAlignment(Qt::AlignTop);

    m_title = new QLabel(tr("Kelvarnthosia 5 Multi Editor"), this);
    m_title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = m_title->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    m_title->setFont(big);

    m_version = new QLabel(tr("Version"), this);
    m_version->setObjectName(QStringLiteral("lblVersion"));

    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("lblDescription"));
    m_description->setWordWrap(true);

    // A sunken separator: a dark grey line over a white one.
    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    m_disclaimer = new QLabel(
        tr("This editor writes straight into the file you open. Keep a copy of your ROM image: "
           "the authors accept no liability for damaged files. It is free software for personal "
           "study and is not affiliated with the makers of the game."),
        this);
    m_disclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    m_disclaimer->setWordWrap(true);

    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_image, 0, 0, 3, 1);
    grid->addWidget(m_title, 0, 1);
    grid->addWidget(m_version, 1, 1);
    grid->addWidget(m_description, 2, 1);
    grid->addWidget(line, 3, 0, 1, 2);
    grid->addWidget(m_disclaimer, 4, 0, 1, 2);
    grid->addWidget(m_ok, 5, 1, Qt::AlignRight);
    grid->setColumnStretch(1, 1);

    // Filled when the window loads.
    m_description->setText(descriptionText());
    m_version->setText(versionText());
    setMinimumWidth(420);
    setFixedSize(sizeHint().expandedTo(QSize(420, 0)));
}

QString AboutDialog::versionText() { return QStringLiteral("Version: ") + stamp::versionText(); }

QString AboutDialog::descriptionText()
{
    return QStringLiteral("This program edits the Zorvek ROM file in various ways.  \r\n\r\n")
        + tr("Thanks to everyone who mapped this game's tables by hand.");
}

} // namespace zorvek::ui
