// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/UndoHistory.h"

namespace zorvek {

namespace {

constexpr const char* kLooseWriteCommand = "Write";

enum class Direction { Back, Forward };

// Writes the step one way and stops at the first failure. The session holds
// the writes back and puts them on the file only once they all succeeded, so
// a failure here has not reached the file.
IoResult replay(const UndoStep& step, Direction direction, ByteWriter& writer)
{
    const auto& changes = step.changes;
    const std::size_t n = changes.size();
    for (std::size_t i = 0; i < n; ++i) {
        const ByteChange& c = direction == Direction::Back ? changes[n - 1 - i] : changes[i];
        if (IoResult r = writer.write(c.offset, direction == Direction::Back ? c.before : c.after); !r.ok())
            return r;
    }
    return IoResult::success();
}

} // namespace

bool UndoStep::touches(qint64 offset, qint64 length) const
{
    for (const ByteChange& c : changes)
        if (c.offset < offset + length && offset < c.offset + c.after.size())
            return true;
    return false;
}

void UndoHistory::begin(const QString& command)
{
    if (m_depth++ == 0)
        m_open = UndoStep{command, {}};
}

void UndoHistory::end()
{
    if (m_depth == 0 || --m_depth > 0)
        return;
    push(std::move(m_open));
    m_open = {};
}

void UndoHistory::record(qint64 offset, const QByteArray& before, const QByteArray& after)
{
    if (m_depth > 0) {
        m_open.changes.push_back({offset, before, after});
        return;
    }
    push(UndoStep{QString::fromLatin1(kLooseWriteCommand), {{offset, before, after}}});
}

void UndoHistory::push(UndoStep step)
{
    if (step.changes.empty())
        return;
    m_undo.push_back(std::move(step));
    m_redo.clear();
}

QString UndoHistory::undoText() const { return canUndo() ? m_undo.back().command : QString(); }
QString UndoHistory::redoText() const { return canRedo() ? m_redo.back().command : QString(); }

ReplayOutcome UndoHistory::undo(ByteWriter& writer)
{
    if (!canUndo())
        return {IoResult::failure(QStringLiteral("There is nothing to undo.")), {}};
    return moveTop(m_undo, m_redo, true, writer);
}

ReplayOutcome UndoHistory::redo(ByteWriter& writer)
{
    if (!canRedo())
        return {IoResult::failure(QStringLiteral("There is nothing to redo.")), {}};
    return moveTop(m_redo, m_undo, false, writer);
}

ReplayOutcome UndoHistory::moveTop(std::vector<UndoStep>& from, std::vector<UndoStep>& to, bool back,
                                   ByteWriter& writer)
{
    ReplayOutcome out{{}, from.back()};
    out.result = replay(out.step, back ? Direction::Back : Direction::Forward, writer);
    if (out.result.ok()) {
        to.push_back(std::move(from.back()));
        from.pop_back();
    }
    return out;
}

void UndoHistory::dropOpen()
{
    if (m_depth > 1) {
        end();
        return;
    }
    m_open = {};
    m_depth = 0;
}

void UndoHistory::takeBackReplay(bool undone)
{
    std::vector<UndoStep>& from = undone ? m_redo : m_undo;
    std::vector<UndoStep>& to = undone ? m_undo : m_redo;
    if (from.empty())
        return;
    to.push_back(std::move(from.back()));
    from.pop_back();
}

void UndoHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_open = {};
    m_depth = 0;
}

} // namespace zorvek
