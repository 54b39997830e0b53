// The procedure template with every member definition: include it where the template is
// instantiated for a procedure class.
#pragma once

#include "procedures/procedure_template.h"
#include "procedures/procedure_template_arguments.h"
#include "procedures/procedure_template_call.h"
#include "procedures/procedure_template_equations.h"
#include "procedures/procedure_template_jacobian.h"
#include "procedures/procedure_template_lifetime.h"
#include "procedures/procedure_template_packing.h"
