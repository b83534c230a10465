// The summary block (see the header). Rows y0 .. n - 1 are the window of
// recent years, rows y0 .. e those whose young are old enough to have become
// parents (the recruitment rows).
#include "reports/population_summary.h"

#include <algorithm>
#include <cassert>
#include <string>
#include <vector>

#include "common/fixed_format.h"
#include "common/free_format.h"
#include "reports/report_rules.h"

namespace veldmarsh {

namespace {

// A mean from its exact sum, rounded to single precision once; 0 without a divisor.
float mean_of(double sum, std::int64_t count) {
  return count == 0 ? 0.0f : static_cast<float>(sum / static_cast<double>(count));
}

// How many parents of one sex a year needs: the fractions of births by the
// parent's age over the window, their envelope from the oldest age down,
// the replacement fraction and the resulting numbers.
struct parent_estimate {
  std::vector<float> age_fraction;        // p(a), index a - 1
  std::int64_t future_parents_whole = 0;  // recruitment sum / R, fraction dropped
  float future_parents = 0;               // B
  float replaced = 0;                     // q
  float total = 0;                        // B / q
  float available = 0;                    // total / S
};

parent_estimate estimate_parents(std::int32_t max_age, const year_table<std::int32_t>& age_count,
                                 const year_table<std::int32_t>& parent_counts_by_year, std::int64_t parent_column,
                                 std::int64_t y0, std::int64_t n, std::int64_t e) {
  parent_estimate est;
  const std::int64_t n_ages = max_age > 0 ? max_age : 0;
  std::vector<std::int64_t> births(static_cast<std::size_t>(n_ages), 0);
  std::int64_t all_births = 0;
  for (std::int64_t a = 1; a <= n_ages; ++a) {
    for (std::int64_t r = y0; r <= n - 1; ++r) births[static_cast<std::size_t>(a - 1)] += cell_or_zero(age_count, r, a);
    all_births += births[static_cast<std::size_t>(a - 1)];
  }
  est.age_fraction.assign(static_cast<std::size_t>(n_ages), 0.0f);
  for (std::int64_t a = 1; a <= n_ages; ++a)
    est.age_fraction[static_cast<std::size_t>(a - 1)] =
        mean_of(static_cast<double>(births[static_cast<std::size_t>(a - 1)]), all_births);
  // Envelope: an age class more common than a younger one lifts that one to it.
  std::vector<float> envelope(static_cast<std::size_t>(n_ages), 0.0f);
  float running_max = 0;
  for (std::int64_t a = n_ages; a >= 1; --a) {
    const float p = est.age_fraction[static_cast<std::size_t>(a - 1)];
    running_max = a == n_ages ? p : std::max(running_max, p);
    envelope[static_cast<std::size_t>(a - 1)] = running_max;
  }
  float envelope_sum = 0;
  for (float c : envelope) envelope_sum += c;
  const float youngest = n_ages > 0 ? envelope[0] : 0.0f;
  est.replaced = envelope_sum == 0 ? 0.0f : youngest / envelope_sum;

  std::int64_t recruits = 0;
  for (std::int64_t r = y0; r <= e; ++r) recruits += cell_or_zero(parent_counts_by_year, r, parent_column);
  const std::int64_t recruitment_rows = e - y0 + 1;
  est.future_parents_whole = recruitment_rows > 0 ? recruits / recruitment_rows : 0;
  est.future_parents = mean_of(static_cast<double>(recruits), recruitment_rows > 0 ? recruitment_rows : 0);
  est.total = est.replaced == 0 ? 0.0f : est.future_parents / est.replaced;
  est.available = envelope_sum == 0 ? 0.0f : est.total / envelope_sum;
  return est;
}

struct sex_texts {
  const char* headline;
  const char* born_format;
  const char* born;
  const char* replaced_format;
  const char* replaced;
  const char* total_format;
  const char* total_label;
  const char* total_tail;
  const char* young_format;
  const char* young;
  const char* available_format;
  const char* available_label;
  const char* available_tail;
};

const sex_texts dams_english{"Number dams available for breeding per year ",
                             "(A9,I5,A56)",
                             " females are born per year that later will become mother",
                             "(A9,F5.1,A44)",
                             "% of breeding females are replaced each year",
                             "(A29,F6.0,A33)",
                             "       |  giving a total of ",
                             "breeding females including those ",
                             "(A73)",
                             "       |                 that will not yet breed, but will in later years",
                             "(A15,F6.0,A29)",
                             "       |  and ",
                             "excluding those young animals"};
const sex_texts dams_dutch{"Aantal wijfjes beschikbaarvoor fokkerij per jaar ",
                           "(A9,I5,A56)",
                           " wijfjes geboren per jaar die later moeder zullen worden",
                           "(A9,F5.1,A53)",
                           "% van vrouwelijke fokdieren worden elk jaar vervangen",
                           "(A31,F6.0,A38)",
                           "       |  geeft een totaal van ",
                           "vrouwelijke fokdieren inclusief dieren",
                           "(A85)",
                           "       |    die nog te jong zijn om nu te fokken, maar later wel moeder zullen worden",
                           "(A13,F6.0,A34)",
                           "       |  en ",
                           "exclusief nog niet fokkende dieren"};
const sex_texts sires_english{"Number sires available for breeding per year ",
                              "(A9,I5,A54)",
                              " males are born per year that later will become father",
                              "(A9,F5.1,A42)",
                              "% of breeding males are replaced each year",
                              "(A29,F6.0,A31)",
                              "       |  giving a total of ",
                              "breeding males including those ",
                              "(A73)",
                              "       |                 that will not yet breed, but will in later years",
                              "(A15,F6.0,A29)",
                              "       |  and ",
                              "excluding those young animals"};
const sex_texts sires_dutch{"Aantal mannetjes beschikbaarvoor fokkerij per jaar ",
                            "(A9,I5,A57)",
                            " mannetjes geboren per jaar die later vader zullen worden",
                            "(A9,F5.1,A52)",
                            "% van mannelijke fokdieren worden elk jaar vervangen",
                            "(A31,F6.0,A37)",
                            "       |  geeft een totaal van ",
                            "mannelijke fokdieren inclusief dieren",
                            "(A84)",
                            "       |    die nog te jong zijn om nu te fokken, maar later wel vader zullen worden",
                            "(A13,F6.0,A34)",
                            "       |  en ",
                            "exclusief nog niet fokkende dieren"};

// The headline number and its derivation for one sex.
void write_parent_block(output_channel& report, bool english, const sex_texts& t, const parent_estimate& est,
                        long year_y0, long year_e) {
  write_free_line(report, {t.headline});
  write_fixed_line(report, "(F13.0)", {est.available});
  write_separator_line(report);
  write_free_line(report, {english ? "       |  explanation derivation:" : "       |  uitleg afleiding"});
  write_free_line(report, {english ? "       |  based on" : "       |  gebaseerd op", year_y0, " - ", year_e});
  write_fixed_line(report, t.born_format, {"       | ", static_cast<long>(est.future_parents_whole), t.born});
  write_fixed_line(report, t.replaced_format, {"       | ", 100.0f * est.replaced, t.replaced});
  write_fixed_line(report, t.total_format, {t.total_label, est.total, t.total_tail});
  write_fixed_line(report, t.young_format, {t.young});
  write_fixed_line(report, t.available_format, {t.available_label, est.available, t.available_tail});
  write_separator_line(report);
}

}  // namespace

void write_population_summary(run_context& ctx, const year_range& years, const year_count_tables& counts) {
  assert(counts.top_sires.shares_in_percent);
  const year_table<std::int32_t>& litter_stats = counts.litter_stats;
  const year_table<std::int32_t>& parent_counts_by_year = counts.parent_counts_by_year;
  output_channel& report = ctx.report;
  const bool english = ctx.cfg.english;
  const std::int64_t n = years.n_years;
  const std::int64_t y0 = std::max<std::int64_t>(n - 6, 1);
  const std::int64_t window_rows = std::max<std::int64_t>(n - y0, 0);  // W
  const std::int64_t e = std::max<std::int64_t>(n - 3, 1);
  auto year_of = [&](std::int64_t row) { return static_cast<long>(years.year_of(row)); };

  write_underscores(report, 73);
  write_separator_line(report);
  write_free_line(report, {english ? "     Summary population data" : "     Samenvatting populatie data"});
  write_free_line(report, {english ? "     based on" : "     gebaseerd op", year_of(y0), " - ", year_of(n - 1)});
  write_underscores(report, 73);

  // Litters per year: the mean over the window plus one half, rounded again by F13.0.
  std::int64_t litters = 0;
  for (std::int64_t r = y0; r <= n - 1; ++r) litters += cell_or_zero(litter_stats, r, 1);
  write_free_line(report, {english ? "Number litters per year " : "Aantal worpen per jaar"});
  write_fixed_line(report, "(F13.0)", {mean_of(static_cast<double>(litters), window_rows) + 0.5f});
  write_separator_line(report);

  const parent_estimate dams =
      estimate_parents(counts.oldest.max_dam_age, counts.dam_age_count, parent_counts_by_year, 5, y0, n, e);
  const parent_estimate sires =
      estimate_parents(counts.oldest.max_sire_age, counts.sire_age_count, parent_counts_by_year, 2, y0, n, e);
  write_parent_block(report, english, english ? dams_english : dams_dutch, dams, year_of(y0), year_of(e));
  write_parent_block(report, english, english ? sires_english : sires_dutch, sires, year_of(y0), year_of(e));

  // Share of the young by the 4 most used sires, in percent.
  double top_share = 0;
  for (std::int64_t r = y0; r <= n - 1; ++r)
    for (std::int64_t c = 1; c <= 4; ++c) top_share += cell_or_zero(counts.top_sires.top_sire_share, r, c);
  write_free_line(report, {english ? "Contribution of the 4 most popular sires "
                                   : "Bijdrage van de 4 populairste mannetjes aan totaal aantal jongen"});
  write_fixed_line(report, "(F13.0,A1)", {mean_of(top_share, window_rows) + 0.5f, "%"});
  write_separator_line(report);

  // Litter sizes over all years: sizes of more than 1% of the litters.
  std::vector<std::int64_t> litters_of_size(101, 0);
  std::int64_t all_litters = 0;
  for (std::int64_t s = 1; s <= 100; ++s) {
    for (std::int64_t r = 1; r <= n; ++r)
      litters_of_size[static_cast<std::size_t>(s)] += cell_or_zero(litter_stats, r, s + 2);
    all_litters += litters_of_size[static_cast<std::size_t>(s)];
  }
  const float one_percent = static_cast<float>(all_litters) / 100.0f;
  std::vector<bool> size_shown(101, false);
  std::int64_t n_sizes = 0, shown_litters = 0;
  for (std::int64_t s = 1; s <= 100; ++s)
    if (static_cast<float>(litters_of_size[static_cast<std::size_t>(s)]) > one_percent) {
      size_shown[static_cast<std::size_t>(s)] = true;
      n_sizes = s;
      shown_litters += litters_of_size[static_cast<std::size_t>(s)];
    }
  write_free_line(report, {english ? "Litter size " : "Worpgrootte "});
  write_free_line(report, {english ? "  Number of sizes: " : "  Aantal groottes: ", static_cast<long>(n_sizes)});
  write_free_line(report, {english ? "  Litter size    Fraction  " : "  Worpgrootte    Fractie  "});
  for (std::int64_t s = 1; s <= n_sizes; ++s) {
    const float fraction =
        size_shown[static_cast<std::size_t>(s)]
            ? mean_of(static_cast<double>(litters_of_size[static_cast<std::size_t>(s)]), shown_litters)
            : 0.0f;
    write_fixed_line(report, "(5X,I3,8X,F8.0)", {static_cast<long>(s), 100.0f * fraction});
  }
  write_separator_line(report);

  // Ages of the parents: as many lines as the oldest age of more than 1% of either sex.
  auto oldest_common_age = [](const parent_estimate& est) {
    std::int64_t oldest = 0;
    for (std::size_t a = 0; a < est.age_fraction.size(); ++a)
      if (est.age_fraction[a] > 0.01f) oldest = static_cast<std::int64_t>(a) + 1;
    return oldest;
  };
  const std::int64_t n_ages = std::max(oldest_common_age(sires), oldest_common_age(dams));
  write_free_line(report, {english ? "Age parents " : "Leeftijd ouders "});
  write_free_line(report, {english ? "  Number of ages: " : "  Aantal leeftijden: ", static_cast<long>(n_ages)});
  write_free_line(report, {english ? "  Age    Fraction  Fraction" : "  Leef   Fractie   Fractie"});
  write_free_line(report, {english ? "         fathers   mothers" : "  tijd   vaders    moeders"});
  auto percent_at = [](const parent_estimate& est, std::int64_t a) {
    return static_cast<std::size_t>(a) <= est.age_fraction.size()
               ? 100.0f * est.age_fraction[static_cast<std::size_t>(a - 1)]
               : 0.0f;
  };
  for (std::int64_t a = 1; a <= n_ages; ++a)
    write_fixed_line(report, "(I6,3X,F7.0,3X,F7.0)", {static_cast<long>(a), percent_at(sires, a), percent_at(dams, a)});
  write_separator_line(report);
  write_underscores(report, 73);
}

}  // namespace veldmarsh
