#pragma once

// The catalogues: commercial tube series and emitter models as data, built in and from the
// user's folders.

#include "catalogues/built_in.h"
#include "catalogues/catalogue.h"
#include "catalogues/emitter_row.h"
#include "catalogues/read_series.h"
#include "catalogues/tube_row.h"
#include "catalogues/user_catalogues.h"
