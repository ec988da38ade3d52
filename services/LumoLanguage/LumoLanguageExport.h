#pragma once
#include <QtGlobal>
#if defined(LUMOLANGUAGE_LIBRARY)
#define LUMOLANGUAGE_EXPORT Q_DECL_EXPORT
#else
#define LUMOLANGUAGE_EXPORT Q_DECL_IMPORT
#endif
