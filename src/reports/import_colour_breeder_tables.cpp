// The IMPORT, COLOUR VARIETIES and Main Breeders tables (see the header).
// The tables whose columns follow the data (colours, breeders) build their
// row formats at run time with the count written over "005".
#include "reports/import_colour_breeder_tables.h"

#include <string>

#include "common/fixed_format.h"
#include "common/free_format.h"
#include "reports/report_rules.h"

namespace veldmarsh {

namespace {

// Column sums over every year row, columns 1..n_cols.
std::vector<std::int64_t> column_sums(const year_table<std::int32_t>& table, const year_range& years,
                                      std::int64_t n_cols) {
  std::vector<std::int64_t> sums(static_cast<std::size_t>(n_cols > 0 ? n_cols : 0), 0);
  for (std::int64_t k = 1; k <= years.n_years; ++k)
    for (std::int64_t j = 1; j <= n_cols; ++j) sums[static_cast<std::size_t>(j - 1)] += cell_or_zero(table, k, j);
  return sums;
}

// One line per year: the year, then columns 1..n_cols of its row.
void write_year_rows(output_channel& report, const std::string& format, const year_range& years,
                     const year_table<std::int32_t>& table, std::int64_t n_cols) {
  std::vector<fixed_value> values;
  for (std::int64_t k = 1; k <= years.n_years; ++k) {
    values.clear();
    values.emplace_back(static_cast<long>(years.year_of(k)));
    for (std::int64_t j = 1; j <= n_cols; ++j) values.emplace_back(cell_or_zero(table, k, j));
    write_fixed_line(report, format, values);
  }
}

// A label, then the column sums.
void write_total_row(output_channel& report, const std::string& format, const char* label,
                     const std::vector<std::int64_t>& sums) {
  std::vector<fixed_value> values;
  values.emplace_back(label);
  for (std::int64_t s : sums) values.emplace_back(static_cast<long>(s));
  write_fixed_line(report, format, values);
}

}  // namespace

void write_import_report(run_context& ctx, const year_range& years,
                         const year_table<std::int32_t>& import_parent_counts_by_year) {
  output_channel& report = ctx.report;
  // Dutch in either language, and no separator line before it.
  write_free_line(report, {"           IMPORT: aantal pups geboren uit nederlandse of importouders"});
  write_underscores(report, 52);
  write_free_line(report, {"  geb.   NL x NL  imp. x NL  NL x imp imp. x imp.   "});
  write_free_line(report, {" jaar "});
  write_underscores(report, 52);
  write_year_rows(report, "(5I10)", years, import_parent_counts_by_year, 4);
  write_underscores(report, 53);
  write_total_row(report, "(A8,4I10)", " totaal ", column_sums(import_parent_counts_by_year, years, 4));
  write_underscores(report, 53);
}

void write_colour_report(run_context& ctx, const year_range& years,
                         const year_table<std::int32_t>& colour_counts_by_year) {
  output_channel& report = ctx.report;
  const settings& cfg = ctx.cfg;
  const std::int64_t n_classes = cfg.n_colour_classes;
  const std::string heading_format = build_run_format("(A8,005I8)", n_classes);
  const std::string row_format = build_run_format("(I8,005I8)", n_classes);

  write_separator_line(report);
  write_free_line(
      report, {cfg.english ? "     COLOUR VARIETIES present in population" : "     KLEURSLAGEN aanwezig in populatie"});
  write_underscores(report, 56);
  for (std::int64_t c = 1; c <= n_classes; ++c) {
    std::string_view code = static_cast<std::size_t>(c) <= cfg.colour_codes.size()
                                ? cfg.colour_codes[static_cast<std::size_t>(c - 1)].view()
                                : std::string_view{};
    write_fixed_line(report, "(I8,A2,A40)", {static_cast<long>(c), "  ", code});
  }
  write_underscores(report, 56);

  std::vector<fixed_value> values;
  values.emplace_back("  jaar  ");
  for (std::int64_t c = 1; c <= n_classes; ++c) values.emplace_back(static_cast<long>(c));
  write_fixed_line(report, heading_format, values);
  write_underscores(report, 56);

  write_year_rows(report, row_format, years, colour_counts_by_year, n_classes);
  write_underscores(report, 56);
  write_total_row(report, heading_format, cfg.english ? " total  " : " totaal ",
                  column_sums(colour_counts_by_year, years, n_classes));
  write_underscores(report, 56);
}

void write_breeder_report(run_context& ctx, const year_range& years, const breeder_tables& breeders,
                          const year_table<std::int32_t>& breeder_year_counts) {
  const std::vector<breeder_name>& breeder_list = breeders.breeder_list;
  const std::int32_t n_top_breeders = breeders.n_top_breeders;
  output_channel& report = ctx.report;
  const settings& cfg = ctx.cfg;
  const std::int64_t n = n_top_breeders > 0 ? n_top_breeders : 0;
  const std::int64_t n_cols = 2 * n + 2;
  // Each breeder's number stands 16 columns wide over its two count columns.
  const std::string heading_format = build_run_format("(A8,005I16)", n + 1);
  const std::string row_format = build_run_format("(I8,005I8)", n_cols);
  const std::string total_format = build_run_format("(A8,005I8)", n_cols);

  write_separator_line(report);
  write_free_line(report, {cfg.english ? "     Main Breeders  " : "     belangrijkste Fokkers  "});
  write_underscores(report, 56);
  for (std::int64_t b = 1; b <= n; ++b) {
    std::string_view name = static_cast<std::size_t>(b) <= breeder_list.size()
                                ? breeder_list[static_cast<std::size_t>(b - 1)].view()
                                : std::string_view{};
    write_fixed_line(report, "(I8,A2,A7)", {static_cast<long>(b), "  ", name});
  }
  write_fixed_line(report, "(I8,A9)", {static_cast<long>(n + 1), cfg.english ? "  others " : "  overige"});
  // Too long for one line: the third item goes to a line of its own.
  if (cfg.english)
    write_free_line(report, {"for each breeder 1st colomn number of ", cfg.young_words,
                             " bred, 2nd colomn number of parents bred"});
  else
    write_free_line(report,
                    {"per fokker 1ste kolom aantal ", cfg.young_words, " gefokt, 2de kolom aantal ouderdieren gefokt"});
  write_underscores(report, 56);

  std::vector<fixed_value> values;
  values.emplace_back("  jaar  ");
  for (std::int64_t b = 1; b <= n + 1; ++b) values.emplace_back(static_cast<long>(b));
  write_fixed_line(report, heading_format, values);
  write_underscores(report, 56);

  write_year_rows(report, row_format, years, breeder_year_counts, n_cols);
  write_underscores(report, 56);
  write_total_row(report, total_format, " totaal ", column_sums(breeder_year_counts, years, n_cols));
  write_underscores(report, 56);
}

}  // namespace veldmarsh
