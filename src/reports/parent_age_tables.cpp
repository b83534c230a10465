// Parent age, generation interval and offspring tables of the report file.
#include "reports/parent_age_tables.h"

#include <string>
#include <string_view>
#include <vector>

#include "common/fixed_format.h"
#include "common/free_format.h"
#include "reports/report_rules.h"

namespace veldmarsh {

namespace {

const std::string plus_line(86, '+');

// One age table: the young of every birth year by the age class of their
// father (mother), with the column totals.
void write_age_table(run_context& ctx, std::string_view english_title, std::string_view dutch_title,
                     const year_range& years, std::int32_t max_age, const year_table<std::int32_t>& age_count) {
  output_channel& report = ctx.report;
  const bool english = ctx.cfg.english;
  const std::string row_format = build_run_format("(I8,005I8)", max_age);
  const std::string heading_format = build_run_format("(A8,005I8)", max_age);
  if (english) {
    write_free_line(report, {english_title});
    write_underscores(report, 56);
    write_free_line(report, {"  born                     age                     "});
  } else {
    write_free_line(report, {dutch_title});
    write_underscores(report, 56);
    write_free_line(report, {"  geb.                     leeftijd                     "});
  }
  std::vector<fixed_value> values;
  values.reserve(static_cast<std::size_t>(max_age) + 1);
  values.emplace_back("  jaar  ");
  for (std::int32_t a = 1; a <= max_age; ++a) values.emplace_back(a);
  write_fixed_line(report, heading_format, values);
  write_underscores(report, 56);

  std::vector<std::int64_t> totals(static_cast<std::size_t>(max_age) + 1, 0);
  for (std::int64_t k = 1; k <= years.n_years; ++k) {
    values.clear();
    values.emplace_back(static_cast<long long>(years.year_of(k)));
    for (std::int32_t a = 1; a <= max_age; ++a) {
      std::int32_t count = cell_or_zero(age_count, k, a);
      totals[static_cast<std::size_t>(a)] += count;
      values.emplace_back(count);
    }
    write_fixed_line(report, row_format, values);
  }
  write_underscores(report, 56);
  values.clear();
  values.emplace_back(english ? "total  " : "totaal ");
  for (std::int32_t a = 1; a <= max_age; ++a)
    values.emplace_back(static_cast<long long>(totals[static_cast<std::size_t>(a)]));
  write_fixed_line(report, heading_format, values);
  write_underscores(report, 56);
}

// The five lines on the parent with the most offspring; name and
// identification are written with all their 50 characters.
void write_top_parent_block(run_context& ctx, std::string_view english_title, std::string_view dutch_title,
                            const animal_label& parent) {
  output_channel& report = ctx.report;
  if (ctx.cfg.english) {
    write_free_line(report, {english_title});
    write_free_line(report, {"name: ", parent.name});
    write_free_line(report, {"id-code: ", parent.herdbook_nr});
    write_free_line(report, {"Year of birth: ", parent.birth_year});
    write_free_line(report, {"Number of offspring: ", parent.n_offspring_counted});
  } else {
    write_free_line(report, {dutch_title});
    write_free_line(report, {"naam: ", parent.name});
    write_free_line(report, {"id-code: ", parent.herdbook_nr});
    write_free_line(report, {"geboortejaar: ", parent.birth_year});
    write_free_line(report, {"aantal nakomelingen: ", parent.n_offspring_counted});
  }
}

}  // namespace

void write_parent_age_report(run_context& ctx, const year_range& years, const oldest_parents& oldest,
                             const year_table<std::int32_t>& sire_age_count,
                             const year_table<std::int32_t>& dam_age_count) {
  output_channel& report = ctx.report;
  // The fathers' separator comes before the test, the mothers' after it.
  write_separator_line(report);
  if (oldest.max_sire_age < 1) {
    write_free_line(report, {" No fathers with Date of birth known"});
    write_separator_line(report);
  } else {
    write_age_table(ctx, "                AGE fathers", "     LEEFTIJD vaders", years, oldest.max_sire_age,
                    sire_age_count);
  }
  if (oldest.max_dam_age < 1) {
    write_free_line(report, {" No mothers with Date of birth known"});
    write_separator_line(report);
    return;
  }
  write_separator_line(report);
  write_age_table(ctx, "                AGE mothers", "     LEEFTIJD moeders", years, oldest.max_dam_age,
                  dam_age_count);
}

void write_generation_interval_report(run_context& ctx, const year_range& years,
                                      const year_table<float>& mean_sire_age_by_year,
                                      const year_table<float>& mean_dam_age_by_year,
                                      const std::array<float, 2>& overall_parent_ages, float generation_interval) {
  const settings& cfg = ctx.cfg;
  output_channel& report = ctx.report;
  write_separator_line(report);
  if (cfg.english) {
    write_free_line(report, {"     GENERATION INTERVAL  mean age parents at birth ", trimmed(cfg.young_words)});
    write_underscores(report, 56);
    write_free_line(report, {" Y. of        mean age      "});
    write_free_line(report, {" birth   fathers  mothers   parents"});
  } else {
    write_free_line(report,
                    {"     GENERATIEINTERVAL  gemiddelde leeftijd ouders bij geboorte", trimmed(cfg.young_word)});
    write_underscores(report, 56);
    write_free_line(report, {"  geb.      gemiddelde leeftijd      "});
    write_free_line(report, {"  jaar   vaders   moeders   ouders"});
  }
  write_underscores(report, 56);

  for (std::int64_t k = 1; k <= years.n_years; ++k) {
    const float sire_age = cell_or_zero(mean_sire_age_by_year, k, 1);
    const float dam_age = cell_or_zero(mean_dam_age_by_year, k, 1);
    // A year in which only one sex has known ages shows that sex's mean.
    const float divisor = (sire_age <= 0.1f || dam_age <= 0.1f) ? 1.0f : 2.0f;
    const float parent_age = (sire_age + dam_age) / divisor;
    write_fixed_line(report, "(I8,3F8.2)",
                     {static_cast<long long>(years.year_of(k)), sire_age, dam_age, parent_age});
  }
  write_underscores(report, 56);
  write_fixed_line(report, "(A8,3F8.2)",
                   {cfg.english ? " total  " : " totaal ", overall_parent_ages[0], overall_parent_ages[1],
                    generation_interval});
  write_underscores(report, 56);
}

void write_offspring_per_parent_report(run_context& ctx, const year_range& years,
                                       const year_table<float>& offspring_stats_by_year,
                                       const animal_label& top_male, const animal_label& top_female) {
  const settings& cfg = ctx.cfg;
  output_channel& report = ctx.report;
  write_separator_line(report);
  if (cfg.english) {
    write_free_line(report, {"     total number OFFSPRING/PARENT per year of birth of parents"});
    write_underscores(report, 56);
    write_free_line(report, {"  Y of           ", trimmed(cfg.male_words), "          |        ",
                             trimmed(cfg.female_words), "        |"});
    write_free_line(report, {" birth   mean   st.dev.    max.|  mean  st.dev.    max.|"});
  } else {
    write_free_line(report, {"     totaal aantal NAKOMELINGEN/OUDER per geboortejaar ouder"});
    write_underscores(report, 56);
    write_free_line(report, {"  geb.           ", trimmed(cfg.male_word), "         |         ",
                             trimmed(cfg.female_word), "         |"});
    write_free_line(report, {"  jaar   gemid. st.dev.    max.| gemid. st.dev.    max.|"});
  }
  write_underscores(report, 56);
  for (std::int64_t k = 1; k <= years.n_years; ++k) {
    write_fixed_line(report, "(I8,2F8.2,F8.0,2F8.2,F8.0)",
                     {static_cast<long long>(years.year_of(k)), cell_or_zero(offspring_stats_by_year, k, 1),
                      cell_or_zero(offspring_stats_by_year, k, 2), cell_or_zero(offspring_stats_by_year, k, 3),
                      cell_or_zero(offspring_stats_by_year, k, 4), cell_or_zero(offspring_stats_by_year, k, 5),
                      cell_or_zero(offspring_stats_by_year, k, 6)});
  }
  write_free_line(report, {"   "});
  write_fixed_line(report, "(A86)", {plus_line});
  write_separator_line(report);
  write_top_parent_block(ctx, "Male with the highest number of offspring in the population",
                         "reu met de meeste nakomelingen in de populatie", top_male);
  write_separator_line(report);
  write_top_parent_block(ctx, "Female with the highest number of offspring in the population",
                         "teef met de meeste nakomelingen in de populatie", top_female);
  write_fixed_line(report, "(A86)", {plus_line});
}

}  // namespace veldmarsh
