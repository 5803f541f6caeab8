#pragma once

namespace skin {

// Runs the thread's message loop until WM_QUIT. Each message is first offered
// to the pre-translation of the toolkit window it is addressed to and of that
// window's ancestors; what none of them takes is translated and dispatched.
void RunMessageLoop();

}  // namespace skin
