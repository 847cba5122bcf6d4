#pragma once

// The deviation check of one slot after a good set-value read: PV too far below
// SV - LAlarm or above SV + HAlarm. Each side is a two-state machine (inside,
// outside); an excursion is counted when it begins and announced once, the first
// one after a reset only when FirstAlarm is set. The four texts are compared as
// exact decimals, so a reading on a limit is inside it whatever its decimals.

#include "alarmtypes.h"

#include <vector>

// Updates `state` and returns the announcements due, the low side first. Nothing
// changes when a text is empty (no alarm point, no reading) or is not a number.
std::vector<AlarmNotice> evaluateDeviation(const AlarmLimits &limits, AlarmState &state,
                                           const QString &pvText, const QString &svText);
