#pragma once

// The pipe catalogues: commercial tube series as data, built in and from the user's folder.

#include "catalogues/built_in.h"
#include "catalogues/catalogue.h"
#include "catalogues/read_series.h"
#include "catalogues/tube_row.h"
#include "catalogues/user_catalogues.h"
