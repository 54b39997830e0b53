#include "types/connectivity/connection.h"

QV_DEFINE_IDENTITY_SUBCLASS(CONNECTION, QV_CONNECTION, QV_GENERICCONNECTION,
                            "Model CONNECTION\tV8.8")
