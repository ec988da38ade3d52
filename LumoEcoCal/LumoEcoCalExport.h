#pragma once
#include <QtGlobal>
#if defined(LUMOECOCAL_LIBRARY)
#define LUMOECOCAL_EXPORT Q_DECL_EXPORT
#else
#define LUMOECOCAL_EXPORT Q_DECL_IMPORT
#endif
