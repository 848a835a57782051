#include "csvimport/rules/Separator.h"
