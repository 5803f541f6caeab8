// Host-message payloads made by a test and watched until they are deleted.
// This program's global operator delete reports every block it frees.
#pragma once

#include <string>

// A payload as the browser module makes it (std::string made with new).
std::string* NewTrackedPayload(const std::string& text);

// Tracked payloads not deleted yet.
long UndeletedPayloads();
