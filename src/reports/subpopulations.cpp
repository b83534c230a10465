// Subpopulation counts, the report of unknown codes, and the two
// subpopulation tables (see the header). Each distinct code is resolved to
// its subpopulations once, so the count is one pass over the animal table.
#include "reports/subpopulations.h"

#include <algorithm>
#include <cassert>
#include <string>
#include <string_view>
#include <vector>

#include "common/fixed_format.h"
#include "common/free_format.h"
#include "common/stops.h"
#include "common/subpop_membership.h"
#include "reports/report_rules.h"

namespace veldmarsh {

namespace {

// Blank-padded comparison of a 20-character code with the 8-character
// remembered unknown code.
bool equals_unknown_code(const fixed_text<20>& code, const fixed_text<8>& unknown) {
  if (code.view().substr(0, 8) != unknown.view()) return false;
  for (std::size_t i = 8; i < 20; ++i)
    if (code.c[i] != ' ') return false;
  return true;
}

// The lines about one animal whose code is none of the defined ones.
void report_unknown_code(run_context& ctx, std::int64_t i, const animal_table& animal, fixed_text<8>& unknown_subpop_code,
                         bool& first_unknown) {
  const animal_record& a = animal[i];
  const fixed_text<20> code = text_of(animal, a.subpop_code);
  if (equals_unknown_code(code, unknown_subpop_code)) return;
  const fixed_text<50> name = text_of(animal, a.name);
  const fixed_text<50> herdbook_nr = text_of(animal, a.herdbook_nr);
  const bool english = ctx.cfg.english;
  if (first_unknown) {
    // Dutch in both languages.
    write_free_line(ctx.console,
                    {"eerste maal rascode:_", code, "_ = niet gelijk aan -", unknown_subpop_code, "_"});
    write_free_line(ctx.report, {english ? "Animals with unknown subpopulations in database"
                                         : "Dieren van onbekende sub-populatiens in database"});
    write_free_line(ctx.report, {"-----"});
    set_text(unknown_subpop_code, code.view());
    first_unknown = false;
  }
  write_free_line(ctx.console, {"ERROR: "});
  if (english) {
    write_free_line(ctx.console, {"animal: ", name, " no.: ", herdbook_nr});
    write_free_line(ctx.console, {"of a different breed. breed code:_", code, "_= not equal to -",
                                  unknown_subpop_code, "_"});
  } else {
    write_free_line(ctx.console, {"dier: ", static_cast<long>(i), name, " nr: ", herdbook_nr});
    write_free_line(ctx.console,
                    {"Van een ander ras. rascode:_", code, "_= niet gelijk aan -", unknown_subpop_code, "_"});
  }
  write_free_line(ctx.report, {herdbook_nr, code, name});
}

std::string_view code_of(const settings& cfg, std::int64_t j) {
  return static_cast<std::size_t>(j) <= cfg.subpop_codes.size()
             ? cfg.subpop_codes[static_cast<std::size_t>(j - 1)].view()
             : std::string_view{};
}

}  // namespace

void allocate_subpopulation_tables(run_context& ctx, const year_range& years, subpop_counts& subpops) {
  const std::int64_t n_years = years.n_years;
  const std::int64_t n_subpop = ctx.cfg.n_subpop;
  allocate_tables(ctx,
                  "the subpopulation tables (birth years " + std::to_string(n_years) + ", subpopulations " +
                      std::to_string(n_subpop) + ")",
                  [&] {
                    return allocate_year_table(subpops.births_by_subpop, n_years, n_subpop) &&
                           allocate_year_table(subpops.parent_subpop, n_subpop, n_subpop);
                  });
}

void count_subpopulations(run_context& ctx, const animal_table& animal, const year_range& years,
                          subpop_counts& subpops) {
  year_table<std::int32_t>& births_by_subpop = subpops.births_by_subpop;
  year_table<std::int32_t>& parent_subpop = subpops.parent_subpop;
  fixed_text<8> unknown_subpop_code = make_text<8>("");
  bool first_unknown = true;
  std::fill(births_by_subpop.cells.begin(), births_by_subpop.cells.end(), 0);
  std::fill(parent_subpop.cells.begin(), parent_subpop.cells.end(), 0);
  const std::int64_t n_animals = animal.size();
  if (n_animals < 1) return;

  const subpop_membership membership = make_subpop_membership(ctx.cfg, animal);
  // The code of every animal in one compact table, so that the look-ups of
  // the parents do not fetch whole records.
  std::vector<std::uint32_t> code_of(static_cast<std::size_t>(n_animals) + 1);
  for (std::int64_t i = 1; i <= n_animals; ++i) code_of[static_cast<std::size_t>(i)] = animal[i].subpop_code.number;
  auto subpops_of_animal = [&](std::int64_t i) -> std::span<const std::int32_t> {
    return membership.of_code[code_of[static_cast<std::size_t>(i)]];
  };
  for (std::int64_t i = 1; i <= n_animals; ++i) {
    const animal_record& a = animal[i];
    const std::span<const std::int32_t> own = subpops_of_animal(i);
    if (own.empty()) {
      report_unknown_code(ctx, i, animal, unknown_subpop_code, first_unknown);
      continue;
    }
    if (a.birth_year >= 1) {
      const std::int64_t row = static_cast<std::int64_t>(a.birth_year) - years.first_year + 1;
      assert(row >= 1 && row <= births_by_subpop.n_rows);
      for (std::int32_t j : own) births_by_subpop(row, j) += 1;
    }
    if (a.sire_nr <= 0 || a.dam_nr <= 0) continue;
    assert(a.sire_nr <= n_animals && a.dam_nr <= n_animals);
    const std::span<const std::int32_t> of_sire = subpops_of_animal(a.sire_nr);
    const std::span<const std::int32_t> of_dam = subpops_of_animal(a.dam_nr);
    // A parent of no known subpopulation leaves out both parents.
    if (of_sire.empty() || of_dam.empty()) continue;
    for (std::int32_t j : own)
      for (std::int32_t k : of_sire) parent_subpop(j, k) += 1;
    for (std::int32_t j : own)
      for (std::int32_t k : of_dam) parent_subpop(j, k) += 1;
  }
}

void write_subpopulation_tables(run_context& ctx, const year_range& years, const subpop_counts& subpops) {
  const year_table<std::int32_t>& births_by_subpop = subpops.births_by_subpop;
  const year_table<std::int32_t>& parent_subpop = subpops.parent_subpop;
  output_channel& report = ctx.report;
  const settings& cfg = ctx.cfg;
  const std::int64_t n_subpop = cfg.n_subpop;
  const std::string code_format = build_run_format("(A8,005A8)", n_subpop);
  const std::string row_format = build_run_format("(I8,005I8)", n_subpop);
  const std::string label_format = build_run_format("(A8,005I8)", n_subpop);
  std::vector<fixed_value> values;

  // Births per year and subpopulation. A8 shows the first 8 characters of a code.
  write_separator_line(report);
  write_free_line(report, {cfg.english ? "     SUBPOPULATIONs in population" : "     SUBPOPULATIEs in populatie"});
  write_underscores(report, 56);
  values.emplace_back("  jaar  ");
  for (std::int64_t j = 1; j <= n_subpop; ++j) values.emplace_back(code_of(cfg, j));
  write_fixed_line(report, code_format, values);
  write_underscores(report, 56);
  std::vector<std::int64_t> totals(static_cast<std::size_t>(n_subpop > 0 ? n_subpop : 0), 0);
  for (std::int64_t k = 1; k <= years.n_years; ++k) {
    values.clear();
    values.emplace_back(static_cast<long>(years.year_of(k)));
    for (std::int64_t j = 1; j <= n_subpop; ++j) {
      const std::int32_t births = cell_or_zero(births_by_subpop, k, j);
      totals[static_cast<std::size_t>(j - 1)] += births;
      values.emplace_back(births);
    }
    write_fixed_line(report, row_format, values);
  }
  write_underscores(report, 56);
  values.clear();
  values.emplace_back(cfg.english ? " total  " : " totaal ");
  for (std::int64_t total : totals) values.emplace_back(static_cast<long>(total));
  write_fixed_line(report, label_format, values);
  write_underscores(report, 56);

  // Subpopulations of the parents (columns) of each subpopulation's animals (rows).
  write_separator_line(report);
  write_free_line(report, {cfg.english ? "     Descent of Breed varieties in population"
                                       : "     Afstamming RASCODEs in populatie"});
  write_underscores(report, 56);
  write_free_line(report, {cfg.english ? "                           parents" : "                           ouders"});
  values.clear();
  values.emplace_back(cfg.english ? cfg.young_words.view() : cfg.young_word.view());
  for (std::int64_t j = 1; j <= n_subpop; ++j) values.emplace_back(code_of(cfg, j));
  write_fixed_line(report, code_format, values);
  write_underscores(report, 56);
  for (std::int64_t j = 1; j <= n_subpop; ++j) {
    values.clear();
    values.emplace_back(code_of(cfg, j));
    for (std::int64_t k = 1; k <= n_subpop; ++k) values.emplace_back(cell_or_zero(parent_subpop, j, k));
    write_fixed_line(report, label_format, values);
  }
  write_underscores(report, 56);
}

}  // namespace veldmarsh
