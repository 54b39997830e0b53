// The host framework as model libraries see it.
#pragma once

#include "host/qv_equation.h"
#include "host/qv_links.h"
#include "host/qv_matrix.h"
#include "host/qv_memory.h"
#include "host/qv_model.h"
#include "host/qv_object.h"
#include "host/qv_procedure.h"
#include "host/qv_value.h"
