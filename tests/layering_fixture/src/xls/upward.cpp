// An engine file that reaches up into the project: the layer check must refuse it.
#include "model/project.h"
