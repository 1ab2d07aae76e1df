#pragma once

#include <QString>

namespace zorvek {

// The few choices kept between runs, in the platform's usual place for them
// (the organisation and application names set at start-up name it).
class AppSettings {
public:
    // Where the open dialog starts: the folder of the last image opened, or
    // empty when there is none or it is gone.
    QString openFolder() const;
    void rememberOpenedFile(const QString& path);

    // On unless turned off: the copy of an image before its first write.
    bool backUpBeforeFirstSave() const;
    void setBackUpBeforeFirstSave(bool on);
    // Off unless turned on: every save also writes the checksum words.
    bool fixChecksumOnSave() const;
    void setFixChecksumOnSave(bool on);
};

} // namespace zorvek
