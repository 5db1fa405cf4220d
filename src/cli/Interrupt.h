#pragma once

#include <atomic>

// The signals that end a tool from outside: Ctrl-C (SIGINT), SIGTERM and,
// where there is one, SIGHUP.

// Removes the temporary file at `path` if one of those signals ends the
// program before forget(path): no stray file is left beside an output. The
// text must live until then. Any number of files may be held at once.
void removeOnSignal(const char* path);
void forget(const char* path);

// Makes the first of those signals set the flag it returns instead of
// ending the program, so that a long run can stop and keep what it has; a
// second one ends it as before.
const std::atomic<bool>& stopOnSignal();
