#pragma once

// How an entry point of the engine tells its caller why it made nothing: the caller
// hands in an error object and reads it after a false return, in the manner of
// `bool loadFromXML(QIODevice *, ErrorDetails *)`. A caller that hands in none leaves
// the telling to the user interface on top of the engine (vr_user_interface.h).
//
// Only the engine's own failures travel this way (an expression that cannot be
// evaluated, a band taller than the page, a job protocol error, a file that cannot be
// written). An exception thrown by a handler of the caller's still goes back to the
// caller as an exception, after the report has been put back as it was.

#include <QString>

namespace reportengine {

struct TVRErrorDetails
{
    // What went wrong, as the user is told it; empty while nothing did.
    QString Message;
    // The file the failure concerns (one that could not be written), else empty.
    QString FileName;
    // Where in a run it failed, by name, so the caller can say what could not be printed:
    // the report, the band it was printing (a child band rather than its parent) and the
    // control of that band; each empty where the failure was not inside one.
    QString Report{};
    QString Band{};
    QString Control{};

    bool HasError() const { return !Message.isEmpty(); }
};

} // namespace reportengine
