#pragma once

#include <QString>

#include <ostream>

// Failed comparisons show texts as text rather than as code units.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
