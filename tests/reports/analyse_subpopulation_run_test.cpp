// The report of one closed subpopulation against a run of the program on its
// animals alone: every table that counts members must read as the separate
// run's, and its inbreeding table shows the separate run's mean F and mean
// kinship of distinct pairs. Breeder tables (top breeders are chosen over the
// whole population) and the line counting the whole table differ by design.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/program_run.h"

namespace {

struct generated_animal {
  std::string id, sire, dam;
  int sex;  // 1 male, 2 female
  int day, month, year;
  std::string colour, subpop;
};

// A closed subpopulation born 2010 to 2017: founders in 2010, then every
// year litters of parents at least a year old, mates drawn at random (so
// that some young are inbred). Parents always come before their young.
std::vector<generated_animal> generate_subpopulation(const std::string& code, unsigned seed, int litters_per_year) {
  std::mt19937 rng(seed);
  auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const char* colours[] = {"red", "black", "blue", ""};
  std::vector<generated_animal> out;
  std::vector<std::size_t> males, females;
  int counter = 0;
  auto add = [&](const std::string& sire, const std::string& dam, int sex, int day, int month, int year) {
    out.push_back({code + "-" + std::to_string(++counter), sire, dam, sex, day, month, year, colours[uniform(0, 3)],
                   code});
    (sex == 1 ? males : females).push_back(out.size() - 1);
  };
  for (int i = 0; i < 2; ++i) add("", "", 1, uniform(1, 28), uniform(1, 12), 2010);
  for (int i = 0; i < 4; ++i) add("", "", 2, uniform(1, 28), uniform(1, 12), 2010);
  for (int year = 2011; year <= 2017; ++year) {
    std::vector<std::size_t> sires, dams;
    for (std::size_t m : males)
      if (out[m].year < year) sires.push_back(m);
    for (std::size_t f : females)
      if (out[f].year < year) dams.push_back(f);
    const int litters = litters_per_year + uniform(-1, 1);
    for (int l = 0; l < litters; ++l) {
      const generated_animal& sire = out[sires[static_cast<std::size_t>(uniform(0, static_cast<int>(sires.size()) - 1))]];
      const generated_animal& dam = out[dams[static_cast<std::size_t>(uniform(0, static_cast<int>(dams.size()) - 1))]];
      const std::string sire_id = sire.id, dam_id = dam.id;
      const int day = uniform(1, 28), month = uniform(1, 12), size = uniform(2, 5);  // every year has two animals or more
      for (int y = 0; y < size; ++y) add(sire_id, dam_id, uniform(1, 2), day, month, year);
    }
  }
  return out;
}

std::string data_file(const std::vector<generated_animal>& animals) {
  std::ostringstream s;
  s << "id;sire;dam;sex;birthdate;colour;subpopulation\r\n";
  char date[16];
  for (const generated_animal& a : animals) {
    std::snprintf(date, sizeof date, "%02d-%02d-%04d", a.day, a.month, a.year);
    s << a.id << ';' << a.sire << ';' << a.dam << ';' << (a.sex == 1 ? "M" : "F") << ';' << date << ';' << a.colour
      << ';' << a.subpop << "\r\n";
  }
  return s.str();
}

std::string steering_file(const std::vector<std::string>& codes) {
  std::string s = "Subpopulations\r\nped.csv\r\n;\r\nn\r\ndd-mm-yyyy\r\ndog\r\nM\r\nen\r\ny\r\n";
  s += std::to_string(codes.size()) + "\r\n";
  for (const std::string& c : codes) s += c + "\r\n";
  s += "2\r\nred\r\nblack\r\nn\r\n";
  return s;
}

// Runs the program and returns the report's lines.
std::vector<std::string> run_report(const std::string& tag, const std::string& steering, const std::string& data) {
  veldmarsh::testing::file_map out =
      veldmarsh::testing::run_program("subpop-" + tag, {{}, {{"brindlemoor.ini", steering}, {"ped.csv", data}}, {}});
  EXPECT_EQ(out["exit_status.txt"], "0\n") << tag << ": the run did not complete";
  return veldmarsh::testing::crlf_lines(out["ped.out"]);
}

// Words that open a table or a block of one (the separator line opens most).
const std::vector<std::string> table_markers = {
    "POPULATIONSIZE", "POPULATION SIZE", "IMPORT:", "Number of parents and litter size per year",
    "OFFSPRING/PARENT", "Male with the highest", "Female with the highest", "AGE fathers", "AGE mothers",
    "GENERATION INTERVAL", "PEDIGREE COMPLETENESS", "Top sires and their contribution", "COLOUR VARIETIES",
    "Main Breeders", "INBREEDING", "Litter Sizes", "SUBPOPULATIONs"};
const std::string separator(12, ' ');

bool opens_table(const std::string& line) {
  for (const std::string& m : table_markers)
    if (line.find(m) != std::string::npos) return true;
  return false;
}

// The lines of the block that `marker` opens within [from, to): up to the
// next separator or table opening. Empty when there is no such block.
std::vector<std::string> block(const std::vector<std::string>& lines, std::size_t from, std::size_t to,
                               const std::string& marker) {
  std::vector<std::string> out;
  for (std::size_t i = from; i < to; ++i) {
    if (lines[i].find(marker) == std::string::npos) continue;
    out.push_back(lines[i]);
    for (std::size_t j = i + 1; j < to && lines[j] != separator && !opens_table(lines[j]); ++j)
      if (lines[j].rfind(" total number of animals in pedigree", 0) != 0) out.push_back(lines[j]);
    break;
  }
  return out;
}

// The section of subpopulation `code`: the lines after its banner up to the
// next banner (or the end of the report).
void section_of(const std::vector<std::string>& lines, const std::string& code, std::size_t& from, std::size_t& to) {
  const std::string banner_code = "           *" + code + std::string(20 - code.size(), ' ') + "*";
  const std::string frame = "           " + std::string(42, '*');
  from = to = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i] == banner_code) {
      from = i + 3;  // past the frame and the blank line
      break;
    }
  for (std::size_t i = from; i < lines.size(); ++i)
    if (lines[i] == frame) {
      to = i - 1;  // the blank line that opens the next banner
      break;
    }
}

TEST(AnalyseSubpopulationRun, TablesEqualARunOnTheSubpopulationAlone) {
  const std::vector<std::string> codes = {"NORTH", "SOUTH", "EAST"};
  std::vector<std::vector<generated_animal>> parts = {generate_subpopulation("NORTH", 11, 4),
                                                      generate_subpopulation("SOUTH", 22, 2),
                                                      generate_subpopulation("EAST", 33, 6)};
  // The whole data file: the three subpopulations interleaved year by year,
  // so that their animals are not numbered in blocks.
  std::vector<generated_animal> all;
  for (int year = 2010; year <= 2017; ++year)
    for (const auto& part : parts)
      for (const generated_animal& a : part)
        if (a.year == year) all.push_back(a);
  const std::vector<std::string> whole = run_report("all", steering_file(codes), data_file(all));

  const std::vector<std::string> compared = {"POPULATIONSIZE", "Number of parents and litter size per year",
                                             "OFFSPRING/PARENT", "Male with the highest", "Female with the highest",
                                             "AGE fathers", "AGE mothers", "GENERATION INTERVAL",
                                             "PEDIGREE COMPLETENESS", "Top sires and their contribution",
                                             "COLOUR VARIETIES"};
  for (std::size_t s = 0; s < codes.size(); ++s) {
    SCOPED_TRACE(codes[s]);
    const std::vector<std::string> alone = run_report(codes[s], steering_file({codes[s]}), data_file(parts[s]));
    std::size_t from = 0, to = 0;
    section_of(whole, codes[s], from, to);
    ASSERT_LT(from, whole.size()) << "no section for " << codes[s];

    // The tables in the order of a subpopulation's report.
    std::size_t last = from;
    for (const std::string& marker : compared) {
      SCOPED_TRACE(marker);
      const std::vector<std::string> mine = block(whole, from, to, marker);
      ASSERT_FALSE(mine.empty());
      EXPECT_EQ(mine, block(alone, 0, alone.size(), marker));
      std::size_t at = from;
      while (whole[at] != mine[0]) ++at;
      EXPECT_GE(at, last) << "out of order";
      last = at;
    }
    EXPECT_TRUE(block(whole, from, to, "Litter Sizes").empty());
    EXPECT_TRUE(block(whole, from, to, "Main Breeders").empty());

    // Inbreeding rows: the subpopulation's mean F and mean kinship of
    // distinct pairs are the separate run's columns 1 and 3 (years with at
    // least two animals); the columns of fathers and mothers are 0.
    const std::vector<std::string> mine = block(whole, from, to, "INBREEDING");
    const std::vector<std::string> theirs = block(alone, 0, alone.size(), "INBREEDING");
    int rows = 0;
    for (int year = 2010; year <= 2017; ++year) {
      const std::string key = "    " + std::to_string(year);
      for (const std::string& m : mine) {
        if (m.rfind(key, 0) != 0) continue;
        for (const std::string& t : theirs) {
          if (t.rfind(key, 0) != 0) continue;
          ++rows;
          EXPECT_EQ(m.substr(8, 8), t.substr(8, 8)) << year;    // mean F
          EXPECT_EQ(m.substr(16, 8), t.substr(24, 8)) << year;  // mean kinship of distinct pairs
          EXPECT_EQ(m.substr(40), "  0.0000  0.0000") << year;
        }
      }
    }
    EXPECT_EQ(rows, 8);
  }
}

}  // namespace
