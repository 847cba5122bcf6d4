#include "uilog.h"

Q_LOGGING_CATEGORY(lcUi, "tempmon.ui", QtWarningMsg)
