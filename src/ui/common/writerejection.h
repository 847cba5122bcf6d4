#pragma once

// How a write the engine refused is told to the operator.

#include <QString>

struct RejectedWrite;
enum class WriteRejection;

// "不是數字", "超出範圍" ...: why the value could not be sent.
QString rejectionReason(WriteRejection reason);

// One line naming the panel, the slot, the parameter code, the value and the reason.
QString rejectionMessage(const RejectedWrite &write);
