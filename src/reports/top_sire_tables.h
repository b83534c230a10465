// Report tables of top sires and pedigree completeness per birth year: the
// Top sires table (number of sires, the most used sire and the shares of the
// ten most used sires, in percent) and the PEDIGREE COMPLETENESS table. The
// whole population and every subpopulation print them from their own
// yearly counts; all lines go to the report file.
#pragma once

#include <span>

#include "common/animal_record.h"
#include "common/run_context.h"
#include "common/year_range.h"
#include "reports/year_count_tables.h"

namespace veldmarsh {

// Writes the Top sires table from `tables`, whose shares are percentages by
// now (convert_shares_to_percentages). `top_sires` holds one record per year
// row, the year's most used sire (index k - 1 for row k); the record of a
// year without sires is not read.
void write_top_sire_report(run_context& ctx, const year_range& years, const top_sire_tables& tables,
                           std::span<const animal_label> top_sires);

// Writes the PEDIGREE COMPLETENESS table: per birth year the mean number of
// equivalent complete generations and the fractions of the animals with 1,
// 2, 3, 4 and 5 or more complete generations.
void write_completeness_report(run_context& ctx, const year_range& years, const completeness_tables& completeness);

}  // namespace veldmarsh
