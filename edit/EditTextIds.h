// Ids of the texts of the editing commands.
#pragma once

#include "model/StringIds.h"

namespace ks::StringId {
constexpr int LinePositioning = 34140;
constexpr int SetLineSize = 34144;
constexpr int ChangeBarsPerLine = 40300;
constexpr int ResetBarsPerLine = 40301;
constexpr int ResetLinePositioning = 40302;
constexpr int ResetLayout = 40303;
constexpr int AutoSpaceLinesOnPages = 40304;
constexpr int AutoAdjustFirstLine = 40305;
constexpr int AskResetLinePositions = 40306;
constexpr int AskResetAllLayout = 40307;
}  // namespace ks::StringId
