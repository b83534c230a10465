// Population size, parents and litter tables of the report file.
#include "reports/population_tables.h"

#include <array>
#include <string>
#include <vector>

#include "common/fixed_format.h"
#include "common/free_format.h"
#include "reports/report_rules.h"

namespace veldmarsh {

namespace {

// A quotient rounded once to single precision; 0 when the divisor is 0.
float guarded_quotient(double numerator, double divisor) {
  return divisor == 0 ? 0.0f : static_cast<float>(numerator / divisor);
}

const std::string plus_line(86, '+');

// Share of the young males and females born before the last four years
// that became parents (columns 1 and 4 already hold the non-parents).
void write_parent_share_lines(run_context& ctx, std::int64_t n_years,
                              const year_table<std::int32_t>& parent_counts_by_year) {
  const settings& cfg = ctx.cfg;
  std::int64_t s1 = 0, s2 = 0, s4 = 0, s5 = 0;
  for (std::int64_t k = 1; k <= n_years - 4; ++k) {
    s1 += cell_or_zero(parent_counts_by_year, k, 1);
    s2 += cell_or_zero(parent_counts_by_year, k, 2);
    s4 += cell_or_zero(parent_counts_by_year, k, 4);
    s5 += cell_or_zero(parent_counts_by_year, k, 5);
  }
  float male_share = guarded_quotient(static_cast<double>(s2) * 100.0, static_cast<double>(s1 + s2));
  float female_share = guarded_quotient(100.0 * static_cast<double>(s5), static_cast<double>(s4 + s5));
  write_free_line(ctx.report, {"   "});
  write_fixed_line(ctx.report, "(A86)", {plus_line});
  if (cfg.english) {
    write_fixed_line(ctx.report, "(F6.1,A14,A8,A33)",
                     {male_share, "% of the male ", cfg.young_words, " will become father later in life"});
    write_fixed_line(ctx.report, "(F6.1,A16,A8,A33)",
                     {female_share, "% of the female ", cfg.young_words, " will become mother later in life"});
  } else {
    write_fixed_line(ctx.report, "(F6.1,A20,A8,A19)",
                     {male_share, "% van de mannelijke ", cfg.young_words, " wordt later vader"});
    write_fixed_line(ctx.report, "(F6.1,A21,A8,A19)",
                     {female_share, "% van de vrouwelijke ", cfg.young_words, " wordt later moeder"});
  }
  write_fixed_line(ctx.report, "(A86)", {plus_line});
}

// The young of one year's litters: litters of 100 or more count as 100.
std::int64_t young_of_year(const year_table<std::int32_t>& litter_stats, std::int64_t k) {
  std::int64_t young = 0;
  for (std::int64_t s = 1; s <= 100; ++s) young += s * cell_or_zero(litter_stats, k, s + 2);
  return young;
}

}  // namespace

void write_population_size_report(run_context& ctx, const year_range& years, const animal_table& animal,
                                  const year_table<std::int32_t>& parent_counts_by_year,
                                  const population_total_set& population_totals) {
  const std::int64_t n_years = years.n_years;
  const settings& cfg = ctx.cfg;
  output_channel& report = ctx.report;
  const bool with_imports = cfg.has_import_column;
  const int underline_width = with_imports ? 80 : 56;

  if (with_imports) {
    if (cfg.english) {
      write_free_line(report, {"          POPULATION SIZE: number of ", trimmed(cfg.young_words), " born per year"});
      write_underscores(report, 80);
      write_free_line(report, {"  geb.          ", cfg.male_words, "       |        ", cfg.female_words,
                               "       |          total         "});
      write_free_line(report, {"  jaar   total  fathers fathers|  total mothers mothers|  total parents parents "});
      write_free_line(report, {"          own     own    other |   own    own    other |   own    own    other  "});
    } else {
      write_free_line(report, {"           POPULATIEOMVANG: aantal ", trimmed(cfg.young_word), " geboren per jaar"});
      write_underscores(report, 80);
      write_free_line(report, {"  geb.           ", cfg.male_word, "      |         ", cfg.female_word,
                               "      |           totaal       "});
      write_free_line(report, {"  jaar   totaal  vaders  vaders| totaal moeders moeders| totaal  ouders  ouders "});
      write_free_line(report, {"          in NL   in NL  import|  in NL   in NL  import|  in NL   in NL  import "});
    }
  } else {
    if (cfg.english) {
      write_free_line(report, {"           POPULATIONSIZE: number of ", trimmed(cfg.young_words), " born per year"});
      write_underscores(report, 56);
      write_free_line(report,
                      {"  geb.      ", cfg.male_words, "   |    ", cfg.female_words, "   |      total     "});
      write_free_line(report, {"  jaar   unused fathers| unused mothers| unused parents "});
    } else {
      write_free_line(report, {"           POPULATIEOMVANG: aantal ", trimmed(cfg.young_word), " geboren per jaar"});
      write_underscores(report, 56);
      write_free_line(report,
                      {"  geb.      ", cfg.male_words, "   |    ", cfg.female_words, "   |     totaal     "});
      write_free_line(report, {"  jaar   nt.fok  vaders| nt.fok moeders| nt.fok  ouders "});
    }
  }
  write_underscores(report, underline_width);

  // Columns 1 and 4 hold the animals that never became parents.
  for (std::int64_t k = 1; k <= n_years; ++k) {
    const long long y = years.year_of(k);
    long long c[7];
    for (int j = 1; j <= 6; ++j) c[j] = cell_or_zero(parent_counts_by_year, k, j);
    if (with_imports)
      write_fixed_line(report, "(10I8)",
                       {y, c[1], c[2], c[3], c[4], c[5], c[6], c[1] + c[4], c[2] + c[5], c[3] + c[6]});
    else
      write_fixed_line(report, "(7I8)", {y, c[1], c[2], c[4], c[5], c[1] + c[4], c[2] + c[5]});
  }
  write_underscores(report, underline_width);

  long long t[7];
  for (int j = 1; j <= 6; ++j) t[j] = population_totals[static_cast<std::size_t>(j - 1)];
  const long long s1 = t[1] + t[4], s2 = t[2] + t[5], s3 = t[3] + t[6];
  const char* total_label = cfg.english ? " total " : " totaal ";
  if (with_imports)
    write_fixed_line(report, "(A8,9I8)", {total_label, t[1], t[2], t[3], t[4], t[5], t[6], s1, s2, s3});
  else
    write_fixed_line(report, "(A8,9I8)", {total_label, t[1], t[2], t[4], t[5], s1, s2});
  write_underscores(report, underline_width);

  // Records of the whole table without a birth year (also when a
  // subpopulation is reported: the line speaks of the whole pedigree).
  long long n_animals = animal.size();
  long long n_without_year = 0;
  for (std::int64_t i = 1; i <= animal.size(); ++i)
    if (animal[i].birth_year == 0) ++n_without_year;
  if (cfg.english)
    write_free_line(report, {"total number of animals in pedigree ", n_animals, " of which ", n_without_year,
                             " without year of birth."});
  else
    write_free_line(report, {"totaal aantal dieren in stamboom ", n_animals, " waarvan ", n_without_year,
                             " zonder geboortejaar."});

  // Only with enough years: the young of the last four years have had no
  // time to become parents.
  if (n_years < 7) return;
  write_parent_share_lines(ctx, n_years, parent_counts_by_year);
}

void write_litter_report(run_context& ctx, const year_range& years, const year_table<std::int32_t>& litter_stats,
                         const population_total_set& population_totals) {
  const std::int64_t n_years = years.n_years;
  const settings& cfg = ctx.cfg;
  output_channel& report = ctx.report;
  write_separator_line(report);
  if (cfg.english) {
    write_free_line(report, {"     Number of parents and litter size per year"});
    write_underscores(report, 47);
    write_free_line(report, {"  Y of   number   ", trimmed(cfg.young_words), "/  number   nests  ",
                             trimmed(cfg.young_words), "/ "});
    write_free_line(report, {" birth   nests     nest fathers /father father "});
  } else {
    write_free_line(report, {"           aantal ouders en nestgrootte per jaar"});
    write_underscores(report, 48);
    write_free_line(report, {"  geb.   aantal   ", trimmed(cfg.young_words), "/  aantal  nesten  ",
                             trimmed(cfg.young_words), "/ "});
    write_free_line(report, {"  jaar   nesten    nest  vaders  /vader  vader "});
  }
  write_underscores(report, 48);

  std::int64_t all_litters = 0, all_young = 0;
  for (std::int64_t k = 1; k <= n_years; ++k) {
    const long long y = years.year_of(k);
    const std::int64_t litters = cell_or_zero(litter_stats, k, 1);
    const std::int64_t sires = cell_or_zero(litter_stats, k, 2);
    const std::int64_t young = young_of_year(litter_stats, k);
    all_litters += litters;
    all_young += young;
    write_fixed_line(report, "(2I8,F8.2,I8,2F8.2)",
                     {y, static_cast<long long>(litters), guarded_quotient(static_cast<double>(young), litters),
                      static_cast<long long>(sires), guarded_quotient(static_cast<double>(litters), sires),
                      guarded_quotient(static_cast<double>(young), sires)});
  }
  write_underscores(report, 48);

  // The fathers of the total row are the male parents counted in their own
  // birth year, bred here or imported.
  const std::int64_t fathers = static_cast<std::int64_t>(population_totals[1]) + population_totals[2];
  write_fixed_line(report, "(A8,I8,F8.2,I8,2F8.2)",
                   {" totaal ", static_cast<long long>(all_litters),
                    guarded_quotient(static_cast<double>(all_young), static_cast<double>(all_litters)),
                    static_cast<long long>(fathers),
                    guarded_quotient(static_cast<double>(all_litters), static_cast<double>(fathers)),
                    guarded_quotient(static_cast<double>(all_young), static_cast<double>(fathers))});
  write_underscores(report, 48);
  if (n_years > 6) write_free_line(report, {"   "});
}

void write_litter_size_table(run_context& ctx, const year_range& years,
                             const year_table<std::int32_t>& litter_stats) {
  const std::int64_t n_years = years.n_years;
  const settings& cfg = ctx.cfg;
  output_channel& report = ctx.report;
  write_separator_line(report);

  std::array<std::int64_t, 101> size_totals{};  // index s = litter size 1..100
  for (std::int64_t k = 1; k <= n_years; ++k)
    for (int s = 1; s <= 100; ++s) size_totals[s] += cell_or_zero(litter_stats, k, s + 2);
  int n_sizes = 0;
  for (int s = 1; s <= 100; ++s)
    if (size_totals[s] > 0) n_sizes = s;
  if (n_sizes == 0) {
    write_free_line(report, {" No littersizes known"});
    write_separator_line(report);
    return;
  }
  const std::string row_format = build_run_format("(I8,005I8)", n_sizes);
  const std::string heading_format = build_run_format("(A8,005I8)", n_sizes);

  if (cfg.english) {
    write_free_line(report, {"                Litter Sizes"});
    write_underscores(report, 56);
    write_free_line(report, {"  born                     Litter size                     "});
  } else {
    write_free_line(report, {"     Worpgrootte"});
    write_underscores(report, 56);
    write_free_line(report, {"  geb.                     worpgrootte                     "});
  }
  std::vector<fixed_value> values;
  values.reserve(static_cast<std::size_t>(n_sizes) + 1);
  values.emplace_back("  jaar  ");
  for (int s = 1; s <= n_sizes; ++s) values.emplace_back(s);
  write_fixed_line(report, heading_format, values);
  write_underscores(report, 56);

  for (std::int64_t k = 1; k <= n_years; ++k) {
    values.clear();
    values.emplace_back(static_cast<long long>(years.year_of(k)));
    for (int s = 1; s <= n_sizes; ++s) values.emplace_back(cell_or_zero(litter_stats, k, s + 2));
    write_fixed_line(report, row_format, values);
  }
  write_underscores(report, 56);
  values.clear();
  values.emplace_back(cfg.english ? "total  " : "totaal ");
  for (int s = 1; s <= n_sizes; ++s) values.emplace_back(static_cast<long long>(size_totals[s]));
  write_fixed_line(report, heading_format, values);
  write_underscores(report, 56);
}

}  // namespace veldmarsh
