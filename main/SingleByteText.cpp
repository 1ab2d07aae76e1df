#include "main/SingleByteText.h"

namespace zorvek {

QByteArray toSingleBytes(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar ch : text)
        out.append(ch.unicode() <= 0xFF ? static_cast<char>(ch.unicode()) : '?');
    return out;
}

QString fromSingleBytes(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes);
}

} // namespace zorvek
