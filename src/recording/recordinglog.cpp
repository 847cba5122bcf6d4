#include "recordinglog.h"

Q_LOGGING_CATEGORY(lcRecording, "tempmon.recording", QtWarningMsg)
