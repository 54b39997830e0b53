// The three multiports are instantiated here, so that the library holds them.
#include "types/connectivity/multiport.h"

template class NORVANE_CLASS QV_MULTIPORT<QV_CONTROLPORT>;
template class NORVANE_CLASS QV_MULTIPORT<QV_GENERICPORT>;
template class NORVANE_CLASS QV_MULTIPORT<QV_CONNECTIONPORT>;
