// The statistics summary (GetResult in engine.h) and its small pieces.
#pragma once

#include "platform/text.h"

// Puts band names into the summary's order: descending by their texts filled
// on the left with "0" to 20 characters ("160m", "80m", ..., "10m").
void SortBandsUsed(TextList& bands);

// The band slot whose multiplier tables a summary band fills: the slot of
// the exact label, or none (-1). A band that differs from a label only in
// letter case ("20M") gets its own row but no slot, so it never overwrites
// the tables of a band that is named exactly.
int SummarySlotOf(const Text& band);
