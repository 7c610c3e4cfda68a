// Chief header of the solar astronomy: calendar, ephemeris and time texts.
#pragma once

#include "astro/calendar.h"
#include "astro/solar_ephemeris.h"
#include "astro/time_format.h"
#include "astro/horizontal_coordinates.h"
#include "astro/rise_set.h"
#include "astro/plane_sunlight.h"
#include "astro/azimuth_time.h"
#include "astro/time_systems.h"
