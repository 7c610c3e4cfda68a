// Chief header of the year tables, the table files and the symmetric
// equation-of-time report.
#pragma once

#include "tables/eot_pair_report.h"
#include "tables/solar_table.h"
#include "tables/year_tables.h"
