// Linkage of the functions that libcef.dll exports.
#ifndef CEF_INCLUDE_INTERNAL_CEF_EXPORT_H_
#define CEF_INCLUDE_INTERNAL_CEF_EXPORT_H_

#if defined(BUILDING_CEF_SHARED)
#define CEF_EXPORT __declspec(dllexport)
#else
#define CEF_EXPORT __declspec(dllimport)
#endif

#endif  // CEF_INCLUDE_INTERNAL_CEF_EXPORT_H_
