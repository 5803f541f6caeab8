// Behaviour of the payment library stand-in, read from its own environment
// variables at every call so that a test can change them between calls:
//   LYSDK_STANDIN_INIT_RESULT      answer of SDK360_Init (decimal, default 0)
//   LYSDK_STANDIN_RESULT_TEXT      text of the result record (default "ok")
//   LYSDK_STANDIN_DELAY_MS         wait before the result callback (default 0)
//   LYSDK_STANDIN_CALLBACK_THREAD  "caller" or "own" (default "own")
//   LYSDK_STANDIN_RECORD_FILE      file that receives one decoded line per
//                                  received record (none by default)
#pragma once

#include <string>

struct StandinSettings {
    int initResult = 0;
    std::wstring resultText = L"ok";
    unsigned delayMs = 0;
    bool callbackOnOwnThread = true;
    std::wstring recordFile;
};

StandinSettings ReadStandinSettings();
