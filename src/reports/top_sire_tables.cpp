// Top sire and completeness tables of the report file.
#include "reports/top_sire_tables.h"

#include <cassert>
#include <string>

#include "common/fixed_format.h"
#include "common/free_format.h"
#include "reports/report_rules.h"

namespace veldmarsh {

void write_top_sire_report(run_context& ctx, const year_range& years, const top_sire_tables& tables,
                           std::span<const animal_label> top_sires) {
  assert(tables.shares_in_percent);
  const year_table<std::int32_t>& n_sires_by_year = tables.n_sires_by_year;
  const year_table<float>& top_sire_share = tables.top_sire_share;
  output_channel& report = ctx.report;
  const std::string rule(119, '_');
  write_separator_line(report);
  if (ctx.cfg.english) {
    write_free_line(report, {"     Top sires and their contribution per year"});
    write_fixed_line(report, "(A119)", {rule});
    write_fixed_line(report, "(A119)",
                     {"             |                  the Topsire             |                    contribution "
                      "of top 10 sires (%)         |"});
    write_fixed_line(report, "(A119)",
                     {"year #Sires  | naam                    id               |     1     2     3     4     5     "
                      "6     7     8     9    10 |"});
  } else {
    write_free_line(report, {"     Topvaders en hun aandeel per jaar"});
    write_fixed_line(report, "(A119)", {rule});
    write_fixed_line(report, "(A119)",
                     {"             |                      de Topvader         |               aandeel van de top "
                      "10 vaders (%)              |"});
    write_fixed_line(report, "(A119)",
                     {"jaar #Vaders | naam                    id               |     1     2     3     4     5     "
                      "6     7     8     9    10 |"});
  }
  write_fixed_line(report, "(A119)", {rule});

  std::vector<fixed_value> values;
  for (std::int64_t k = 1; k <= years.n_years; ++k) {
    const std::int32_t n_sires = cell_or_zero(n_sires_by_year, k, 1);
    values.clear();
    values.emplace_back(static_cast<long long>(years.year_of(k)));
    values.emplace_back(n_sires);
    values.emplace_back(" | ");
    const bool has_top_sire = n_sires > 0 && k <= static_cast<std::int64_t>(top_sires.size());
    if (has_top_sire) {
      const animal_label& sire = top_sires[static_cast<std::size_t>(k - 1)];
      // Left-aligned: the fields keep the blanks they carry in the record.
      values.emplace_back(sire.name.view().substr(0, 25));
      values.emplace_back(sire.herdbook_nr.view().substr(0, 15));
    } else {
      values.emplace_back(" -                       ");
      values.emplace_back(" -             ");
    }
    values.emplace_back(" | ");
    for (int c = 1; c <= 10; ++c) values.emplace_back(cell_or_zero(top_sire_share, k, c));
    write_fixed_line(report, "(I5,I8,A3,A25,A15,A3,10F6.1)", values);
  }
  write_fixed_line(report, "(A119)", {rule});
  write_separator_line(report);
}

void write_completeness_report(run_context& ctx, const year_range& years, const completeness_tables& completeness) {
  const year_table<float>& mean_equiv_generations_by_year = completeness.mean_equiv_generations_by_year;
  const year_table<float>& completeness_by_year = completeness.completeness_by_year;
  output_channel& report = ctx.report;
  write_separator_line(report);
  if (ctx.cfg.english) {
    write_free_line(report, {"           PEDIGREE COMPLETENESS"});
    write_underscores(report, 64);
    write_free_line(report, {"  Y of   average    | percentage animals with # of generations "});
    write_free_line(report, {"  birth  generation | in pedigree completely known "});
  } else {
    write_free_line(report, {"           COMPLEETHEID stamboom"});
    write_underscores(report, 64);
    write_free_line(report, {"  geb.   gemiddeld    | percentage dieren met aantal generaties "});
    write_free_line(report, {"  jaar   generatie    | in stamboom compleet bekend "});
  }
  write_free_line(report, {"         equivalent   |    1       2       3       4    >5  "});
  write_underscores(report, 64);
  // The fractions are printed as fractions (0.25), although the heading
  // speaks of percentages.
  for (std::int64_t k = 1; k <= years.n_years; ++k) {
    write_fixed_line(report, "(I8,F10.2,F12.2,4F8.2)",
                     {static_cast<long long>(years.year_of(k)), cell_or_zero(mean_equiv_generations_by_year, k, 1),
                      cell_or_zero(completeness_by_year, k, 1), cell_or_zero(completeness_by_year, k, 2),
                      cell_or_zero(completeness_by_year, k, 3), cell_or_zero(completeness_by_year, k, 4),
                      cell_or_zero(completeness_by_year, k, 5)});
  }
  write_underscores(report, 48);
  write_separator_line(report);
}

}  // namespace veldmarsh
