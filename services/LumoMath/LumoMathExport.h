#pragma once
#include <QtGlobal>
#if defined(LUMOMATH_LIBRARY)
#define LUMOMATH_EXPORT Q_DECL_EXPORT
#else
#define LUMOMATH_EXPORT Q_DECL_IMPORT
#endif
