#pragma once
#include <QtGlobal>
#if defined(LUMOCOMMON_LIBRARY)
#define LUMOCOMMON_EXPORT Q_DECL_EXPORT
#else
#define LUMOCOMMON_EXPORT Q_DECL_IMPORT
#endif
