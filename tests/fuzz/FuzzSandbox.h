#pragma once

#include <QByteArray>

// A fuzz target writes only inside its own temporary folder: every directory it would make
// elsewhere (a stored folder naming "/usr", say) is refused, as a read-only disk would. The
// refusal stands in for the file system, not for the program: the program's answer to a
// folder it cannot make is part of what is fuzzed.
namespace FuzzSandbox {

// The folder writes are allowed in; set once, before the first input.
void Confine(const QByteArray& root);
// Directories refused since the start.
int Refused();

} // namespace FuzzSandbox
