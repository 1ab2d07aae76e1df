#include "main/EditorStamp.h"

#include "main/AppInfo.h"
#include "main/SingleByteText.h"
#include "main/Version.h"

#include <QRegularExpression>

namespace zorvek::stamp {

QString versionText()
{
    return QStringLiteral("%1.%2").arg(kVersionMajor).arg(kVersionRevision);
}

QString timeText(const QTime& time, const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    // Drop the time zone ("t", "tt", ...) with the blanks around it; quoted text stays.
    static const QRegularExpression zone(QStringLiteral("\\s*(?<!')\\bt+\\b(?!')\\s*"));
    format.replace(zone, QStringLiteral(" "));
    format = format.trimmed();
    if (!format.contains(QLatin1Char('s')))
        format = QStringLiteral("HH:mm:ss");
    return locale.toString(time, format);
}

QString dateTimeText(const QDateTime& when, const QLocale& locale)
{
    QString text = locale.toString(when.date(), QLocale::ShortFormat) + QStringLiteral(", ")
        + timeText(when.time(), locale);
    // Locales may use narrow or no-break spaces, which a single byte cannot hold.
    for (QChar& c : text)
        if (c.isSpace())
            c = QLatin1Char(' ');
    return text;
}

QString text(const QDateTime& when, const QLocale& locale)
{
    return QStringLiteral("%1 | %2 | %3").arg(QString::fromLatin1(kAppTitle), versionText(),
                                              dateTimeText(when, locale));
}

IoResult write(RomImage& rom, const QString& stampText)
{
    return rom.writeBytes(kOffset, toSingleBytes(stampText).left(kMaxLength));
}

} // namespace zorvek::stamp

namespace zorvek {

IoResult SaveQuenHeader(RomImage& rom, const QDateTime& now)
{
    return stamp::write(rom, stamp::text(now));
}

} // namespace zorvek
