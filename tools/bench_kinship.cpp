// Benchmark of kinship per birth year and the rates of inbreeding on a
// pedigree file written by generate_pedigree (parents before their young),
// with every animal's F computed first (calc_inbreeding_coefficients).
//
// Usage: bench_kinship FILE [--matrix]
//   Times calc_kinship_by_year with calc_inbreeding_rate and prints the peak
//   memory of the process. With --matrix it also fills the relationship
//   matrix of every year column by column (the slow textbook method, meant
//   for small files) and prints its time and the largest difference.
// Console lines go to /dev/null; the figures go to standard output.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "kinship_matrix_method.h"
#include "common/animal_record.h"
#include "common/run_context.h"
#include "inbreeding/calc_inbreeding.h"
#include "inbreeding/calc_inbreeding_rate.h"
#include "common/birth_year_groups.h"
#include "inbreeding/calc_kinship_by_year.h"
#include "inbreeding/subpop_kinship.h"
#include "run/run_frame.h"

using namespace veldmarsh;

namespace {

double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

long peak_memory_mb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

std::vector<std::string> split(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0, end;
  while ((end = line.find(';', start)) != std::string::npos) {
    fields.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

// The animal table of a generated file: id;sire;dam;sex;dd-mm-yyyy[;subpopulation].
bool read_pedigree(const char* file, animal_table& animal, std::vector<std::string>& codes) {
  std::ifstream in(file);
  std::string line;
  if (!std::getline(in, line)) return false;
  std::unordered_map<std::string, std::int32_t> number;
  std::map<std::string, int> code_set;
  animal.rows.assign(1, new_animal_record());
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> f = split(line);
    if (f.size() < 5) continue;
    animal_record r = new_animal_record();
    r.nr = static_cast<std::int32_t>(animal.rows.size());
    set_text(r.herdbook_nr, f[0]);
    auto parent = [&](const std::string& id) -> std::int32_t {
      if (id.empty()) return 0;
      auto it = number.find(id);
      return it == number.end() ? -1 : it->second;
    };
    r.sire_nr = parent(f[1]);
    r.dam_nr = parent(f[2]);
    if (r.sire_nr < 0 || r.dam_nr < 0) {
      std::fprintf(stderr, "%s: a parent after its young (use a file in generated order)\n", f[0].c_str());
      return false;
    }
    r.sex = f[3] == "M" ? 1 : 2;
    r.birth_day = std::stoi(f[4].substr(0, 2));
    r.birth_month = std::stoi(f[4].substr(3, 2));
    r.birth_year = std::stoi(f[4].substr(6, 4));
    if (f.size() > 5) {
      set_text(r.subpop_code, f[5]);
      code_set[f[5]] = 1;
    }
    number[f[0]] = r.nr;
    animal.rows.push_back(r);
  }
  for (std::int64_t i = 1; i <= animal.size(); ++i)
    for (std::int32_t p : {animal[i].sire_nr, animal[i].dam_nr})
      if (p != 0) animal[p].is_parent = animal[p].has_counted_offspring = true;
  for (const auto& [code, unused] : code_set) codes.push_back(code);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_kinship FILE [--matrix]\n");
    return 2;
  }
  bool matrix = argc > 2 && std::string(argv[2]) == "--matrix";
  set_flush_to_zero_mode();
  run_context ctx;
  ctx.console.file = std::fopen("/dev/null", "wb");
  ctx.report.file = ctx.console.file;
  ctx.cfg.english = true;

  animal_table animal;
  std::vector<std::string> codes;
  if (!read_pedigree(argv[1], animal, codes)) return 1;
  ctx.cfg.n_subpop = static_cast<int>(codes.size());
  for (const std::string& c : codes) ctx.cfg.subpop_codes.push_back(make_text<20>(c));
  std::int32_t first_year = 2147483647, last_year = 0;
  for (std::int64_t i = 1; i <= animal.size(); ++i) {
    if (animal[i].birth_year != 0) first_year = std::min(first_year, animal[i].birth_year);
    last_year = std::max(last_year, animal[i].birth_year);
  }
  const year_range years = make_year_range(first_year, last_year);
  const std::int64_t n_years = years.n_years;
  std::printf("%lld animals, %lld birth years, %d subpopulations\n", static_cast<long long>(animal.size()),
              static_cast<long long>(n_years), ctx.cfg.n_subpop);

  auto start = std::chrono::steady_clock::now();
  calc_inbreeding_coefficients(ctx, animal);
  std::printf("inbreeding coefficients:        %8.3f s\n", seconds_since(start));
  long memory_before = peak_memory_mb();

  inbreeding_results inbreeding;
  allocate_inbreeding_tables(ctx, years, inbreeding);
  inbreeding_rate_set rates{};
  start = std::chrono::steady_clock::now();
  const birth_year_groups groups = group_by_birth_year(ctx, animal, years, nullptr);
  calc_kinship_by_year(ctx, animal, groups, inbreeding);
  double kinship_seconds = seconds_since(start);
  const inbreeding_results unhalved = inbreeding;
  auto rates_start = std::chrono::steady_clock::now();
  convert_relationships_to_kinships(inbreeding);
  calc_inbreeding_rate(years, inbreeding, rates);
  double rate_seconds = seconds_since(rates_start);
  const year_table<float>& year_inbreeding = inbreeding.year_inbreeding;
  std::printf("kinship per birth year:         %8.3f s\n", kinship_seconds);
  std::printf("rates of inbreeding:            %8.3f s\n", rate_seconds);
  std::printf("kinship and rates together:     %8.3f s\n", kinship_seconds + rate_seconds);
  std::printf("peak memory before / after:     %5ld MB / %ld MB\n", memory_before, peak_memory_mb());
  std::printf("last year: F %.4f, f %.4f; rates %.5f %.5f %.5f %.5f\n", year_inbreeding(n_years, 1),
              year_inbreeding(n_years, 3), rates[0], rates[1], rates[2], rates[3]);

  if (matrix) {
    start = std::chrono::steady_clock::now();
    kinship_reference::slow_result want =
        kinship_reference::slow_kinship_by_year(animal, n_years, first_year, ctx.cfg);
    double slow_seconds = seconds_since(start);
    double largest = 0.0;
    for (std::int64_t k = 1; k <= n_years; ++k) {
      for (int c = 1; c <= 6; ++c)
        largest = std::max(largest, std::fabs(unhalved.year_inbreeding(k, c) - want.year_inbreeding[static_cast<std::size_t>(k - 1)][static_cast<std::size_t>(c - 1)]));
      for (std::int64_t c = 1; c <= inbreeding.year_subpop_kinship.n_cols; ++c)
        largest = std::max(largest, std::fabs(inbreeding.year_subpop_kinship(k, c) -
                                              want.year_subpop_kinship[static_cast<std::size_t>(k - 1)][static_cast<std::size_t>(c - 1)]));
    }
    std::printf("whole-matrix method:            %8.3f s (largest difference %.2e)\n", slow_seconds, largest);
    std::printf("peak memory with the matrices:  %5ld MB\n", peak_memory_mb());
  }
  return 0;
}
