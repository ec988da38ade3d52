#pragma once
#include <QtGlobal>
#if defined(LUMOECOCORE_LIBRARY)
#define LUMOECOCORE_EXPORT Q_DECL_EXPORT
#else
#define LUMOECOCORE_EXPORT Q_DECL_IMPORT
#endif
