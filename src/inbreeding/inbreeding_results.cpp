// The yearly inbreeding and kinship tables (see the header).
#include "inbreeding/inbreeding_results.h"

#include <cassert>
#include <string>

#include "common/fixed_format.h"
#include "common/free_format.h"
#include "common/stops.h"

namespace veldmarsh {

void allocate_inbreeding_tables(run_context& ctx, const year_range& years, inbreeding_results& inbreeding) {
  const std::int64_t n_subpop = ctx.cfg.n_subpop > 0 ? ctx.cfg.n_subpop : 0;
  inbreeding = inbreeding_results{};
  inbreeding.n_subpop = static_cast<std::int32_t>(n_subpop);
  const std::string tables = "the per-year inbreeding tables (birth years " + std::to_string(years.n_years) +
                             ", subpopulations " + std::to_string(n_subpop) + ")";
  allocate_tables(ctx, tables, [&] {
    return allocate_year_table(inbreeding.year_inbreeding, years.n_years, 6) &&
           allocate_year_table(inbreeding.year_subpop_kinship, years.n_years,
                               2 * n_subpop + n_subpop * (n_subpop - 1) / 2);
  });
}

void write_yearly_means(run_context& ctx, const inbreeding_results& inbreeding) {
  assert(!inbreeding.kinship_scale);
  const year_table<float>& y = inbreeding.year_inbreeding;
  write_free_line(ctx.console, {"    F        f"});
  for (std::int64_t k = 1; k <= y.n_rows; ++k) write_fixed_line(ctx.console, "(2F8.4)", {y(k, 1), y(k, 2)});
}

void convert_relationships_to_kinships(inbreeding_results& inbreeding) {
  if (inbreeding.kinship_scale) return;
  inbreeding.kinship_scale = true;
  year_table<float>& y = inbreeding.year_inbreeding;
  for (std::int64_t k = 1; k <= y.n_rows; ++k)
    for (std::int64_t c = 2; c <= 6 && c <= y.n_cols; ++c) y(k, c) *= 0.5f;
  year_table<float>& s = inbreeding.year_subpop_kinship;
  const std::int64_t n_subpop = inbreeding.n_subpop;
  for (std::int64_t k = 1; k <= s.n_rows; ++k) {
    for (std::int64_t j = 1; j <= n_subpop && 2 * j <= s.n_cols; ++j) s(k, 2 * j) *= 0.5f;
    for (std::int64_t c = 2 * n_subpop + 1; c <= s.n_cols; ++c) s(k, c) *= 0.5f;
  }
}

}  // namespace veldmarsh
