#pragma once

// Replaces the global operator new and delete of the test program to remember
// the addresses released, so tests can tell whether a payload was deleted.
void ForgetFreed();
bool WasFreed(const void* pointer);
