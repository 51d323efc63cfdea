// The playback tick must run on time even when the machine is busy, as a multimedia
// timer callback does.
#pragma once

namespace ks {

// Raise the calling thread to a low real-time priority where the system allows it;
// where it does not, the thread keeps its priority. Only for threads that never spin.
void raiseThreadPriority();

}  // namespace ks
