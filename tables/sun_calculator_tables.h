// Chief header of the sun calculator and the rise/set tables.
#pragma once

#include "tables/low_precision_ephemeris.h"
#include "tables/rise_set_search.h"
#include "tables/rise_set_tables.h"
#include "tables/sun_calculator.h"
#include "tables/table_calendar.h"
#include "tables/table_texts.h"
