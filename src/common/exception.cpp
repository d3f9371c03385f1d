#include "common/exception.h"
