#pragma once
#include <QtGlobal>
#if defined(LUMODATABASE_LIBRARY)
#define LUMODATABASE_EXPORT Q_DECL_EXPORT
#else
#define LUMODATABASE_EXPORT Q_DECL_IMPORT
#endif
