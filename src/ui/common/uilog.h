#pragma once

#include <QLoggingCategory>

// The windows' log category, "tempmon.ui", off by default.
Q_DECLARE_LOGGING_CATEGORY(lcUi)
