// Kinship within and between subpopulations per birth year (see the
// header). Both tables have as many columns as the data has subpopulations
// or pairs of them, so their formats are built at run time.
#include "reports/subpop_kinship_tables.h"

#include <string>
#include <vector>

#include "common/fixed_format.h"
#include "common/free_format.h"
#include "reports/report_rules.h"

namespace veldmarsh {

namespace {

// One line per year: the year, then columns first_col .. first_col + count - 1.
void write_kinship_rows(output_channel& report, const year_range& years, const year_table<float>& table,
                        std::int64_t first_col, std::int64_t count) {
  const std::string format = build_run_format("(I8,005F10.4)", count);
  std::vector<fixed_value> values;
  for (std::int64_t k = 1; k <= years.n_years; ++k) {
    values.clear();
    values.emplace_back(static_cast<long>(years.year_of(k)));
    for (std::int64_t c = first_col; c < first_col + count; ++c) values.emplace_back(cell_or_zero(table, k, c));
    write_fixed_line(report, format, values);
  }
}

}  // namespace

void write_subpop_kinship_report(run_context& ctx, const year_range& years,
                                 const year_table<float>& year_subpop_kinship) {
  output_channel& report = ctx.report;
  const settings& cfg = ctx.cfg;
  const std::int64_t n_subpop = cfg.n_subpop > 0 ? cfg.n_subpop : 0;
  auto code_of = [&](std::int64_t j) {
    return static_cast<std::size_t>(j) <= cfg.subpop_codes.size()
               ? cfg.subpop_codes[static_cast<std::size_t>(j - 1)].view()
               : std::string_view{};
  };
  std::vector<fixed_value> values;

  // Within each subpopulation: two columns under its 20-character code.
  write_separator_line(report);
  write_free_line(report, {cfg.english ? "     Inbreeding and Kinship within Subpopulations"
                                       : "     Inteelt en Verwantschap binnen Subpopulaties"});
  write_underscores(report, 73);
  const std::string code_format = build_run_format("(A8,005A20)", n_subpop);
  values.emplace_back("        ");
  for (std::int64_t j = 1; j <= n_subpop; ++j) values.emplace_back(code_of(j));
  write_fixed_line(report, code_format, values);
  values.clear();
  values.emplace_back(cfg.english ? "  year  " : "  jaar  ");
  for (std::int64_t j = 1; j <= n_subpop; ++j)
    values.emplace_back(cfg.english ? "inbreeding  kinship " : "inteelt verwantschap");
  write_fixed_line(report, code_format, values);
  write_underscores(report, 73);
  write_kinship_rows(report, years, year_subpop_kinship, 1, 2 * n_subpop);
  write_underscores(report, 73);

  // Between subpopulations: one column per pair, headed by the pair's numbers.
  write_separator_line(report);
  write_free_line(report,
                  {cfg.english ? "     Kinship between Subpopulations" : "     Verwantschap tussen Subpopulaties"});
  for (std::int64_t j = 1; j <= n_subpop; ++j) write_free_line(report, {static_cast<long>(j), "- ", code_of(j)});
  write_underscores(report, 73);
  const std::int64_t n_pairs = n_subpop * (n_subpop - 1) / 2;
  const std::string pair_format = build_run_format("(A8,005I10)", n_pairs);
  for (int member = 1; member <= 2; ++member) {
    values.clear();
    values.emplace_back(member == 1 ? " subpop1" : " subpop2");
    for (std::int64_t j = 1; j < n_subpop; ++j)
      for (std::int64_t k = j + 1; k <= n_subpop; ++k) values.emplace_back(static_cast<long>(member == 1 ? j : k));
    write_fixed_line(report, pair_format, values);
  }
  write_underscores(report, 73);
  write_kinship_rows(report, years, year_subpop_kinship, 2 * n_subpop + 1, n_pairs);
  write_underscores(report, 73);
}

}  // namespace veldmarsh
