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
};

} // namespace zorvek
