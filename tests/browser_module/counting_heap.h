#pragma once

// Blocks made by this executable's global operator new and not yet deleted.
// The handler code linked into the unit tests allocates its payloads there;
// blocks that the C++ runtime library or the runtime stand-in allocate
// themselves are not counted, even when this executable deletes them.
long LiveHeapBlocks();
