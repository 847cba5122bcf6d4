#pragma once

class TRs485Comm;

// Raw frames of the link in the "tempmon.link" debug log, for commissioning
// (QT_LOGGING_RULES="tempmon.link.debug=true"), and at info level what a port
// backend did instead of a setting its driver refused. Nothing is attached while the
// category is off, so polling pays nothing for it.
void attachLinkLog(TRs485Comm &link);
