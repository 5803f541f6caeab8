// The payment steps of the program entry.
#pragma once

// Start-up: initialises the payment library. When that fails, tells the user
// with a message box and returns false once it is closed; the entry then ends.
bool RunPaymentStartup();

// Shutdown: uninitialises the payment library.
void RunPaymentShutdown();
