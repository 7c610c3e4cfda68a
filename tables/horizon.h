// Chief header of the horizon profile: elevation tiles, the computation,
// its sequence of boxes and dialogs, and the profile file.
#pragma once

#include "tables/elevation_grid.h"
#include "tables/horizon_calculation.h"
#include "tables/horizon_profile.h"
#include "tables/horizon_session.h"
#include "tables/horizon_texts.h"
