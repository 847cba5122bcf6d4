#pragma once

// One server for a whole test program, started when a test first asks for it.

#include "pgserver.h"

inline PgServer &sharedPgServer()
{
    static PgServer server;
    return server;
}

// The running server, or null with `why` set when there is none to be had.
inline PgServer *runningPgServer(QString *why)
{
    PgServer &server = sharedPgServer();
    static bool tried = false;
    if (!tried) {
        tried = true;
        server.start();
    }
    if (server.running())
        return &server;
    if (why)
        *why = server.reason();
    return nullptr;
}

// A fresh database on the shared server: its address, or empty with `why` set.
inline QString freshPgDatabase(QString *why)
{
    static int made = 0;
    PgServer *server = runningPgServer(why);
    if (!server)
        return {};
    const QString address = server->createDatabase(QStringLiteral("alarms_%1").arg(++made));
    if (address.isEmpty() && why)
        *why = server->reason();
    return address;
}
