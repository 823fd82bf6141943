#pragma once

// The confinement of tintwright-chm-reader, which runs chmlib on help files that may be hostile.

// Bounds the reader's memory and processor time; false when the limits could not be set. Called
// first, so that every step of the reader runs under them.
bool LimitReaderResources();

// From here on the process gains no privileges and may make only the few system calls that
// reading an open help file and writing the result need: read and seek in files already open,
// write to standard output, manage memory (none of it executable), close and exit. Any other
// call ends the process at once. False when the confinement could not be set up, in which case
// the reader must not go on.
bool EnterReaderSandbox();
