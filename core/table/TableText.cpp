#include "core/table/TableText.h"

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
        return QLatin1Char('"') + cell.toString() + QLatin1Char('"');
    qsizetype cut = kQuotedLength;
    if (cell[cut - 1].isHighSurrogate())
        --cut;  // never half a character
    return QStringLiteral("\"%1\u2026\" (%2 characters)").arg(cell.first(cut)).arg(cell.size());
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
        const QString decoded = decode(bytes.sliced(start, end - start));  // decoding happens on conversion
        if (decode.hasError())
            return number;
        start = end + 1;
    }
    return number;
}

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
        out.error = TableError{fileLabel, lineOfBadByte(body), 1, {}, QStringLiteral("text in UTF-8"),
                               QStringLiteral("bytes that are not UTF-8")};
        return out;
    }

    const QStringView text(out.text);
    qsizetype lineStart = 0;
    // Text after the last line end is a line; nothing after it is not.
    while (lineStart < text.size() && static_cast<qsizetype>(out.lines.size()) < maxLines) {
        qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), lineStart);
        if (lineEnd < 0)
            lineEnd = text.size();
        QStringView line = text.sliced(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        TableLine& split = out.lines.emplace_back();
        split.number = static_cast<int>(out.lines.size());
        qsizetype start = 0;
        for (qsizetype at = 0; at <= line.size() && split.cells.size() < maxCells; ++at) {
            if (at == line.size() || line[at] == QLatin1Char('\t')) {
                split.cells.append(line.sliced(start, at - start));
                start = at + 1;
            }
        }
    }
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
