#include "types/connectivity/control_signal.h"

QV_DEFINE_IDENTITY_SUBCLASS(CONTROLSIGNAL, QV_CONTROLSIGNAL, QV_GENERICCONTROLSIGNAL,
                            "Model CONTROLSIGNAL\tV8.8")
