#include "mqttlog.h"

Q_LOGGING_CATEGORY(lcMqtt, "tempmon.mqtt", QtWarningMsg)
