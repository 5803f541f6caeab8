// C records and enumerations of the API.
#ifndef CEF_INCLUDE_INTERNAL_CEF_TYPES_H_
#define CEF_INCLUDE_INTERNAL_CEF_TYPES_H_

#include <stddef.h>
#include <stdint.h>

#include "include/internal/cef_string_types.h"
#include "include/internal/cef_types_win.h"

typedef enum {
    LOGSEVERITY_DEFAULT,
    LOGSEVERITY_VERBOSE,
    LOGSEVERITY_DEBUG = LOGSEVERITY_VERBOSE,
    LOGSEVERITY_INFO,
    LOGSEVERITY_WARNING,
    LOGSEVERITY_ERROR,
    LOGSEVERITY_FATAL,
    LOGSEVERITY_DISABLE = 99
} cef_log_severity_t;

// Global settings given to CefInitialize. Texts are UTF-16 records.
typedef struct _cef_settings_t {
    size_t size;
    int no_sandbox;
    // Program started for the sub-processes; empty means the host executable.
    cef_string_t browser_subprocess_path;
    int multi_threaded_message_loop;
    // Folder of the disk cache; empty means an in-memory cache.
    cef_string_t cache_path;
    // Folder of the browser's profile data; empty means a private temporary one.
    cef_string_t user_data_path;
    int persist_session_cookies;
    // Complete User-Agent header value; empty means the engine's own.
    cef_string_t user_agent;
    cef_string_t locale;
    cef_log_severity_t log_severity;
    // Comma-separated Accept-Language list; empty means |locale|.
    cef_string_t accept_language_list;
} cef_settings_t;

// Per-browser settings; every browser currently uses the engine's defaults.
typedef struct _cef_browser_settings_t {
    size_t size;
} cef_browser_settings_t;

typedef struct _cef_point_t {
    int x;
    int y;
} cef_point_t;

typedef struct _cef_popup_features_t {
    int x;
    int xSet;
    int y;
    int ySet;
    int width;
    int widthSet;
    int height;
    int heightSet;
    int isPopup;
} cef_popup_features_t;

typedef enum {
    RT_MAIN_FRAME = 0,
    RT_SUB_FRAME,
    RT_STYLESHEET,
    RT_SCRIPT,
    RT_IMAGE,
    RT_FONT_RESOURCE,
    RT_SUB_RESOURCE,
    RT_OBJECT,
    RT_MEDIA,
    RT_WORKER,
    RT_SHARED_WORKER,
    RT_PREFETCH,
    RT_FAVICON,
    RT_XHR,
    RT_PING,
    RT_SERVICE_WORKER,
    RT_CSP_REPORT,
    RT_PLUGIN_RESOURCE,
} cef_resource_type_t;

typedef enum {
    PID_BROWSER,
    PID_RENDERER,
} cef_process_id_t;

typedef enum {
    RV_CANCEL = 0,
    RV_CONTINUE,
    RV_CONTINUE_ASYNC,
} cef_return_value_t;

typedef enum {
    VTYPE_INVALID = 0,
    VTYPE_NULL,
    VTYPE_BOOL,
    VTYPE_INT,
    VTYPE_DOUBLE,
    VTYPE_STRING,
    VTYPE_BINARY,
    VTYPE_DICTIONARY,
    VTYPE_LIST,
} cef_value_type_t;

typedef enum {
    V8_PROPERTY_ATTRIBUTE_NONE = 0,
    V8_PROPERTY_ATTRIBUTE_READONLY = 1 << 0,
    V8_PROPERTY_ATTRIBUTE_DONTENUM = 1 << 1,
    V8_PROPERTY_ATTRIBUTE_DONTDELETE = 1 << 2
} cef_v8_propertyattribute_t;

typedef enum {
    WOD_UNKNOWN,
    WOD_CURRENT_TAB,
    WOD_SINGLETON_TAB,
    WOD_NEW_FOREGROUND_TAB,
    WOD_NEW_BACKGROUND_TAB,
    WOD_NEW_POPUP,
    WOD_NEW_WINDOW,
    WOD_SAVE_TO_DISK,
    WOD_OFF_THE_RECORD,
    WOD_IGNORE_ACTION,
} cef_window_open_disposition_t;

// Network error codes reported with failed loads (a subset of the engine's).
typedef enum {
    ERR_NONE = 0,
    ERR_FAILED = -2,
    ERR_ABORTED = -3,
    ERR_INVALID_ARGUMENT = -4,
    ERR_INVALID_HANDLE = -5,
    ERR_FILE_NOT_FOUND = -6,
    ERR_TIMED_OUT = -7,
    ERR_ACCESS_DENIED = -10,
    ERR_BLOCKED_BY_CLIENT = -20,
    ERR_BLOCKED_BY_RESPONSE = -27,
    ERR_CONNECTION_CLOSED = -100,
    ERR_CONNECTION_RESET = -101,
    ERR_CONNECTION_REFUSED = -102,
    ERR_CONNECTION_ABORTED = -103,
    ERR_CONNECTION_FAILED = -104,
    ERR_NAME_NOT_RESOLVED = -105,
    ERR_INTERNET_DISCONNECTED = -106,
    ERR_ADDRESS_UNREACHABLE = -109,
    ERR_CONNECTION_TIMED_OUT = -118,
    ERR_INVALID_URL = -300,
    ERR_DISALLOWED_URL_SCHEME = -301,
    ERR_UNKNOWN_URL_SCHEME = -302,
    ERR_TOO_MANY_REDIRECTS = -310,
    ERR_EMPTY_RESPONSE = -324,
} cef_errorcode_t;

typedef enum {
    EVENTFLAG_NONE = 0,
    EVENTFLAG_CAPS_LOCK_ON = 1 << 0,
    EVENTFLAG_SHIFT_DOWN = 1 << 1,
    EVENTFLAG_CONTROL_DOWN = 1 << 2,
    EVENTFLAG_ALT_DOWN = 1 << 3,
    EVENTFLAG_LEFT_MOUSE_BUTTON = 1 << 4,
    EVENTFLAG_MIDDLE_MOUSE_BUTTON = 1 << 5,
    EVENTFLAG_RIGHT_MOUSE_BUTTON = 1 << 6,
    EVENTFLAG_COMMAND_DOWN = 1 << 7,
    EVENTFLAG_NUM_LOCK_ON = 1 << 8,
    EVENTFLAG_IS_KEY_PAD = 1 << 9,
    EVENTFLAG_IS_LEFT = 1 << 10,
    EVENTFLAG_IS_RIGHT = 1 << 11,
    EVENTFLAG_ALTGR_DOWN = 1 << 12,
    EVENTFLAG_IS_REPEAT = 1 << 13,
} cef_event_flags_t;

typedef enum {
    MENUITEMTYPE_NONE,
    MENUITEMTYPE_COMMAND,
    MENUITEMTYPE_CHECK,
    MENUITEMTYPE_RADIO,
    MENUITEMTYPE_SEPARATOR,
    MENUITEMTYPE_SUBMENU,
} cef_menu_item_type_t;

typedef enum {
    KEYEVENT_RAWKEYDOWN = 0,
    KEYEVENT_KEYDOWN,
    KEYEVENT_KEYUP,
    KEYEVENT_CHAR
} cef_key_event_type_t;

typedef struct _cef_key_event_t {
    cef_key_event_type_t type;
    // EVENTFLAG_* bits.
    uint32_t modifiers;
    int windows_key_code;
    int native_key_code;
    int is_system_key;
    char16 character;
    char16 unmodified_character;
    int focus_on_editable_field;
} cef_key_event_t;

#endif  // CEF_INCLUDE_INTERNAL_CEF_TYPES_H_
