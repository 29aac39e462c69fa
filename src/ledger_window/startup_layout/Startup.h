#pragma once
// Pure parts of the window's start-up.

#include <QString>

// The keyboard layout code for the operating system's major version:
// "00000401" for version 4, "00000429" from version 5; lower versions keep
// the current code.
QString KeyboardLayoutCodeFor(int majorVersion, const QString &current);
int PlatformMajorVersion();
// A user ID as the document components take it (16 bits); throws
// std::out_of_range for a value they cannot hold.
qint16 ComponentId(qint32 id, const char *name);
