#pragma once
// The scheduling priority of threads.

// Lowers the calling thread's priority, and that of the threads it starts afterwards, which
// inherit it: the window, the display server and the user's other programs then get a core
// at once while the walk keeps every core busy.
void LowerThreadPriority();
