#include "cli/TableText.h"

#include <QStringDecoder>

#include <charconv>

namespace zorvek::cli {

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

// Only called once the whole text is known to hold a bad byte.
int lineOfBadByte(QByteArrayView bytes)
{
    int number = 1;
    for (const QByteArrayView line : QByteArray::fromRawData(bytes.data(), bytes.size()).split('\n')) {
        QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = decode(line);  // decoding happens on conversion
        if (decode.hasError())
            return number;
        ++number;
    }
    return number;
}

} // namespace

SplitTable splitTable(const QByteArray& bytes, const QString& fileLabel)
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

    QList<QStringView> lines = QStringView(out.text).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();  // the line end of the last line
    out.lines.reserve(static_cast<size_t>(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringView line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        TableLine& split = out.lines.emplace_back();
        split.number = static_cast<int>(i) + 1;
        qsizetype start = 0;
        for (qsizetype at = 0; at <= line.size(); ++at) {
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

} // namespace zorvek::cli
