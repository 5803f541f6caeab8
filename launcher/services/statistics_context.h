// The identity carried by every statistics request, and the requests
// themselves.
#pragma once

#include <cstdint>
#include <string>

// The position id stored as registry text: parsed like a standard
// string-to-int conversion (leading blanks and a sign accepted, parsing stops at
// the first non-digit); 0 when no digits lead or the number does not fit 32
// bits.
int32_t ParsePosId(const std::wstring& text);

// Whether the machine reports a network connection (WinINet's view).
bool IsNetworkConnected();

class StatisticsContext {
  public:
    using ConnectivityProbe = bool (*)();

    // endpoint: the statistics URL ("https://host/t.gif"), ANSI text.
    StatisticsContext(std::wstring uid, int32_t posId, std::string endpoint,
                      ConnectivityProbe isConnected = &IsNetworkConnected);

    // The process's context: the machine identifier, the sibling product's
    // "posId" and the configured endpoint; created on the first call.
    static StatisticsContext& Get();

    // Sends one request for the event unless reporting is off (posId -1) or the
    // machine is offline. True when the transfer completed, whatever the HTTP
    // status.
    bool Report(const std::wstring& event) const;

    // The endpoint followed by the query ca, ps, ad, tm, et and uin.
    std::wstring BuildBriefUrl(const std::wstring& event) const;

    const std::wstring& Uid() const { return uid_; }
    int32_t PosId() const { return posId_; }

  private:
    std::wstring uid_;
    int32_t posId_;
    std::string endpoint_;
    ConnectivityProbe isConnected_;
};
