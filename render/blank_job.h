#pragma once

#include "render/view_state.h"

// Whether a print job would print anything readable: a tag draws its texts only when its name
// is printed (see DrawCard), so a job none of whose cards has a printed, non-empty name gives
// blank tags. Checked before a job runs, so that the user hears of it first.
bool JobDrawsText(const ViewState& view);
