// Ids of the texts around long print and export jobs.
#pragma once

namespace ks::OutputJobTextId {
constexpr int LargeJobQuestion = 44504;  // "This score has %d pages. ... Do you want to go on?"
constexpr int ProgressPage = 44505;      // "Page %d of %d"
constexpr int ProgressTitle = 44506;     // "Printing and Export"
}  // namespace ks::OutputJobTextId
