// The tables that exist only when the data file has the column they are
// about: the IMPORT table (young by the import status of their parents;
// Dutch only, written in both languages), the COLOUR VARIETIES table and the
// Main Breeders table. Each prints one row per birth year from first_year to
// last_year, also for years without animals, and a row of column totals.
// The whole population and every subpopulation use the same writers with
// their own tables.
#pragma once

#include <cstdint>

#include "common/run_context.h"
#include "common/year_range.h"
#include "common/year_table.h"
#include "reports/breeder_list.h"

namespace veldmarsh {

// The IMPORT table from `import_parent_counts_by_year` (n_years x 4) with its
// column totals.
void write_import_report(run_context& ctx, const year_range& years,
                         const year_table<std::int32_t>& import_parent_counts_by_year);

// The COLOUR VARIETIES table: a legend of the colour classes of the settings
// (ctx.cfg.colour_codes, ctx.cfg.n_colour_classes) and per year the animals
// of each class (`colour_counts_by_year`, n_years x n_colour_classes).
void write_colour_report(run_context& ctx, const year_range& years,
                         const year_table<std::int32_t>& colour_counts_by_year);

// The Main Breeders table: a legend of the top breeders (7 characters each)
// and "others", then per year the two count columns of every top breeder
// and of the others (`breeder_year_counts`, n_years x (2 n_top_breeders +
// 2)). Only the top breeders of the list are read.
void write_breeder_report(run_context& ctx, const year_range& years, const breeder_tables& breeders,
                          const year_table<std::int32_t>& breeder_year_counts);

}  // namespace veldmarsh
