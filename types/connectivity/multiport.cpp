// The three multiports are instantiated here, so that the library holds them.
#include "types/connectivity/multiport.h"

template class QV_MULTIPORT<QV_CONTROLPORT>;
template class QV_MULTIPORT<QV_GENERICPORT>;
template class QV_MULTIPORT<QV_CONNECTIONPORT>;
