#pragma once

// Counts the calls that change files (opening for writing, writing, renaming,
// deleting, making folders) that this process makes while armed, and kills
// the process with SIGKILL on the call numbered LUMIVUE_KILL_AT (from 1),
// before that call runs; a write is first cut to half its bytes, so that a
// torn file is tried too. The calls are caught by this executable defining
// the C library's functions itself: Qt and the standard library reach them
// through the dynamic linker, which looks in the executable first.
namespace KillSwitch {

void arm();
void disarm();
// Calls counted while armed.
long steps();

} // namespace KillSwitch
