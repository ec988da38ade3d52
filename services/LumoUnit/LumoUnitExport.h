#pragma once
#include <QtGlobal>
#if defined(LUMOUNIT_LIBRARY)
#define LUMOUNIT_EXPORT Q_DECL_EXPORT
#else
#define LUMOUNIT_EXPORT Q_DECL_IMPORT
#endif
