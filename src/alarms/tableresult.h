#pragma once

// The outcome of one table operation: done, or the table engine's error.

#include <QString>

struct TableResult {
    bool ok = true;
    bool keyViolation = false; // the row's slot already has a row
    QString error;             // the table engine's words, for the error report

    explicit operator bool() const { return ok; }
    static TableResult failed(QString error, bool keyViolation = false) { return {false, keyViolation, std::move(error)}; }
};
