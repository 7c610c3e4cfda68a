// Chief header of the solar astronomy: calendar, ephemeris and time texts.
#pragma once

#include "astro/calendar.h"
#include "astro/solar_ephemeris.h"
#include "astro/time_format.h"
