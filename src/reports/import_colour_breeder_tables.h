// The tables that exist only when the data file has the column they are
// about: the IMPORT table (young by the import status of their parents;
// Dutch only, written in both languages), the COLOUR VARIETIES table and the
// Main Breeders table. Each prints one row per birth year from first_year to
// last_year, also for years without animals, and a row of column totals.
// The whole population and every subpopulation use the same writers with
// their own tables.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "common/fixed_text.h"
#include "common/run_context.h"
#include "common/year_table.h"

namespace veldmarsh {

// Column sums of the import table: young of two home-bred parents, of an
// imported sire only, of an imported dam only, of two imported parents.
using import_total_set = std::array<std::int64_t, 4>;

// The IMPORT table from `import_parent_counts_by_year` (n_years x 4); returns
// its column totals.
import_total_set write_import_report(run_context& ctx, std::int32_t last_year, std::int32_t first_year,
                                     std::int64_t n_years,
                                     const year_table<std::int32_t>& import_parent_counts_by_year);

// The COLOUR VARIETIES table: a legend of the colour classes of the settings
// (ctx.cfg.colour_codes, ctx.cfg.n_colour_classes) and per year the animals
// of each class (`colour_counts_by_year`, n_years x n_colour_classes).
void write_colour_report(run_context& ctx, std::int32_t last_year, std::int32_t first_year, std::int64_t n_years,
                         const year_table<std::int32_t>& colour_counts_by_year);

// The Main Breeders table: a legend of the first `n_top_breeders` entries
// of `breeder_list` (7 characters each) and "others", then per year the two
// count columns of every top breeder and of the others
// (`breeder_year_counts`, n_years x (2 n_top_breeders + 2)). Only the first
// `n_top_breeders` entries of the list are read.
void write_breeder_report(run_context& ctx, std::int32_t last_year, std::int32_t first_year, std::int64_t n_years,
                          std::int32_t n_top_breeders, const year_table<std::int32_t>& breeder_year_counts,
                          const std::vector<fixed_text<20>>& breeder_list);

}  // namespace veldmarsh
