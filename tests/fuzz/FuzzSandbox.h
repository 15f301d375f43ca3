#pragma once

class QTemporaryDir;

// A fuzz target writes only inside its own temporary folder: every directory it would make
// elsewhere (a stored folder naming "/usr", say) is refused, as a read-only disk would. The
// refusal stands in for the file system, not for the program: the program's answer to a
// folder it cannot make is part of what is fuzzed.
namespace FuzzSandbox {

// The application object and the target's own folder, to which writes are confined from now
// on; called once, from LLVMFuzzerInitialize.
const QTemporaryDir& Start(int* argc, char*** argv);

} // namespace FuzzSandbox
