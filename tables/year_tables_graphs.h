// Chief header of the year tables, the table files, the symmetric
// equation-of-time report and the graphs of the table window.
#pragma once

#include "tables/eot_pair_report.h"
#include "tables/graph_texts.h"
#include "tables/graphs.h"
#include "tables/solar_table.h"
#include "tables/sun_path.h"
#include "tables/year_tables.h"
