#pragma once

#include <QByteArray>
#include <QString>

// Writes a file that appears under its name whole or not at all and never takes the place of
// a file that is already there: the bytes go to a private file in the same folder, are flushed
// to the disk, and the name is then given in one step that fails when the name is taken.
namespace OstNewFile {

enum class Failure {
    None,
    Create,    // the private file could not be made (missing or unwritable folder)
    Write,     // a short or failed write, or a failed close
    Flush,     // the bytes could not be brought to the disk
    NameTaken, // something (a file, a folder, a dangling link) already has the name
    Name,      // the folder offers no way to name a file without replacing another
};

// The ways of giving the name, each falling back to the next where the filesystem lacks it:
// an unnamed file (O_TMPFILE) linked into place, a hidden named file hard-linked and then
// removed, and that named file renamed with RENAME_NOREPLACE (filesystems without hard links).
enum class Road { Unnamed, Linked, Renamed };

// Writes `bytes` to the new file `path`, starting on `first`. On any failure nothing is left
// in the folder. The file gets the usual permissions (0666 minus the umask).
Failure Write(const QString& path, const QByteArray& bytes, Road first = Road::Unnamed);

} // namespace OstNewFile
