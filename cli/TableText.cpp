#include "cli/TableText.h"

#include <QStringDecoder>

namespace zorvek::cli {

QString quoted(const QString& cell) { return QLatin1Char('"') + cell + QLatin1Char('"'); }

QString TableError::message() const
{
    QString text = QStringLiteral("%1:%2:%3: ").arg(file).arg(line).arg(column);
    if (!columnName.isEmpty())
        text += columnName + QStringLiteral(": ");
    return text + QStringLiteral("expected %1, found %2").arg(expected, found);
}

SplitTable splitTable(const QByteArray& text, const QString& fileLabel)
{
    SplitTable out;
    QByteArray body = text;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QList<QByteArray> raw = body.split('\n');
    if (!raw.isEmpty() && raw.last().isEmpty())
        raw.removeLast();  // the line end of the last line

    for (qsizetype i = 0; i < raw.size(); ++i) {
        QByteArray bytes = raw[i];
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        const int number = static_cast<int>(i) + 1;
        // Each line on its own, so a bad byte is reported on its line.
        QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString line = decode(bytes);
        if (decode.hasError()) {
            out.error = TableError{fileLabel, number, 1, {}, QStringLiteral("text in UTF-8"),
                                   QStringLiteral("bytes that are not UTF-8")};
            return out;
        }
        out.lines.push_back({number, line.split(QLatin1Char('\t'))});
    }
    return out;
}

QByteArray joinTable(const QList<QStringList>& rows)
{
    QByteArray out;
    for (const QStringList& row : rows) {
        out += row.join(QLatin1Char('\t')).toUtf8();
        out += '\n';
    }
    return out;
}

} // namespace zorvek::cli
