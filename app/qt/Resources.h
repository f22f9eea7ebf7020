#pragma once

// The texts and control ids are shared with the Windows front end.
#include "app/Resources.h"
