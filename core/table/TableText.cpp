// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/TableText.h"

#include "core/text/VisibleText.h"

#include <QStringDecoder>

#include <charconv>

namespace zorvek::table {

namespace {

// Enough to find the cell; a cell of megabytes must not make a message of megabytes.
constexpr qsizetype kQuotedLength = 40;

} // namespace

QString quoted(QStringView cell)
{
    if (cell.size() <= kQuotedLength)
        return QLatin1Char('"') + visibleControls(cell) + QLatin1Char('"');
    qsizetype cut = kQuotedLength;
    if (cell[cut - 1].isHighSurrogate())
        --cut; // never half a character
    return QStringLiteral("\"%1\u2026\" (%2 characters)").arg(visibleControls(cell.first(cut))).arg(cell.size());
}

QString TableError::message() const
{
    QString text = QStringLiteral("%1:%2:%3: ").arg(file).arg(line).arg(column);
    if (!columnName.isEmpty())
        text += columnName + QStringLiteral(": ");
    return text + QStringLiteral("expected %1, found %2").arg(expected, found);
}

namespace {

// Only called once the whole text is known to hold a bad byte. A line at a
// time, never a list of them: a file of line ends would make millions.
int lineOfBadByte(QByteArrayView bytes)
{
    int number = 1;
    for (qsizetype start = 0; start <= bytes.size(); ++number) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = decode(bytes.sliced(start, end - start)); // decoding happens on conversion
        if (decode.hasError())
            return number;
        start = end + 1;
    }
    return number;
}

} // namespace

namespace {

constexpr QChar kQuote = u'"';
constexpr QChar kTab = u'\t';
constexpr QChar kLineEnd = u'\n';
// Of a cell quoted in a message: enough to find it, never a whole file.
constexpr qsizetype kQuotedStart = 40;

// Splits the lines of text into cells, keeping quoted cells' contents in
// out.unquoted; the first error ends it. False when it stopped at maxLines
// with text left.
bool splitCells(SplitTable& out, const QString& fileLabel, qsizetype maxLines, qsizetype maxCells)
{
    const QStringView text(out.text);
    const qsizetype end = text.size();
    int lineNumber = 1;
    qsizetype at = 0;
    while (at < end && static_cast<qsizetype>(out.lines.size()) < maxLines) {
        TableLine& line = out.lines.emplace_back();
        line.number = lineNumber;
        // Counted apart from the kept cells, so an error past the cap still names its own column.
        int column = 0;
        for (bool lineDone = false; !lineDone;) {
            ++column;
            if (at < end && text[at] == kQuote) {
                const int quoteLine = lineNumber;
                const bool kept = line.cells.size() < maxCells;
                QString beyond;
                QString& cell = kept ? out.unquoted.emplace_back() : beyond;
                bool closed = false;
                for (++at; at < end && !closed;) {
                    if (text[at] != kQuote) {
                        lineNumber += text[at] == kLineEnd;
                        cell += text[at++];
                    } else if (at + 1 < end && text[at + 1] == kQuote) {
                        cell += kQuote;
                        at += 2;
                    } else {
                        closed = true;
                        ++at;
                    }
                }
                if (!closed) {
                    out.error = TableError{fileLabel,
                                           quoteLine,
                                           column,
                                           {},
                                           QStringLiteral("a closing quote for the cell's opening quote"),
                                           QStringLiteral("the end of the file")};
                    return true;
                }
                if (kept)
                    line.cells.append(QStringView(cell));
                if (at < end && text[at] == u'\r' && (at + 1 == end || text[at + 1] == kLineEnd))
                    ++at;
                if (at < end && text[at] != kTab && text[at] != kLineEnd) {
                    qsizetype stop = at;
                    while (stop < end && text[stop] != kTab && text[stop] != kLineEnd && stop - at < kQuotedStart)
                        ++stop;
                    out.error = TableError{fileLabel,
                                           lineNumber,
                                           column,
                                           {},
                                           QStringLiteral("a tab or the end of the line after the closing quote"),
                                           quoted(text.sliced(at, stop - at).toString())};
                    return true;
                }
            } else {
                const qsizetype start = at;
                while (at < end && text[at] != kTab && text[at] != kLineEnd)
                    ++at;
                QStringView cell = text.sliced(start, at - start);
                if ((at == end || text[at] == kLineEnd) && cell.endsWith(u'\r'))
                    cell.chop(1);
                if (line.cells.size() < maxCells)
                    line.cells.append(cell);
            }
            if (at < end && text[at] == kTab) {
                ++at;
                if (at == end && line.cells.size() < maxCells)
                    line.cells.append(QStringView()); // a tab at the very end starts an empty cell
            } else {
                lineDone = true;
                if (at < end) {
                    ++at; // the line end
                    ++lineNumber;
                }
            }
        }
    }
    return at >= end;
}

bool isEmptyLine(const TableLine& line) { return line.cells.size() == 1 && line.cells.first().isEmpty(); }

} // namespace

SplitTable splitTable(const QByteArray& bytes, const QString& fileLabel, qsizetype maxLines, qsizetype maxCells)
{
    SplitTable out;
    QByteArrayView body(bytes);
    if (body.startsWith("\xEF\xBB\xBF"))
        body = body.sliced(3);
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    out.text = decode(body);
    if (decode.hasError()) {
        out.error = TableError{fileLabel,
                               lineOfBadByte(body),
                               1,
                               {},
                               QStringLiteral("text in UTF-8"),
                               QStringLiteral("bytes that are not UTF-8")};
        return out;
    }
    const bool whole = splitCells(out, fileLabel, maxLines, maxCells);
    if (out.error) {
        out.lines.clear();
        return out;
    }
    // Some programs end a table with an empty line.
    if (whole && !out.lines.empty() && isEmptyLine(out.lines.back()))
        out.lines.pop_back();
    return out;
}

void TableWriter::separate()
{
    if (m_lineStarted)
        m_bytes += '\t';
    m_lineStarted = true;
}

void TableWriter::text(QStringView cell)
{
    separate();
    m_bytes += cell.toUtf8();
}

void TableWriter::number(int value)
{
    separate();
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    m_bytes.append(digits, end - digits);
}

void TableWriter::endLine()
{
    m_bytes += '\n';
    m_lineStarted = false;
}

} // namespace zorvek::table
