// Call areas and the language of the windows.
#pragma once

#include <string_view>

#include "engine/contest_state.h"

// Fills the call-area field of `record` for the four call-area entities
// "K", "VE", "VK" and "JA" (exact keys): the last digit of `areaText` wins;
// no digit, or any other entity, leaves all four fields at -1.
void SetCallArea(CInfo& record, std::string_view country, std::string_view areaText);

// 1 when an operator of this entity gets the Russian texts, else 0.
int UsesRussianUi(const Text& country);
