#pragma once

// Writes of a settings file (the application profile and the host's own
// settings) as one atomic replacement. QSettings composes the new content on a
// private copy, so the file keeps its format and every entry reads as before;
// the copy then takes the file's place through the system helpers' atomic
// write, so a failure at any step leaves the file as it was.

#include "AfxTypes.h"

#include <QString>
#include <functional>

class QSettings;

// Applies the change to the settings file; FALSE (the reason in the debugger
// output) when it could not be written, the file then being untouched.
BOOL AfxWriteSettings(const QString& strFile, const std::function<void(QSettings&)>& fnChange);
// The same for the host's settings, those a default QSettings reads.
BOOL AfxWriteHostSettings(const std::function<void(QSettings&)>& fnChange);
