#pragma once
#include <QtGlobal>
#if defined(LUMOLOADCAL_LIBRARY)
#define LUMOLOADCAL_EXPORT Q_DECL_EXPORT
#else
#define LUMOLOADCAL_EXPORT Q_DECL_IMPORT
#endif
