#include "trendsampling.h"

double readingValue(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value : 0;
}
