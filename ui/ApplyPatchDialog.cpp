// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ApplyPatchDialog.h"

#include "core/header/CopierHeader.h"
#include "core/header/EditorStamp.h"
#include "core/image/ImageSession.h"
#include "core/image/ImageWrite.h"
#include "data/KnownRecords.h"
#include "ui/SideEffects.h"
#include "ui/WriteFailureMessage.h"
#include "ui/monsters/MonsterTableModel.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvek::ui {

namespace {

const QStringList kPatchFilters = {QStringLiteral("Patches (*.ips *.bps *.ups)"), QStringLiteral("All Files (*)")};

QPushButton* namedButton(const QString& text, const char* name, const QString& accessible, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(accessible);
    return button;
}

} // namespace

ApplyPatchDialog::ApplyPatchDialog(ImageSession& session, SideEffects& effects, const QStringList& patchPaths,
                                   std::set<int> unsavedMonsters, QWidget* parent)
    : QDialog(parent), m_session(session), m_effects(effects), m_unsavedMonsters(std::move(unsavedMonsters))
{
    setObjectName(QStringLiteral("ApplyPatchDialog"));
    setWindowTitle(tr("Apply Patch"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("PatchLST"));
    m_list->setAccessibleName(tr("Patches, in the order they are applied"));
    m_list->addItems(patchPaths);
    m_list->setCurrentRow(0);
    // A few patches at a time; the preview gets the room.
    m_list->setMaximumHeight(m_list->fontMetrics().height() * 7);
    auto* listLabel = new QLabel(tr("&Patches, applied from the top:"), this);
    listLabel->setBuddy(m_list);
    auto* add = namedButton(tr("A&dd..."), "AddCMD", tr("Add patches"), this);
    m_remove = namedButton(tr("&Remove"), "RemoveCMD", tr("Remove the selected patch"), this);
    m_up = namedButton(tr("Move &Up"), "UpCMD", tr("Apply the selected patch earlier"), this);
    m_down = namedButton(tr("Move Do&wn"), "DownCMD", tr("Apply the selected patch later"), this);
    m_preview = new QPlainTextEdit(this);
    m_preview->setObjectName(QStringLiteral("PreviewTXT"));
    m_preview->setAccessibleName(tr("What the patches change"));
    m_preview->setReadOnly(true);
    m_preview->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* previewLabel = new QLabel(tr("&What they change (nothing is written until Apply):"), this);
    previewLabel->setBuddy(m_preview);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_buttons->setObjectName(QStringLiteral("ButtonBox"));
    m_apply = m_buttons->addButton(tr("&Apply"), QDialogButtonBox::AcceptRole);
    m_apply->setObjectName(QStringLiteral("ApplyCMD"));
    m_apply->setAccessibleName(tr("Apply the patches to the image"));
    m_buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelCMD"));
    m_buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(tr("Close without writing anything"));

    auto* side = new QVBoxLayout;
    for (QPushButton* button : {add, m_remove, m_up, m_down})
        side->addWidget(button);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(m_list, 1);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listLabel);
    layout->addLayout(top);
    layout->addWidget(previewLabel);
    layout->addWidget(m_preview, 3);
    layout->addWidget(m_buttons);
    resize(760, 520);

    connect(add, &QPushButton::clicked, this, &ApplyPatchDialog::addPatches);
    connect(m_remove, &QPushButton::clicked, this, &ApplyPatchDialog::removePatch);
    connect(m_up, &QPushButton::clicked, this, [this] { move(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { move(1); });
    connect(m_list, &QListWidget::currentRowChanged, this, [this] {
        const int row = m_list->currentRow();
        m_up->setEnabled(row > 0);
        m_down->setEnabled(row >= 0 && row + 1 < m_list->count());
        m_remove->setEnabled(row >= 0);
    });
    connect(m_buttons, &QDialogButtonBox::accepted, this, &ApplyPatchDialog::apply);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    emit m_list->currentRowChanged(m_list->currentRow());
    showPreview();
}

ApplyPatchDialog* ApplyPatchDialog::start(ImageSession& session, SideEffects& effects, const MonsterTableModel* table,
                                          QWidget* parent)
{
    std::set<int> unsavedMonsters;
    for (int row = 0; table && row < table->rowCount(); ++row)
        for (int column = 0; column < table->columnCount(); ++column)
            if (table->isChanged(row, column))
                unsavedMonsters.insert(row);
    const std::optional<QStringList> chosen =
        effects.chooseFilesToOpen(parent, tr("Apply Patch"), kPatchFilters, kPatchFilters.first(),
                                  QFileInfo(session.rom().path()).absolutePath());
    if (!chosen || chosen->isEmpty())
        return nullptr;
    auto* dialog = new ApplyPatchDialog(session, effects, *chosen, std::move(unsavedMonsters), parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Modal for the user without a nested event loop.
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    return dialog;
}

QString ApplyPatchDialog::previewText() const { return m_preview->toPlainText(); }

void ApplyPatchDialog::addPatches()
{
    const std::optional<QStringList> chosen =
        m_effects.chooseFilesToOpen(this, tr("Apply Patch"), kPatchFilters, kPatchFilters.first(),
                                    QFileInfo(m_session.rom().path()).absolutePath());
    if (!chosen)
        return;
    m_list->addItems(*chosen);
    m_list->setCurrentRow(m_list->count() - 1);
    showPreview();
}

void ApplyPatchDialog::removePatch()
{
    delete m_list->takeItem(m_list->currentRow());
    showPreview();
}

void ApplyPatchDialog::move(int by)
{
    const int row = m_list->currentRow();
    if (row < 0 || row + by < 0 || row + by >= m_list->count())
        return;
    m_list->insertItem(row + by, m_list->takeItem(row));
    m_list->setCurrentRow(row + by);
    showPreview();
}

std::vector<patches::PatchFile> ApplyPatchDialog::files(QString* unread)
{
    std::vector<patches::PatchFile> out;
    for (int i = 0; i < m_list->count(); ++i) {
        const QString path = m_list->item(i)->text();
        auto found = m_read.find(path);
        if (found == m_read.end()) {
            patches::PatchFile file;
            if (IoResult r = patches::readPatchFile(path, file); !r.ok()) {
                *unread = tr("The patch %1 cannot be read: %2").arg(file.name, r.error);
                return {};
            }
            found = m_read.emplace(path, file).first;
        }
        out.push_back(found->second);
    }
    return out;
}

QByteArray ApplyPatchDialog::imageBytes(QString* unread)
{
    RomImage& rom = m_session.rom();
    const QByteArray bytes = rom.readBytes(0, static_cast<int>(rom.size()));
    if (IoResult r = rom.takeReadFailure(); !r.ok()) {
        *unread = tr("The image could not be read: %1").arg(r.error);
        return {};
    }
    return bytes;
}

void ApplyPatchDialog::showPreview()
{
    QString unread;
    const std::vector<patches::PatchFile> patchFiles = files(&unread);
    const QByteArray image = unread.isEmpty() ? imageBytes(&unread) : QByteArray();
    if (!unread.isEmpty() || patchFiles.empty()) {
        m_preview->setPlainText(unread.isEmpty() ? tr("Add a patch to see what it changes.") : unread);
        m_apply->setEnabled(false);
        return;
    }
    const patches::PatchPreview preview = patches::previewPatches(image, patchFiles, data::knownRecords());
    QString text = preview.text;
    if (preview.run.ok() && !preview.report.records.empty()) {
        QStringList both;
        for (const int record : preview.report.records.front())
            if (m_unsavedMonsters.count(record))
                both.append(QString::number(record));
        if (!both.isEmpty())
            text.prepend(tr("Overlap: the monster table has unsaved changes to monsters %1, which the patches "
                            "change too; the table shows the patched values once they are applied.\n")
                             .arg(both.join(QStringLiteral(", "))));
    }
    if (preview.applicable())
        text += tr("\nApply writes the editor stamp into the copier header too, as every save does%1.")
                    .arg(m_session.writes().options().fixChecksumOnSave
                             ? tr(", and the checksum words (Fix Checksum on Every Save is on)")
                             : QString());
    m_preview->setPlainText(text);
    m_apply->setEnabled(preview.applicable());
}

void ApplyPatchDialog::apply()
{
    QString unread;
    const std::vector<patches::PatchFile> patchFiles = files(&unread);
    // Read again: the image may have changed while the dialog was open.
    const QByteArray image = unread.isEmpty() ? imageBytes(&unread) : QByteArray();
    if (!unread.isEmpty()) {
        reportWriteFailure(m_effects, this, m_session.rom().path(), unread);
        return;
    }
    const patches::PatchPreview preview = patches::previewPatches(image, patchFiles, data::knownRecords());
    if (!preview.applicable()) {
        m_effects.showMessage(this, MessageIcon::Exclamation, preview.text);
        return;
    }
    const QDateTime now = m_effects.now();
    const QByteArray romData = preview.after.mid(copier::kHeaderSize);
    ImageWriteSession& writes = m_session.writes();
    const CommandOutcome out = commitThroughCopy(writes, image, patches::stepName(patchFiles), [&](RomImage& copy) {
        if (IoResult r = SaveQuenHeader(copy, now); !r.ok())
            return r;
        return copy.writeBytes(copier::kHeaderSize, romData);
    });
    if (!out.ok()) {
        reportFailure(m_effects, this, m_session.rom().path(), out);
        return;
    }
    // The windows take an applied patch as they take a redo: they show again
    // whatever changed under them.
    UndoStep step{patches::stepName(patchFiles), {}};
    for (const auto& ranges : preview.run.changed)
        for (const patches::ByteRange& r : ranges)
            step.changes.push_back({copier::kHeaderSize + r.first,
                                    image.mid(copier::kHeaderSize + r.first, r.last - r.first + 1),
                                    romData.mid(r.first, r.last - r.first + 1)});
    emit writes.replayed(step);
    accept();
}

} // namespace zorvek::ui
