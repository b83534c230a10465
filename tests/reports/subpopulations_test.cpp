// Subpopulation counts: the console and report lines of unknown codes
// (first one, silent repeats, blank codes, long codes), and the counts
// against a search over all codes on random tables. The Dutch lines
// and the two tables are held by the end-to-end cases.
#include "reports/subpopulations.h"

#include <gtest/gtest.h>

#include <random>

#include "report_test_support.h"

namespace veldmarsh {
namespace {

using report_testing::captured_report;
using report_testing::pad;
using report_testing::rule;
using report_testing::separator;

struct animal_line {
  std::string id, name, code;
  std::int32_t year, sire, dam;
};

animal_table table_of(const std::vector<animal_line>& lines) {
  animal_table t;
  t.rows.assign(lines.size() + 1, new_animal_record());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    animal_record& a = t[static_cast<std::int64_t>(i + 1)];
    set_text(t, a.herdbook_nr, lines[i].id);
    set_text(t, a.name, lines[i].name);
    set_text(t, a.subpop_code, lines[i].code);
    a.birth_year = lines[i].year;
    a.sire_nr = lines[i].sire;
    a.dam_nr = lines[i].dam;
    a.nr = static_cast<std::int32_t>(i + 1);
  }
  return t;
}

void set_codes(settings& cfg, const std::vector<std::string>& codes) {
  cfg.n_subpop = static_cast<int>(codes.size());
  cfg.subpop_codes.clear();
  for (const auto& c : codes) cfg.subpop_codes.push_back(make_text<20>(c));
}

// The counts of `t` over `years`, into tables first filled with `stale`
// (which the count must clear).
subpop_counts count(captured_report& out, const animal_table& t, const year_range& years, std::int32_t stale = 0) {
  subpop_counts counts;
  allocate_subpopulation_tables(out.ctx, years, counts);
  std::fill(counts.births_by_subpop.cells.begin(), counts.births_by_subpop.cells.end(), stale);
  count_subpopulations(out.ctx, t, years, counts);
  return counts;
}

TEST(CountSubpopulations, UnknownCodesAreReportedOnceEach) {
  captured_report out(true);
  set_codes(out.ctx.cfg, {"AA", "BB"});
  animal_table t = table_of({
      {"S1", "Sire", "AA", 2000, 0, 0},
      {"D1", "Dam", "BB", 2000, 0, 0},
      {"B0", "Blank", "", 2001, 0, 0},          // silent: equals the 8 blanks
      {"X1", "Bella", "XYZ", 2001, 1, 2},       // the first unknown code
      {"X2", "Other", "XYZ", 2002, 1, 2},       // the same code: silent
      {"B1", "Blank too", "", 2002, 0, 0},      // now reported
      {"L1", "Long", "LONGCODE9", 2002, 0, 0},  // another code: reported, every time
      {"L2", "Long2", "LONGCODE9", 2002, 0, 0},
  });
  const subpop_counts counts = count(out, t, make_year_range(2000, 2002));

  const std::string eight(8, ' ');
  auto error_lines = [&](const std::string& name, const std::string& id, const std::string& code,
                         const std::string& unknown) {
    return std::vector<std::string>{
        " ERROR: ",
        " animal: " + pad(name, 50) + " no.: ",
        " " + pad(id, 50),
        " of a different breed. breed code:_" + pad(code, 20) + "_= not equal to -" + pad(unknown, 8),
        " _",
    };
  };
  std::vector<std::string> expected = {" eerste maal rascode:_" + pad("XYZ", 20) + "_ = niet gelijk aan -" + eight +
                                       "_"};
  for (const auto& block :
       {error_lines("Bella", "X1", "XYZ", "XYZ"), error_lines("Blank too", "B1", "", "XYZ"),
        error_lines("Long", "L1", "LONGCODE9", "XYZ"), error_lines("Long2", "L2", "LONGCODE9", "XYZ")})
    expected.insert(expected.end(), block.begin(), block.end());
  EXPECT_EQ(out.console(), expected);

  std::vector<std::string> expected_report = {
      " Animals with unknown subpopulations in database",
      " -----",
  };
  for (auto [id, code, name] : {std::tuple{"X1", "XYZ", "Bella"}, std::tuple{"B1", "", "Blank too"},
                                std::tuple{"L1", "LONGCODE9", "Long"}, std::tuple{"L2", "LONGCODE9", "Long2"}}) {
    expected_report.push_back(" " + pad(id, 50) + pad(code, 20));
    expected_report.push_back(" " + pad(name, 50));
  }
  EXPECT_EQ(out.report(), expected_report);

  // Only the two known animals count; the unknown young add no parents.
  EXPECT_EQ(counts.births_by_subpop.cells, (std::vector<std::int32_t>{1, 1, 0, 0, 0, 0}));
  EXPECT_EQ(counts.parent_subpop.cells, (std::vector<std::int32_t>{0, 0, 0, 0}));
}

TEST(CountSubpopulations, AFirstUnknownCodeOfMoreThanEightCharactersNeverFallsSilent) {
  captured_report out(true);
  set_codes(out.ctx.cfg, {"AA", "BB"});
  animal_table t = table_of({{"L1", "Long", "LONGCODE9", 2000, 0, 0},
                             {"L2", "Long2", "LONGCODE9", 2000, 0, 0},
                             {"L3", "Cut", "LONGCODE", 2000, 0, 0}});
  count(out, t, make_year_range(2000, 2000));
  std::vector<std::string> console = out.console();
  ASSERT_EQ(console.size(), 1u + 5u + 5u);  // the first line, then L1 and L2; L3 equals the remembered 8
  EXPECT_EQ(console[4], " of a different breed. breed code:_" + pad("LONGCODE9", 20) + "_= not equal to -LONGCODE");
  EXPECT_EQ(console[8], " " + pad("L2", 50));
  EXPECT_EQ(out.report().size(), 2u + 4u);
}

// The counts the slow way: every code compared with every defined code.
void slow_counts(const settings& cfg, const animal_table& t, std::int32_t first_year, std::int64_t n_years,
                    std::vector<std::int32_t>& births, std::vector<std::int32_t>& parents) {
  const std::int64_t s = cfg.n_subpop;
  births.assign(static_cast<std::size_t>(n_years * s), 0);
  parents.assign(static_cast<std::size_t>(s * s), 0);
  auto member = [&](std::int64_t i, std::int64_t j) { return text_of(t, t[i].subpop_code) == cfg.subpop_codes[j - 1]; };
  auto any = [&](std::int64_t i) {
    for (std::int64_t j = 1; j <= s; ++j)
      if (member(i, j)) return true;
    return false;
  };
  for (std::int64_t i = 1; i <= t.size(); ++i) {
    if (!any(i)) continue;
    for (std::int64_t j = 1; j <= s; ++j) {
      if (!member(i, j)) continue;
      if (t[i].birth_year >= 1) births[(t[i].birth_year - first_year) * s + j - 1] += 1;
    }
    const std::int32_t sire = t[i].sire_nr, dam = t[i].dam_nr;
    if (sire <= 0 || dam <= 0 || !any(sire) || !any(dam)) continue;
    for (std::int64_t j = 1; j <= s; ++j)
      for (std::int64_t k = 1; k <= s; ++k) {
        if (member(i, j) && member(sire, k)) parents[(j - 1) * s + k - 1] += 1;
        if (member(i, j) && member(dam, k)) parents[(j - 1) * s + k - 1] += 1;
      }
  }
}

TEST(CountSubpopulations, AgreesWithASearchOverAllCodesOnRandomTables) {
  std::mt19937 rng(11);
  const std::vector<std::string> pool = {"AA", "BB", "CC", "AA", "", "ZZ", "DD"};
  for (int round = 0; round < 30; ++round) {
    captured_report out(round % 2 == 0);
    // Four codes, the first listed twice in some rounds.
    set_codes(out.ctx.cfg, round % 3 == 0 ? std::vector<std::string>{"AA", "BB", "AA", "CC"}
                                          : std::vector<std::string>{"AA", "BB", "CC", "DD"});
    const int n = 1 + static_cast<int>(rng() % 200);
    std::vector<animal_line> lines;
    for (int i = 1; i <= n; ++i) {
      std::int32_t sire = i > 1 && rng() % 4 ? 1 + static_cast<std::int32_t>(rng() % (i - 1)) : 0;
      std::int32_t dam = i > 1 && rng() % 4 ? 1 + static_cast<std::int32_t>(rng() % (i - 1)) : 0;
      std::int32_t year = rng() % 10 == 0 ? 0 : 1990 + static_cast<std::int32_t>(rng() % 12);
      lines.push_back({"id", "name", pool[rng() % pool.size()], year, sire, dam});
    }
    lines[0].year = 1990;
    animal_table t = table_of(lines);
    const subpop_counts counts = count(out, t, make_year_range(1990, 2001), 99);
    std::vector<std::int32_t> want_births, want_parents;
    slow_counts(out.ctx.cfg, t, 1990, 12, want_births, want_parents);
    EXPECT_EQ(counts.births_by_subpop.cells, want_births) << "round " << round;
    EXPECT_EQ(counts.parent_subpop.cells, want_parents) << "round " << round;
  }
}

}  // namespace
}  // namespace veldmarsh
