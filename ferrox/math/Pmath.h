// The whole maths of the base library.
#pragma once

#include "ferrox/math/Pmatrix.h"
#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Ptrig.h"
#include "ferrox/math/Pvector.h"
#include "ferrox/math/QuaternionSpline.h"
