#include "message_handlers.h"

std::map<std::wstring, MessageHandler> messageHandlers;
