#pragma once

#include <QString>

// The program's persisted switches (QSettings "Ostrel"/"Orbit") hold the remote monitor's
// password, stored reversibly, so their file is kept readable by its user alone.
class OstPrivateSettings {
public:
    // The file QSettings("Ostrel", "Orbit") reads and writes.
    static QString FileName();
    // Gives the file mode 0600. Called before every write (with `create`, so a first write
    // never lands in a file others can read: QSettings keeps the mode of the file it
    // replaces) and at start for a file an older version left readable. False when the file
    // could not be made private.
    static bool Protect(bool create);
};
