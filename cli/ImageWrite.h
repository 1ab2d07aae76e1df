#pragma once

#include "cli/ImportPlan.h"
#include "core/image/ImageWriteSession.h"

namespace zorvek::cli {

struct WriteOutcome {
    CommandOutcome written;
    // A write failed after others had landed, and they were written back:
    // the image is as it was.
    bool takenBack = false;
    // The failed step could not be written back: the image may hold part of it.
    bool partlyWritten = false;
    IoResult takeBackResult;
    bool ok() const { return written.ok(); }
};

// A command line's writes: one step of the session, taken back through the
// journal when it fails part way, so that it is all or nothing. The
// session's image was opened for this command: the step is its journal's only one.
WriteOutcome writeStep(ImageWriteSession& session, const QString& command, CommandKind kind,
                       const std::function<IoResult()>& writes);

// The bytes the plan changes, as writeImport leaves them in a copy of
// imageBytes (the whole image, as the plan was made from it), written as the
// step "Import": one write per run of changed bytes instead of one per
// field, so the file ends exactly as after the windows' saves.
WriteOutcome commitImport(ImageWriteSession& session, const QByteArray& imageBytes, const ImportPlan& plan,
                          const QDateTime& now);

} // namespace zorvek::cli
