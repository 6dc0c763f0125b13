#pragma once
#include <QtCore/qglobal.h>

#if defined(FILLGAUGE_BUILDING)
#define FILLGAUGE_EXPORT Q_DECL_EXPORT
#else
#define FILLGAUGE_EXPORT Q_DECL_IMPORT
#endif
