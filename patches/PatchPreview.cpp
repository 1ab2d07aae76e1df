// SPDX-License-Identifier: GPL-3.0-or-later
#include "patches/PatchPreview.h"

#include "core/header/CopierHeader.h"
#include "core/image/LittleEndian.h"

#include <QFileInfo>

namespace zorvek::patches {

PatchPreview previewPatches(const QByteArray& image, const std::vector<PatchFile>& patches,
                            const std::vector<table::KnownRecords>& tables)
{
    PatchPreview preview;
    const QByteArray header = image.left(copier::kHeaderSize);
    preview.run = applyPatches(image.mid(copier::kHeaderSize), patches);
    if (!preview.run.ok()) {
        preview.text = preview.run.error + QStringLiteral("\nNothing was written.");
        return preview;
    }
    preview.after = header + preview.run.romData;
    // The editor would refuse to open what it wrote.
    const QByteArray& rom = preview.run.romData;
    if (rom.size() < 2 || le::at<quint16>(rom, 0) != romcheck::kExpectedCheckWord) {
        preview.run.error = QStringLiteral(
            "The patches would make an image that is not this game's: its ROM data "
            "would not start with 78 18.");
        preview.text = preview.run.error + QStringLiteral("\nNothing was written.");
        return preview;
    }
    QStringList lines;
    for (const QString& note : preview.run.notes)
        lines.append(note);
    if (preview.run.sizeChanged)
        lines.append(QStringLiteral("The patches make the ROM data %1 bytes long instead of %2: they are not "
                                    "applied in place (apply-patch --output writes the result as a new file).")
                         .arg(preview.run.romData.size())
                         .arg(image.size() - header.size()));
    for (const QString& overlap : preview.run.overlaps)
        lines.append(QStringLiteral("Overlap: ") + overlap);
    preview.report = table::describeChanges(image, preview.after, tables);
    if (preview.report.lines.isEmpty())
        lines.append(QStringLiteral("The patches change nothing in this image."));
    lines += preview.report.lines;
    preview.text = lines.join(QLatin1Char('\n'));
    return preview;
}

QString stepName(const std::vector<PatchFile>& patches)
{
    QStringList names;
    for (const PatchFile& patch : patches)
        names.append(QFileInfo(patch.name).fileName());
    return QStringLiteral("Apply patch %1").arg(names.join(QStringLiteral(", ")));
}

} // namespace zorvek::patches
