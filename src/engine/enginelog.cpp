#include "enginelog.h"

Q_LOGGING_CATEGORY(lcEngine, "tempmon.engine", QtWarningMsg)
