// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace zorvek {

// The few choices kept between runs, in the platform's usual place for them
// (the organisation and application names set at start-up name it).
class AppSettings {
public:
    // Where the open dialog starts: the folder of the last image opened, or
    // empty when there is none or it is gone.
    QString openFolder() const;
    void rememberOpenedFile(const QString& path);

    // The images opened last, newest first, at most kRecentImageCount.
    static constexpr int kRecentImageCount = 8;
    QStringList recentImages() const;
    // Puts the image first, once.
    void rememberRecentImage(const QString& path);
    void forgetRecentImage(const QString& path);
    void clearRecentImages();

    // On unless turned off: the copy of an image before its first write.
    bool backUpBeforeFirstSave() const;
    void setBackUpBeforeFirstSave(bool on);
    // Off unless turned on: every save also writes the checksum words.
    bool fixChecksumOnSave() const;
    void setFixChecksumOnSave(bool on);

    // The column groups the monster table hides.
    QStringList hiddenTableGroups() const;
    void setHiddenTableGroups(const QStringList& groups);
    // The unmodified original an image was last compared with; empty for none.
    QString originalOf(const QString& imagePath) const;
    void setOriginalOf(const QString& imagePath, const QString& originalPath);

    // The command line that plays a copy of the image, {rom} standing for
    // its path; empty until one is chosen.
    QString emulatorCommand() const;
    void setEmulatorCommand(const QString& command);
};

} // namespace zorvek
