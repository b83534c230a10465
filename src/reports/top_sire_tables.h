// Report tables of top sires and pedigree completeness per birth year: the
// Top sires table (number of sires, the most used sire and the shares of the
// ten most used sires, in percent) and the PEDIGREE COMPLETENESS table. The
// whole population and every subpopulation print them from their own
// tables; all lines go to the report file.
#pragma once

#include <cstdint>
#include <span>

#include "common/animal_record.h"
#include "common/run_context.h"
#include "common/year_table.h"

namespace veldmarsh {

// Writes the Top sires table. Turns every value of `top_sire_share` (all
// rows, 10 columns) from a fraction into a percentage in place; the summary
// reads them so later (a second call would scale again). `top_sires` holds
// one record per year row, the year's most used sire (index k - 1 for row
// k); the record of a year without sires is not read.
void write_top_sire_report(run_context& ctx, std::int32_t last_year, std::int32_t first_year, std::int64_t n_years,
                           const year_table<std::int32_t>& n_sires_by_year, year_table<float>& top_sire_share,
                           std::span<const animal_record> top_sires);

// Writes the PEDIGREE COMPLETENESS table: per birth year the mean number of
// equivalent complete generations and the fractions of the animals with 1,
// 2, 3, 4 and 5 or more complete generations.
void write_completeness_report(run_context& ctx, std::int32_t last_year, std::int32_t first_year,
                               std::int64_t n_years, const year_table<float>& mean_equiv_generations_by_year,
                               const year_table<float>& completeness_by_year);

}  // namespace veldmarsh
