#pragma once
// Lets GoogleTest print Qt strings in failure messages instead of their bytes.
#include <QString>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }
