// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zorvek {

// Outcome of a file operation: empty error means it worked.
struct IoResult {
    QString error;
    bool ok() const { return error.isEmpty(); }
    static IoResult success() { return {}; }
    static IoResult failure(QString reason) { return {std::move(reason)}; }
};

} // namespace zorvek
